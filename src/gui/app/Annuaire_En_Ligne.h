#pragma once

#include "core/callbook/ReglagesAnnuaire.h"

#include <QWidget>

#include <functional>

class Annuaire;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class StockReglages;

// "Annuaire en ligne": the callbook that gives the first name of a station
// the first-name memory does not know (none, HamQTH, QRZ.com), the user name
// and the password there, and "Tester", which logs in and looks the
// station's own callsign up with what the window shows. "Enregistrer" keeps
// the settings, and the password through `garde` (the system's keychain),
// never in a file.
class Annuaire_En_Ligne : public QWidget {
    Q_OBJECT
public:
    using Garde = std::function<void(const ReglagesAnnuaire& reglages, const QString& motDePasse)>;
    Annuaire_En_Ligne(StockReglages& reglages, const QString& indicatifStation, Garde garde,
                      QWidget* parent = nullptr);
    ~Annuaire_En_Ligne() override;

    QComboBox* Service_Annuaire;
    QLineEdit* Utilisateur_Annuaire;
    QLineEdit* Mot_De_Passe_Annuaire;
    QPushButton* Tester;
    QLabel* Resultat_Annuaire;
    QPushButton* Enregistrer;
    QPushButton* Fermer;

    // The settings the window shows.
    ReglagesAnnuaire reglagesMontres() const;
    // How long "Tester" waits for the service (tests shorten it), in ms.
    void changeBorne(int ms) { m_borne = ms; }

private:
    void Tester_Click();
    void Enregistrer_Click();

    StockReglages& m_reglages;
    QString m_indicatif;
    Garde m_garde;
    Annuaire* m_essai;
    int m_borne;
};

#pragma once

#include "core/radio/Radio.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class StockReglages;

// "Réglage de la radio": the model from hamlib's list, or a rigctld daemon
// reached over the network; the port (host:port for rigctld), speed and
// polling interval, a test of these settings and their saving. Saved
// settings are read again by the radio at once. hamlib's models are those of
// its library, or, for a rigctld the program starts, those of the rigctld
// in the folder given.
class Reglage_Radio : public QWidget {
    Q_OBJECT
public:
    Reglage_Radio(StockReglages& reglages, Radio& radio, QWidget* parent = nullptr);

    // The settings as the window shows them.
    ReglagesRadio reglagesAffiches() const;

    QComboBox* Liaison_Radio;
    QLineEdit* Dossier_Hamlib;
    QComboBox* Modele_Radio;
    QLineEdit* Port_Radio;
    QComboBox* Vitesse_Radio;
    QSpinBox* Intervalle_Radio;
    QPushButton* Tester;
    QPushButton* Enregistrer;
    QLabel* Resultat_Radio;

    // The list's entry of a rigctld daemon, before hamlib's models.
    static constexpr int choixRigctld = -1;

private:
    // A started rigctld is the way shown (hamlib's way is chosen).
    bool rigctldLance() const;
    // Asks for the models of the way shown.
    void demandeModeles();
    void remplitModeles(const QList<Radio::Modele>& modeles, const QString& manque);
    void modeleChoisi();
    void Tester_Click();
    void Enregistrer_Click();

    StockReglages& m_reglages;
    Radio& m_radio;
    QList<Radio::Modele> m_modeles;
    // The port of each way, kept while the other is shown.
    QString m_portHamlib;
    QString m_adresseRigctld;
    bool m_rigctldAffiche = false;
};

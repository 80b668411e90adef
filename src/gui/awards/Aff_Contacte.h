#pragma once

#include "core/app/Services.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class Imprimante;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

// "Liste alphanumerique des moulins contactés": the QSOs of one band group,
// one line each in alphanumeric order, with the numbers listed and
// confirmed; the list can be saved as a text file and printed.
class Aff_Contacte : public QWidget {
    Q_OBJECT
public:
    // indicatif gives the current station when the window needs it.
    Aff_Contacte(const Services& services, std::function<QString()> indicatif,
                 QWidget* parent = nullptr);
    ~Aff_Contacte() override;

    // The printer of the list (the system's by default).
    void changeImprimante(Imprimante* imprimante);

    QComboBox* Bande_D;
    QPushButton* Afficher;
    QListView* Liste_KZT_Contacte;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Compt_C;
    QLabel* Compt_V;
    QPushButton* Enregistrer;
    QPushButton* Imprimer;
    QPushButton* Command1;

    QStringList lignesListe() const;

public Q_SLOTS:
    void Afficher_Click();
    void Enregistrer_Click();
    void Imprimer_Click();

private:
    QString indicatif() const;

    Services m_services;
    std::function<QString()> m_indicatif;
    QStringListModel* m_modele;
    std::unique_ptr<Imprimante> m_imprimanteSysteme;
    Imprimante* m_imprimante;
};

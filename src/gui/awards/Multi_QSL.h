#pragma once

#include "core/app/Services.h"
#include "core/log/Affichage.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class Imprimante;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class ListeCochee;

// "QSL's non reçues": the QSOs of one correspondent whose QSL card has not
// arrived, to tick; the ticked ones are printed on the back of a QSL card.
class Multi_QSL : public QWidget {
    Q_OBJECT
public:
    // journal gives the lines of the main list; indicatif the current
    // station.
    Multi_QSL(const Services& services, std::function<Affichage::Journal()> journal,
              std::function<QString()> indicatif, QWidget* parent = nullptr);
    ~Multi_QSL() override;

    // The printer of the cards (the system's by default).
    void changeImprimante(Imprimante* imprimante);

    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Indicatif;
    QLabel* Label6;
    QPushButton* Recherche;
    QLabel* Label1;
    QListView* Liste_QSO;
    QPushButton* Imprimer;

    // The lines of Liste_QSO, and ticking one of them as a click would.
    QStringList lignes() const;
    void cocheLigne(int index, bool cochee);
    QStringList lignesCochees() const;

public Q_SLOTS:
    void Recherche_Click();
    void Imprimer_Click();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    Services m_services;
    std::function<Affichage::Journal()> m_journal;
    std::function<QString()> m_indicatif;
    ListeCochee* m_modele;
    std::unique_ptr<Imprimante> m_imprimanteSysteme;
    Imprimante* m_imprimante;
};

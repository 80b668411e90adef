#pragma once

#include "core/app/Services.h"
#include "core/search/ModeleRecherche.h"
#include "core/search/Recherche.h"

#include <QPointer>
#include <QWidget>

class ListeLog;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QStringListModel;

// Finds QSOs of the main list by callsign, windmill reference or department;
// a double-click on a result selects that QSO in the main list and closes.
// The rules of the boxes and the search are those of its ModeleRecherche.
class Recherche_Indicatif : public QWidget {
    Q_OBJECT
public:
    Recherche_Indicatif(const Services& services, ListeLog& liste, QWidget* parent = nullptr);

    // Opens the window, or brings forward the one already open.
    static Recherche_Indicatif* ouvreFenetre(const Services& services, ListeLog& liste,
                                             QWidget* parent = nullptr);

    // Option1(1) to Option1(3).
    QRadioButton* Option1[4] = {};
    QLineEdit* Indica;
    QLineEdit* Data;
    QLineEdit* Depa;
    QListView* QSO_Effectues;
    QLabel* Label13;
    QLabel* Label3;
    QPushButton* Command1;
    QFrame* Frame2;

    QStringList listeResultats() const;

public Q_SLOTS:
    void Recherche_SP();
    void QSO_Effectues_DblClick();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QLineEdit* boite(Recherche::Cle cle) const;
    Recherche::Cle cleDe(const QLineEdit* boite) const;
    Affichage::Journal journalDeLaListe() const;
    // Runs an action of the model on what the user left in the window, then
    // shows the outcome.
    void agit(const std::function<void()>& action);
    void lit();
    void montre();

    QPointer<ListeLog> m_liste;
    QStringListModel* m_resultats = nullptr;
    int m_recherchesMontrees = 0;
    ModeleRecherche m_modele;
};

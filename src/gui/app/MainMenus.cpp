// The menus of the main window, each item with its objectName.

#include "Main.h"

#include "Aide.h"
#include "core/exchange/Adif.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/awards/Multi_QSL.h"
#include "gui/awards/Scores_Moulins.h"
#include "gui/entry/ListeLog.h"
#include "gui/platform/Apparence.h"
#include "gui/web/Cluster.h"
#include "gui/web/Reglement.h"

#include <QAction>
#include <QMenuBar>

namespace {

QAction* elementMenu(QWidget* menu, const char* nom, const QString& texte)
{
    auto* action = new QAction(texte, menu);
    action->setObjectName(QLatin1String(nom));
    menu->addAction(action);
    return action;
}

QMenu* menu(QMenuBar* barre, const char* nom, const QString& texte)
{
    QMenu* m = barre->addMenu(texte);
    m->setObjectName(QLatin1String(nom));
    m->menuAction()->setObjectName(QLatin1String(nom));
    return m;
}

} // namespace

void Main::construitMenus()
{
    QMenuBar* barre = menuBar();

    QMenu* fichier = menu(barre, "Mnu_Fichier", QStringLiteral("&Fichier"));
    QAction* quitter = elementMenu(fichier, "Mnu_Quitter", QStringLiteral("&Quitter RQN_KZT"));
    connect(quitter, &QAction::triggered, this, &Main::Mnu_Quitter_Click);
    QAction* adif =
        elementMenu(fichier, "Mnu_ADIF", QStringLiteral("&Exporter le log au format ADIF"));
    connect(adif, &QAction::triggered, this,
            [this] { Adif::Mnu_ADIF_Click(m_services.dossier, m_indicatif, m_services.messages); });
    QAction* importation =
        elementMenu(fichier, "Mnu_Import_ADIF", QStringLiteral("&Importer un log ADIF"));
    connect(importation, &QAction::triggered, this, &Main::Mnu_Import_ADIF_Click);

    QMenu* date = menu(barre, "Mnu_Date", QStringLiteral("&Date"));
    Mnu_Date_Auto = elementMenu(date, "Mnu_Date_Auto", QStringLiteral("&Automatique"));
    Mnu_Date_Man = elementMenu(date, "Mnu_Date_Man", QStringLiteral("&Manuelle"));
    for (QAction* a : {Mnu_Date_Auto, Mnu_Date_Man})
        a->setCheckable(true);
    connect(Mnu_Date_Auto, &QAction::triggered, this, &Main::Mnu_Date_Auto_Click);
    connect(Mnu_Date_Man, &QAction::triggered, this, &Main::Mnu_Date_Man_Click);

    QMenu* station = menu(barre, "Mnu_Station", QStringLiteral("&Station"));
    QAction* nouvel =
        elementMenu(station, "Mnu_New_Indicatif", QStringLiteral("&Nouvel Indicatif"));
    connect(nouvel, &QAction::triggered, this, &Main::Mnu_New_Indicatif_Click);
    QAction* restaure =
        elementMenu(station, "Mnu_Restaure", QStringLiteral("&Restaurer une sauvegarde du log"));
    connect(restaure, &QAction::triggered, this, &Main::Mnu_Restaure_Click);
    QAction* copie = elementMenu(station, "Mnu_Copie", QStringLiteral("Copie de &sécurité"));
    connect(copie, &QAction::triggered, this, &Main::Mnu_Copie_Click);

    QMenu* liste = menu(barre, "Mnu_Liste", QStringLiteral("&Liste"));
    QAction* contactes =
        elementMenu(liste, "Mnu_M_Contacte", QStringLiteral("&des Moulins contactés"));
    QMenu* carte = menu(barre, "Mnu_Carte", QStringLiteral("&Carte"));
    QAction* departements =
        elementMenu(carte, "Mnu_Carte_HB", QStringLiteral("&des départements contactés"));

    // Menus without items: the title itself is the command.
    QAction* scoresCalcules = elementMenu(barre, "Mnu_Score", QStringLiteral("Sco&res"));
    QAction* nonRecues = elementMenu(barre, "Mnu_Non_Recues", QStringLiteral("&QSL's non reçues"));

    // The award windows read the log of the station current when they need it.
    const auto indicatif = [this] { return m_indicatif; };
    connect(contactes, &QAction::triggered, this, [this, indicatif] {
        Apparence::ouvreUneFois<Aff_Contacte>(
            this, [&] { return new Aff_Contacte(m_services, indicatif, this); });
    });
    connect(departements, &QAction::triggered, this, [this, indicatif] {
        Apparence::ouvreUneFois<Carte_Acti_KZT>(
            this, [&] { return new Carte_Acti_KZT(m_services, indicatif, this); });
    });
    connect(scoresCalcules, &QAction::triggered, this, [this] {
        Apparence::ouvreUneFois<Scores_Moulins>(
            this, [&] { return new Scores_Moulins(m_services, m_indicatif, this); });
    });
    connect(nonRecues, &QAction::triggered, this, [this, indicatif] {
        const auto journal = [this] { return m_liste->journalAffiche(); };
        Apparence::ouvreUneFois<Multi_QSL>(
            this, [&] { return new Multi_QSL(m_services, journal, indicatif, this); });
    });
    QAction* cluster = elementMenu(barre, "Mnu_Cluster", QStringLiteral("Afficher Cl&uster"));
    connect(cluster, &QAction::triggered, this,
            [this, indicatif] { Cluster::ouvreFenetre(m_services, indicatif, this); });

    QMenu* aide = menu(barre, "Mnu_Aide", QStringLiteral("&Aide"));
    QAction* apropos = elementMenu(aide, "Mnu_APropos", QStringLiteral("&A_Propos"));
    connect(apropos, &QAction::triggered, this, &Main::Mnu_APropos_Click);
    QAction* reglement = elementMenu(aide, "Mnu_Reglement", QStringLiteral("&Reglement"));
    connect(reglement, &QAction::triggered, this,
            [this] { Reglement::ouvreFenetre(m_services, this); });
    QAction* historique = elementMenu(aide, "Mnu_Historique", QStringLiteral("&Historique"));
    connect(historique, &QAction::triggered, this, &Main::Mnu_Historique_Click);
    Aide::ajouteAuMenu(aide);

    QMenu* trafic = menu(barre, "Mnu_Trafic", QStringLiteral("&Trafic"));
    QAction* chasse = elementMenu(trafic, "Mnu_Chasse", QStringLiteral("&Chasse aux moulins"));
    connect(chasse, &QAction::triggered, this, &Main::Mnu_Chasse_Click);
    QAction* reglageRadio =
        elementMenu(trafic, "Mnu_Reglage_Radio", QStringLiteral("&Réglage de la radio"));
    connect(reglageRadio, &QAction::triggered, this, &Main::Mnu_Reglage_Radio_Click);
    QAction* annuaire = elementMenu(trafic, "Mnu_Annuaire", QStringLiteral("Annuaire en &ligne"));
    connect(annuaire, &QAction::triggered, this, &Main::Mnu_Annuaire_Click);
}

#include "Main.h"

#include "Aide.h"
#include "Gestion_Erreur.h"
#include "Station.h"
#include "core/app/CopieEnFond.h"
#include "core/app/HorlogeLue.h"
#include "core/app/Reglages.h"
#include "core/app/Version.h"
#include "core/exchange/Adif.h"
#include "core/log/Affichage.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "core/radio/Radio.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/awards/Multi_QSL.h"
#include "gui/awards/Scores_Moulins.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/DialogueFichier.h"
#include "gui/search/Recherche_Indicatif.h"
#include "gui/web/Cluster.h"
#include "gui/web/Liste_KZT1.h"
#include "gui/web/Reglement.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Number shown when the log cannot be read for another reason than its
// absence: a file access error.
constexpr int kErreurAcces = 75;

using FichierTexte::finLigne;

} // namespace

Main::Main(const Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_dialogueFichier(new DialogueFichier(this)),
      m_choixFichier(m_dialogueFichier.get())
{
    setObjectName(QStringLiteral("Main"));
    Apparence::clavier(this, false);
    Aide::installe();
    setWindowTitle(QStringLiteral("RQN_KZT"));
    setAccessibleName(QStringLiteral("RQN_KZT"));
    // A QSO clicked in the list shows in disabled fields: readable all the same.
    Apparence::texteDesactiveLisible(this);

    m_saisie = new ZoneSaisie(this);
    m_liste = new ListeLog(this);

    auto* centre = new QWidget(this);
    auto* colonne = new QVBoxLayout(centre);
    colonne->addWidget(construitEntete());
    colonne->addWidget(m_saisie);
    colonne->addWidget(m_liste, 1);
    setCentralWidget(centre);

    construitMenus();
    construitRadio();
    construitCopie();
    // A settings file that cannot be written is said once; the program goes on.
    BoiteMessage& messages = m_services.messages;
    m_services.reglages.signaleEchecsPar(
        [&messages](const QString& message) { messages.avise(message); });
    connect(m_saisie->Rechercher, &QPushButton::clicked, this,
            [this] { Recherche_Indicatif::ouvreFenetre(m_services, *m_liste, this); });
    connect(m_saisie->Command1, &QPushButton::clicked, this,
            [this] { Liste_KZT1::ouvreFenetre(m_services, this); });

    m_liaison = new LiaisonSaisie(*m_saisie, *m_liste, m_services, this);
    relieSaisie();
    construitAnnuaire();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    m_services.horloge.cadence(Timer1, [this] { Timer1_Timer(); });
    Timer1_Timer();

    dimensionne();
}

Main::~Main()
{
    delete m_station;
}

QWidget* Main::construitEntete()
{
    auto* entete = new QWidget(this);

    QFrame* frame1 = Apparence::cadreNomme(entete, "Frame1");
    I_Station = Apparence::etiquette(frame1, "I_Station", QString());
    QFont gras = I_Station->font();
    gras.setBold(true);
    gras.setPointSizeF(gras.pointSizeF() * 1.3);
    I_Station->setFont(gras);
    auto* station = new QHBoxLayout(frame1);
    station->addWidget(
        Apparence::etiquette(frame1, "Label2", QStringLiteral("INDICATIF DE LA STATION  : ")));
    station->addWidget(I_Station);
    station->addStretch(1);

    QFrame* frame2 = Apparence::cadreNomme(entete, "Frame2");
    Label37 = Apparence::etiquette(frame2, "Label37", QStringLiteral("12:35"));
    Label34 = Apparence::etiquette(frame2, "Label34", QStringLiteral("12:20"));
    QFont heure = Label37->font();
    heure.setBold(true);
    heure.setPointSizeF(heure.pointSizeF() * 1.3);
    for (QLabel* l : {Label37, Label34}) {
        l->setFont(heure);
        l->setEnabled(false);
        l->setMinimumWidth(QFontMetrics(heure).horizontalAdvance(QStringLiteral("00:00 Utc ")));
    }
    auto* heures = new QHBoxLayout(frame2);
    heures->addWidget(Label37);
    heures->addSpacing(12);
    heures->addWidget(Label34);

    QFrame* frame7 = Apparence::cadreNomme(entete, "Frame7");
    Label33 = Apparence::etiquette(frame7, "Label33", QStringLiteral("02/02/08"));
    Label33->setFont(heure);
    auto* date = new QHBoxLayout(frame7);
    date->addWidget(Label33);

    auto* ligne = new QHBoxLayout(entete);
    ligne->setContentsMargins(0, 0, 0, 0);
    ligne->addWidget(frame1, 1);
    ligne->addWidget(frame2);
    ligne->addWidget(frame7);
    return entete;
}

void Main::dimensionne()
{
    // The entry fields go onto two rows when the screen is too narrow for one.
    const QSize zone = Apparence::placeLibre(this);
    const QSize taille = sizeHint()
                             .expandedTo(QSize(minimumSizeHint().width(), 640))
                             .boundedTo(QSize(zone.width() * 95 / 100, zone.height() * 90 / 100));
    resize(taille.expandedTo(minimumSizeHint()));
}

bool Main::demarreProgramme()
{
    StockReglages& reglages = m_services.reglages;
    const QString globale = Reglages::sectionGlobale;

    dimensionne();
    Apparence::centreFenetre(this);

    m_saisie->Bande_A->clear();
    m_saisie->Bande_A->addItems(listeBandes());
    m_saisie->Mode_A->clear();
    m_saisie->Mode_A->addItems(listeModes());

    changeIndicatifCourant(indicatifEnregistre(reglages));
    afficheStation(m_indicatif);

    const QString section = Reglages::sectionStation(m_indicatif);
    choisitBandeMode(reglages.litIndex(section, Reglages::bandeUtilisee, 0),
                     reglages.litIndex(section, Reglages::modeUtilise, 0));

    demarreRadio();
    appliqueAnnuaire();

    const QString dateAuto = reglages.lit(section, Reglages::dateAutomatique, Reglages::valeurOui);
    Mnu_Date_Auto->setChecked(dateAuto == Reglages::valeurOui);
    Mnu_Date_Man->setChecked(dateAuto == Reglages::valeurNon);

    reglages.ecrit(globale, Reglages::cheminRepertoire,
                   QDir::toNativeSeparators(m_services.dossier));

    // The first-name memory is delivered empty; a folder that lost it gets
    // it back. A failure here is not a reason to stop: a missing memory
    // reads as empty and the first save creates it.
    QFile prenoms(QDir(m_services.dossier).filePath(FirstNameMemory::nomFichier));
    if (!prenoms.exists() && prenoms.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        prenoms.close();

    if (m_indicatif == Reglages::indicatifAucun) {
        m_services.messages.avise(
            finLigne + QStringLiteral("Premiere installation, vous devez entrer votre Indicatif") +
            finLigne + finLigne);
        ouvreStationModale();
        if (m_termine)
            return false;
    }

    show();
    m_saisie->Ind_A->setEnabled(true);
    m_saisie->Ind_A->setFocus();
    m_saisie->Mode_Aff->setText(QStringLiteral("Saisie QSO"));

    setWindowTitle(QStringLiteral("  RQN_KZT    Revision ") + Version::Texte);

    if (m_indicatif != Reglages::indicatifAucun && !Charge_Log())
        return false;

    m_liste->selectionneDerniere();
    demarreChasse();

    // A copy that the last end had to abandon: said once.
    if (const QString avis = copieSecurite().avisDemarrage(); !avis.isEmpty())
        m_services.messages.avise(avis);

    reglages.ecrit(Reglages::sectionStation(m_indicatif), Reglages::revision, Version::Texte);

    // The entry area starts ready for a new QSO.
    m_liaison->agit([this] { m_liaison->modele().Prepare_Saisie(); });
    return true;
}

bool Main::Charge_Log()
{
    m_liste->videListe();
    const StationLog log(m_services.dossier, m_indicatif);
    const StationLog::Lignes lu = log.Charge_Log();

    if (lu.statut.code == Statut::Absent) {
        Gestion_Erreur fenetre(
            m_services, [this] { termineProgramme(); }, this);
        fenetre.Err_Departement->setText(QStringLiteral("_KZT.log"));
        fenetre.exec();
        // Nothing is left to do without a log, whichever way the window closed.
        termineProgramme();
        return false;
    }
    if (!lu.statut) {
        m_services.messages.avise(QStringLiteral("Erreur N° ") + QString::number(kErreurAcces) +
                                  finLigne + finLigne + lu.statut.message);
        termineProgramme();
        return false;
    }

    m_liste->remplitListe(lu.affichage);
    m_saisie->Ind_A->setEnabled(true);

    // A backup that failed before a change: said once, the change was made.
    for (const QString& echec : Sauvegardes::echecsASignaler())
        m_services.messages.avise(echec);

    if (lu.tronque()) {
        m_services.messages.avise(
            QStringLiteral("Le log « %1 » compte %2 QSO : la liste ne peut en montrer que %3, "
                           "seuls les %3 premiers y figurent.")
                .arg(StationLog::nomFichier(m_indicatif))
                .arg(lu.total)
                .arg(Affichage::numeroMaxi));
    }
    chasseLogChange();
    return true;
}

void Main::termineProgramme()
{
    if (m_termine)
        return;
    m_termine = true;
    Timer1->stop();
    if (m_station)
        m_station->close();
    m_services.termine();
}

void Main::Timer1_Timer()
{
    // One reading of the clock for the three texts, so that they never come
    // from two different seconds (at midnight, the date and the time).
    const HorlogeLue h = litHorloge(m_services.horloge);
    Label37->setEnabled(true);
    Label37->setText(h.heureUtc.left(5) + QStringLiteral(" Utc"));
    Label34->setEnabled(true);
    Label34->setText(h.heureLocale.left(5) + QStringLiteral(" Loc"));
    Label33->setText(h.dateUtc);
}

void Main::Mnu_Date_Auto_Click()
{
    Mnu_Date_Auto->setChecked(true);
    Mnu_Date_Man->setChecked(false);
    m_saisie->Date_A->clear();
    m_services.reglages.ecrit(Reglages::sectionStation(m_indicatif), Reglages::dateAutomatique,
                              Reglages::valeurOui);
}

void Main::Mnu_Date_Man_Click()
{
    Mnu_Date_Auto->setChecked(false);
    Mnu_Date_Man->setChecked(true);
    m_services.reglages.ecrit(Reglages::sectionStation(m_indicatif), Reglages::dateAutomatique,
                              Reglages::valeurNon);
}

void Main::Mnu_New_Indicatif_Click()
{
    // A window of its own, without parent: kept here to be closed with the
    // program.
    m_station = Apparence::ouvreUneFois<Station>(nullptr, [this] {
        Station* station = creeStation();
        station->setScreen(Apparence::ecranDe(this));
        Apparence::centreFenetre(station);
        return station;
    });
}

void Main::ouvreStationModale()
{
    delete m_station;
    m_station = creeStation();
    m_station->setWindowModality(Qt::ApplicationModal);
    m_station->exec();
}

void Main::Mnu_APropos_Click()
{
    m_services.messages.avise(
        QStringLiteral("RQN_KZT  Révision ") + Version::Texte + finLigne + finLigne +
        QStringLiteral("Carnet de trafic du diplôme KZT : les moulins des départements "
                       "français contactés, confirmés et comptés par bande."));
}

void Main::Mnu_Historique_Click()
{
    m_services.messages.avise(Version::texteHistorique());
}

// The close box closes the main window only: the windows opened from it stay
// open, and the program ends when the last of them is closed. Qt does not
// count a window that has a parent among those that keep the program going,
// so they lose that tie to the main window now. The windmill hunt, which
// keeps the cluster's link, closes with it. A QSO being typed is given up
// only when the operator says so; otherwise the window stays, and the QSO.
void Main::closeEvent(QCloseEvent* evenement)
{
    bool abandon = true;
    if (!m_termine)
        m_liaison->agit([&] { abandon = m_liaison->modele().abandonAccepte(); });
    if (!abandon) {
        evenement->ignore();
        return;
    }
    fermeChasse();
    copieDeFin();
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() && w->isVisible() && w->windowHandle())
            w->windowHandle()->setTransientParent(nullptr);
    }
    QMainWindow::closeEvent(evenement);
}

void Main::Mnu_Quitter_Click()
{
    if (close())
        termineProgramme();
}

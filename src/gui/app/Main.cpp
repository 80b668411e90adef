#include "Main.h"

#include "Aide.h"
#include "Gestion_Erreur.h"
#include "Station.h"
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

void Main::Mnu_Restaure_Click()
{
    BoiteMessage& messages = m_services.messages;
    if (m_indicatif == Reglages::indicatifAucun) {
        messages.avise(QStringLiteral("Choisissez d'abord l'indicatif de la station (menu "
                                      "« Station », « Nouvel Indicatif »)."));
        return;
    }
    const QString log = StationLog::nomFichier(m_indicatif);
    Sauvegardes sauvegardes(m_services.dossier, m_services.horloge);
    const QStringList noms = sauvegardes.liste(m_indicatif);
    if (noms.isEmpty()) {
        messages.avise(
            QStringLiteral("Le dossier « %1 » ne contient aucune sauvegarde du log « %2 ».")
                .arg(Sauvegardes::nomDossier, log));
        return;
    }

    // Each copy by its day, time and number of QSOs, the most recent first.
    QStringList descriptions;
    for (const QString& n : noms)
        descriptions << sauvegardes.description(n);
    QInputDialog choix(this);
    choix.setObjectName(QStringLiteral("Choix_Sauvegarde"));
    choix.setWindowTitle(QStringLiteral("Restaurer une sauvegarde du log"));
    choix.setLabelText(QStringLiteral("Sauvegarde à remettre à la place du log « %1 » :").arg(log));
    choix.setComboBoxItems(descriptions);
    choix.setComboBoxEditable(false);
    choix.setOkButtonText(QStringLiteral("Restaurer"));
    choix.setCancelButtonText(QStringLiteral("Annuler"));
    if (choix.exec() != QDialog::Accepted)
        return;
    const qsizetype choisie = descriptions.indexOf(choix.textValue());
    if (choisie < 0)
        return;
    const QString nom = noms.at(choisie);
    const QString question =
        QStringLiteral("Remplacer le log « %1 » par la sauvegarde « %2 » ?").arg(log, nom) +
        finLigne + finLigne +
        QStringLiteral("Le log actuel est d'abord copié lui aussi dans le dossier « %1 ».")
            .arg(Sauvegardes::nomDossier);
    if (!messages.demandeConfirmation(question))
        return;
    QString copieAvant;
    const Statut fait = sauvegardes.restaureSauvegarde(m_indicatif, nom, &copieAvant);
    if (!fait) {
        messages.avise(fait.message);
        return;
    }
    // A QSO being edited belonged to the log that is gone.
    m_liaison->agit([this] { m_liaison->modele().changeStation(); });
    if (!Charge_Log())
        return;
    m_liste->selectionneDerniere();
    QString fin =
        QStringLiteral("Le log « %1 » a été remplacé par la sauvegarde « %2 ».").arg(log, nom);
    if (!copieAvant.isEmpty())
        fin +=
            finLigne + finLigne +
            QStringLiteral("Le log d'avant la restauration est gardé dans la sauvegarde « %1 » : "
                           "restaurez-la pour défaire cette restauration.")
                .arg(copieAvant);
    messages.avise(fin);
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
// keeps the cluster's link, closes with it.
void Main::closeEvent(QCloseEvent* evenement)
{
    fermeChasse();
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() && w->isVisible() && w->windowHandle())
            w->windowHandle()->setTransientParent(nullptr);
    }
    QMainWindow::closeEvent(evenement);
}

void Main::Mnu_Quitter_Click()
{
    close();
    termineProgramme();
}

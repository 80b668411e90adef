#include "BancProgramme.h"

#include "core/app/Instance.h"
#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "gui/app/Aide.h"
#include "gui/app/Gestion_Erreur.h"
#include "gui/app/Station.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "support/ChoixFichierScripte.h"

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

class TestMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void premierDemarrage_data();
    void premierDemarrage();
    void premierDemarrageChoisitIndicatif();
    void demarrageSelectionneDerniereLigne_data();
    void demarrageSelectionneDerniereLigne();
    void bandeEtModeRestaures_data();
    void bandeEtModeRestaures();
    void logAbsent_data();
    void logAbsent();
    void logIlisibleTermine();
    void logTropLongTronque();
    void listePrenomsCreeeSansEcraser();
    void modeDate_data();
    void modeDate();
    void horlogeAutourDeMinuit_data();
    void horlogeAutourDeMinuit();
    void menusOuverts_data();
    void menusOuverts();
    void aProposHistoriqueQuitter();
    void fermetureLaisseLesFenetresOuvertes();
    void listeEnPoliceFixe();
    void instanceUnique_data();
    void instanceUnique();
    void reglagesNonEnregistresSignalesUneFois();
    void sauvegardeRateeSignaleeUneFois();
    void restaurationDepuisLeMenu_data();
    void restaurationDepuisLeMenu();
    void importationDepuisLeMenu_data();
    void importationDepuisLeMenu();
    void aideParF1_data();
    void aideParF1();
};

namespace {

const QString kTitre = QStringLiteral("  RQN_KZT    Revision  1.0.2");

QString texteStation(Main& m)
{
    return enfant<QLabel>(&m, "I_Station")->text();
}

} // namespace

// No callsign stored yet, or one that is not a station callsign (a settings
// file edited by hand): the first start, and no file named after that text.
void TestMain::premierDemarrage_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::newRow("no settings") << QString();
    QTest::newRow("FXXXX") << QStringLiteral("FXXXX");
    QTest::newRow("parent folder") << QStringLiteral("../outside");
    QTest::newRow("absolute path") << QStringLiteral("/tmp/outside");
    QTest::newRow("slash") << QStringLiteral("F1ABC/P");
    QTest::newRow("lower case") << QStringLiteral("f1abc");
    QTest::newRow("13 characters") << QStringLiteral("F1ABCDEFGHIJK");
    QTest::newRow("empty") << QStringLiteral("");
}

void TestMain::premierDemarrage()
{
    QFETCH(QString, stocke);
    BancProgramme b;
    if (!stocke.isNull())
        b.choisitStation(stocke);
    const QStringList fichiers = QDir(b.dossier.path()).entryList(QDir::Files);
    bool stationVue = false;
    int messagesAvantStation = -1;
    const auto attente1 = surModal(QStringLiteral("Station"), [&](QWidget* w) {
        stationVue = w->windowTitle() == QStringLiteral("Selection Indicaif");
        messagesAvantStation = int(b.messages.shown().size());
        w->close();
    });
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    QVERIFY(stationVue);
    QCOMPARE(messagesAvantStation, 1);
    QCOMPARE(b.messages.texts(),
             QStringList{QStringLiteral(
                 "\r\nPremiere installation, vous devez entrer votre Indicatif\r\n\r\n")});
    QCOMPARE(m.Liste()->nombreLignes(), 0);
    QCOMPARE(m.windowTitle(), kTitre);
    QCOMPARE(texteStation(m), QStringLiteral("FXXXX"));
    QCOMPARE(m.Indicatif_Courant(), QStringLiteral("FXXXX"));
    QVERIFY(m.isVisible());
    QCOMPARE(m.zoneDeSaisie()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(b.reglages.read(Reglages::sectionGlobale, Reglages::cheminRepertoire, {}),
             QDir::toNativeSeparators(b.dossier.path()));
    QCOMPARE(b.termine, 0);
    QCOMPARE(QDir(b.dossier.path()).entryList(QDir::Files),
             fichiers + QStringList{QStringLiteral("Liste_Prenom.txt")});
    QVERIFY(!QFile::exists(b.chemin(QStringLiteral("../outside_KZT.log"))));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/outside_KZT.log")));
}

void TestMain::premierDemarrageChoisitIndicatif()
{
    BancProgramme b;
    const auto attente2 = surModal(QStringLiteral("Station"), [](QWidget* w) {
        auto* champ = enfant<QLineEdit>(w, "New_Indicatif");
        QTest::keyClicks(champ, QStringLiteral("f/p1abc"));
        QTest::keyClick(champ, Qt::Key_Return);
        QTest::keyClick(enfant<QPushButton>(w, "Validation"), Qt::Key_Return);
    });
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(b.station(), QStringLiteral("F_P1ABC"));
    QVERIFY(QFile::exists(b.cheminLog(QStringLiteral("F_P1ABC"))));
    QCOMPARE(texteStation(m), QStringLiteral("F/P1ABC"));
    QCOMPARE(m.Indicatif_Courant(), QStringLiteral("F_P1ABC"));
    QCOMPARE(b.reglageStation(QStringLiteral("F_P1ABC"), Reglages::revision),
             QStringLiteral(" 1.0.2"));
    QCOMPARE(m.Liste()->nombreLignes(), 0);
}

void TestMain::demarrageSelectionneDerniereLigne_data()
{
    QTest::addColumn<int>("lignes");
    QTest::newRow("empty log") << 0;
    QTest::newRow("one QSO") << 1;
    QTest::newRow("seven QSOs") << 7;
    QTest::newRow("a few hundred") << 345;
}

void TestMain::demarrageSelectionneDerniereLigne()
{
    QFETCH(int, lignes);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F_P1ABC"));
    const QByteArray avant = b.ecritLog(QStringLiteral("F_P1ABC"), lignes);
    int choisie = -2;
    Main m(b.services());
    connect(m.Liste(), &ListeLog::aChoisiLigne, this, [&choisie](int i) { choisie = i; });
    QVERIFY(m.demarreProgramme());

    QVERIFY(b.messages.shown().isEmpty());
    QCOMPARE(m.Liste()->nombreLignes(), lignes);
    QCOMPARE(m.Liste()->indexSelection(), lignes - 1);
    if (lignes > 0) {
        QCOMPARE(choisie, lignes - 1);
        QVERIFY(m.Liste()->Ligne(lignes - 1).startsWith(QStringLiteral("%1  ").arg(lignes, 5)));
    }
    QCOMPARE(texteStation(m), QStringLiteral("F_P1ABC"));
    QCOMPARE(m.windowTitle(), kTitre);
    QVERIFY(m.zoneDeSaisie()->Ind_A->isEnabled());
    QCOMPARE(b.reglageStation(QStringLiteral("F_P1ABC"), Reglages::revision),
             QStringLiteral(" 1.0.2"));
    QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F_P1ABC"))), avant);
}

void TestMain::bandeEtModeRestaures_data()
{
    QTest::addColumn<QString>("bande");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("indexBande");
    QTest::addColumn<int>("indexMode");
    QTest::newRow("absent") << QString() << QString() << 0 << 0;
    QTest::newRow("stored") << QStringLiteral("11") << QStringLiteral("2") << 11 << 2;
    QTest::newRow("outside the lists") << QStringLiteral("12") << QStringLiteral("-1") << -1 << -1;
    QTest::newRow("not a number") << QStringLiteral("x") << QStringLiteral("") << -1 << -1;
}

void TestMain::bandeEtModeRestaures()
{
    QFETCH(QString, bande);
    QFETCH(QString, mode);
    QFETCH(int, indexBande);
    QFETCH(int, indexMode);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    const QString section = Reglages::sectionStation(QStringLiteral("F1ABC"));
    if (!bande.isNull())
        b.reglages.write(section, Reglages::bandeUtilisee, bande);
    if (!mode.isNull())
        b.reglages.write(section, Reglages::modeUtilise, mode);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QCOMPARE(m.zoneDeSaisie()->Bande_A->count(), 12);
    QCOMPARE(m.zoneDeSaisie()->Bande_A->itemText(0), QStringLiteral("1.8 Mhz"));
    QCOMPARE(m.zoneDeSaisie()->Mode_A->count(), 3);
    QCOMPARE(m.zoneDeSaisie()->Bande_A->currentIndex(), indexBande);
    QCOMPARE(m.zoneDeSaisie()->Mode_A->currentIndex(), indexMode);
}

void TestMain::logAbsent_data()
{
    QTest::addColumn<bool>("initialise");
    QTest::addColumn<bool>("parQuitter");
    QTest::newRow("Initialiser then Quitter") << true << true;
    QTest::newRow("Quitter alone") << false << true;
    QTest::newRow("Initialiser then close box") << true << false;
    QTest::newRow("close box alone") << false << false;
}

void TestMain::logAbsent()
{
    QFETCH(bool, initialise);
    QFETCH(bool, parQuitter);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    QStringList vu;
    bool modal = false;
    const auto attente3 = surModal(QStringLiteral("Gestion_Erreur"), [&](QWidget* w) {
        auto* fenetre = qobject_cast<Gestion_Erreur*>(w);
        modal = fenetre->isModal();
        vu << fenetre->windowTitle() << fenetre->Ind_Station->text()
           << fenetre->Ind_Station1->text() + fenetre->Err_Departement->text();
        if (initialise)
            QTest::mouseClick(fenetre->Initialisation, Qt::LeftButton);
        vu << b.station();
        if (parQuitter)
            QTest::mouseClick(fenetre->Quitter, Qt::LeftButton);
        else
            fenetre->close();
    });
    {
        Main m(b.services());
        QVERIFY(!m.demarreProgramme());
        QVERIFY(m.estTermine());
    }
    QVERIFY(modal);
    const QString apres = initialise ? QStringLiteral("FXXXX") : QStringLiteral("F1ABC");
    QCOMPARE(vu, (QStringList{QStringLiteral("Gestion erreur 53"), QStringLiteral("F1ABC"),
                              QStringLiteral("F1ABC_KZT.log"), apres}));
    QCOMPARE(b.termine, 1);
    QVERIFY(b.messages.shown().isEmpty());
    QVERIFY(!QFile::exists(b.cheminLog(QStringLiteral("F1ABC"))));

    // The next start asks for a callsign again, or meets the missing log again.
    bool stationVue = false;
    bool erreurVue = false;
    const auto attente4 = surModal(QStringLiteral("Station"), [&](QWidget* w) {
        stationVue = true;
        w->close();
    });
    const auto attente5 = surModal(QStringLiteral("Gestion_Erreur"), [&](QWidget* w) {
        erreurVue = true;
        w->close();
    });
    Main suivant(b.services());
    QCOMPARE(suivant.demarreProgramme(), initialise);
    QCOMPARE(stationVue, initialise);
    QCOMPARE(erreurVue, !initialise);
    QCOMPARE(b.messages.shown().size(), initialise ? 1 : 0);
}

void TestMain::logIlisibleTermine()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    QVERIFY(QDir(b.dossier.path()).mkdir(QStringLiteral("F1ABC_KZT.log")));
    Main m(b.services());
    QVERIFY(!m.demarreProgramme());
    QCOMPARE(b.termine, 1);
    QCOMPARE(b.messages.shown().size(), 1);
    QVERIFY(b.messages.dernierTexte().startsWith(QStringLiteral("Erreur N° 75")));
    QVERIFY2(b.messages.dernierTexte().contains(QStringLiteral("un dossier porte ce nom")),
             qPrintable(b.messages.dernierTexte()));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMain::logTropLongTronque()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 100001);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QCOMPARE(b.termine, 0);
    QCOMPARE(m.Liste()->nombreLignes(), 99999);
    QCOMPARE(m.Liste()->indexSelection(), 99998);
    QVERIFY(m.Liste()->Ligne(99998).startsWith(QStringLiteral("99999  F9999AB")));
    QCOMPARE(b.messages.texts(),
             QStringList{QStringLiteral(
                 "Le log « F1ABC_KZT.log » compte 100001 QSO : la liste ne peut en montrer que "
                 "99999, seuls les 99999 premiers y figurent.")});
}

void TestMain::listePrenomsCreeeSansEcraser()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    const QString prenoms = b.chemin(QStringLiteral("Liste_Prenom.txt"));
    {
        Main m(b.services());
        QVERIFY(m.demarreProgramme());
    }
    QVERIFY(QFile::exists(prenoms));
    QCOMPARE(QFileInfo(prenoms).size(), 0);

    QFile f(prenoms);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("F1XYZ        77 PAUL\r\n");
    f.close();
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QCOMPARE(BancProgramme::lit(prenoms), QByteArray("F1XYZ        77 PAUL\r\n"));
}

void TestMain::modeDate_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<bool>("auto_");
    QTest::addColumn<bool>("manuel");
    QTest::newRow("absent") << QString() << true << false;
    QTest::newRow("Oui") << QStringLiteral("Oui") << true << false;
    QTest::newRow("Non") << QStringLiteral("Non") << false << true;
    QTest::newRow("other") << QStringLiteral("oui") << false << false;
}

void TestMain::modeDate()
{
    QFETCH(QString, stocke);
    QFETCH(bool, auto_);
    QFETCH(bool, manuel);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    if (!stocke.isNull())
        b.reglages.write(Reglages::sectionStation(QStringLiteral("F1ABC")),
                         Reglages::dateAutomatique, stocke);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    auto* mAuto = enfant<QAction>(&m, "Mnu_Date_Auto");
    auto* mMan = enfant<QAction>(&m, "Mnu_Date_Man");
    QCOMPARE(mAuto->isChecked(), auto_);
    QCOMPARE(mMan->isChecked(), manuel);

    QLineEdit* date = m.zoneDeSaisie()->Date_A;
    date->setText(QStringLiteral("01/02/08"));
    mMan->trigger();
    QVERIFY(!mAuto->isChecked());
    QVERIFY(mMan->isChecked());
    QCOMPARE(date->text(), QStringLiteral("01/02/08"));
    QCOMPARE(b.reglageStation(QStringLiteral("F1ABC"), Reglages::dateAutomatique),
             QStringLiteral("Non"));
    mMan->trigger(); // again: stays checked
    QVERIFY(mMan->isChecked());

    mAuto->trigger();
    QVERIFY(mAuto->isChecked());
    QVERIFY(!mMan->isChecked());
    QCOMPARE(date->text(), QString());
    QCOMPARE(b.reglageStation(QStringLiteral("F1ABC"), Reglages::dateAutomatique),
             QStringLiteral("Oui"));
    mAuto->trigger();
    QVERIFY(mAuto->isChecked());
}

void TestMain::horlogeAutourDeMinuit_data()
{
    QTest::addColumn<int>("decalage");
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<QStringList>("apres");
    QTest::newRow("local ahead of UTC") << 3600 << QStringList{"23:59 Utc", "00:59 Loc", "06/12/26"}
                                        << QStringList{"00:00 Utc", "01:00 Loc", "07/12/26"};
    QTest::newRow("local behind UTC")
        << -5 * 3600 << QStringList{"23:59 Utc", "18:59 Loc", "06/12/26"}
        << QStringList{"00:00 Utc", "19:00 Loc", "07/12/26"};
    QTest::newRow("local equal to UTC") << 0 << QStringList{"23:59 Utc", "23:59 Loc", "06/12/26"}
                                        << QStringList{"00:00 Utc", "00:00 Loc", "07/12/26"};
}

void TestMain::horlogeAutourDeMinuit()
{
    QFETCH(int, decalage);
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    BancProgramme b;
    b.horloge.set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59), Qt::UTC), decalage);
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    auto lus = [&m] {
        return QStringList{enfant<QLabel>(&m, "Label37")->text(),
                           enfant<QLabel>(&m, "Label34")->text(),
                           enfant<QLabel>(&m, "Label33")->text()};
    };
    QCOMPARE(lus(), avant);
    QVERIFY(enfant<QLabel>(&m, "Label37")->isEnabled());
    QVERIFY(enfant<QLabel>(&m, "Label34")->isEnabled());

    b.horloge.advance(1);
    QTRY_COMPARE_WITH_TIMEOUT(lus(), apres, 1100);
}

void TestMain::menusOuverts_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("actif");
    auto ligne = [](const char* nom, const char* parent, const char* texte, bool actif) {
        QTest::newRow(nom) << QString::fromLatin1(nom) << QString::fromLatin1(parent)
                           << QString::fromUtf8(texte) << actif;
    };
    ligne("Mnu_Fichier", "", "Fichier", true);
    ligne("Mnu_Quitter", "Mnu_Fichier", "Quitter RQN_KZT", true);
    ligne("Mnu_ADIF", "Mnu_Fichier", "Exporter le log au format ADIF", true);
    ligne("Mnu_Import_ADIF", "Mnu_Fichier", "Importer un log ADIF", true);
    ligne("Mnu_Date", "", "Date", true);
    ligne("Mnu_Date_Auto", "Mnu_Date", "Automatique", true);
    ligne("Mnu_Date_Man", "Mnu_Date", "Manuelle", true);
    ligne("Mnu_Station", "", "Station", true);
    ligne("Mnu_New_Indicatif", "Mnu_Station", "Nouvel Indicatif", true);
    ligne("Mnu_Restaure", "Mnu_Station", "Restaurer une sauvegarde du log", true);
    ligne("Mnu_Liste", "", "Liste", true);
    ligne("Mnu_M_Contacte", "Mnu_Liste", "des Moulins contactés", true);
    ligne("Mnu_Carte", "", "Carte", true);
    ligne("Mnu_Carte_HB", "Mnu_Carte", "des départements contactés", true);
    ligne("Mnu_Score", "", "Scores", true);
    ligne("Mnu_Non_Recues", "", "QSL's non reçues", true);
    ligne("Mnu_Cluster", "", "Afficher Cluster", true);
    ligne("Mnu_Aide", "", "Aide", true);
    ligne("Mnu_APropos", "Mnu_Aide", "A_Propos", true);
    ligne("Mnu_Reglement", "Mnu_Aide", "Reglement", true);
    ligne("Mnu_Historique", "Mnu_Aide", "Historique", true);
    ligne("Mnu_Mode_Emploi", "Mnu_Aide", "Mode d'emploi\tF1", true);
}

void TestMain::menusOuverts()
{
    QFETCH(QString, nom);
    QFETCH(QString, parent);
    QFETCH(QString, texte);
    QFETCH(bool, actif);
    BancProgramme b;
    Main m(b.services());
    QList<QAction*> trouvees;
    for (QAction* a : m.findChildren<QAction*>(nom)) {
        if (!trouvees.contains(a))
            trouvees << a;
    }
    QCOMPARE(trouvees.size(), 1);
    QAction* action = trouvees.first();
    QString visible = action->text();
    QCOMPARE(visible.count(QLatin1Char('&')), 1); // reachable from the keyboard
    QCOMPARE(visible.remove(QLatin1Char('&')), texte);
    QCOMPARE(action->isEnabled(), actif);

    const QList<QAction*> barre = m.menuBar()->actions();
    if (parent.isEmpty()) {
        QVERIFY(barre.contains(action));
    } else {
        auto* menu = m.findChild<QMenu*>(parent);
        QVERIFY(menu);
        QVERIFY(menu->actions().contains(action));
        QVERIFY(barre.contains(menu->menuAction()));
    }

    // The mnemonic letters of the bar are all different.
    QSet<QChar> lettres;
    for (QAction* a : barre) {
        const QString t = a->text();
        lettres.insert(t.at(t.indexOf(QLatin1Char('&')) + 1).toLower());
    }
    QCOMPARE(lettres.size(), barre.size());
}

void TestMain::aProposHistoriqueQuitter()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    enfant<QAction>(&m, "Mnu_APropos")->trigger();
    QVERIFY(
        b.messages.dernierTexte().startsWith(QStringLiteral("RQN_KZT  Révision  1.0.2\r\n\r\n")));
    QVERIFY(b.messages.dernierTexte().size() > 30);
    QCOMPARE(b.messages.shown().last().buttons, BoiteMessage::Ok);

    enfant<QAction>(&m, "Mnu_Historique")->trigger();
    QCOMPARE(b.messages.dernierTexte(),
             QStringLiteral("V1.0.0   le 20/06/2008 creation\r\n"
                            "V1.0.1   le 14/12/2008 Ajout QSL's non reçues\r\n"
                            "V1.0.2   le 03/12/2014 Sauvegarde ADIF utilisant <STATE>, <SIG> et "
                            "<SIG_INFO>\r\n"));
    QCOMPARE(b.termine, 0);

    enfant<QAction>(&m, "Mnu_Quitter")->trigger();
    QCOMPARE(b.termine, 1);
    QVERIFY(!m.isVisible());
}

// The main window's close box: a window opened from the menus stays open and
// the program goes on until it is closed too.
void TestMain::fermetureLaisseLesFenetresOuvertes()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    enfant<QAction>(&m, "Mnu_Score")->trigger();
    QPointer<QWidget> scoresCalcules = m.findChild<QWidget*>(QStringLiteral("Scores_Moulins"));
    QVERIFY(scoresCalcules && scoresCalcules->isVisible());

    bool ouverteApres = false;
    QTimer::singleShot(0, &m, [&] {
        m.close();
        QTimer::singleShot(50, &m, [&] {
            ouverteApres = scoresCalcules && scoresCalcules->isVisible();
            if (scoresCalcules)
                scoresCalcules->close();
        });
    });
    QTimer::singleShot(3000, &m, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0); // ended by the last window, not by the watch
    QVERIFY(ouverteApres);
    QVERIFY(!m.isVisible());
}

void TestMain::listeEnPoliceFixe()
{
    BancProgramme b;
    Main m(b.services());
    QTreeView* liste = m.Liste()->Liste_KZT;
    QLabel* titres = m.Liste()->Label_Liste;
    QCOMPARE(liste->objectName(), QStringLiteral("Liste_KZT"));
    QVERIFY(liste->uniformRowHeights());
    QVERIFY(QFontInfo(liste->font()).fixedPitch());
    QCOMPARE(QFontInfo(titres->font()).family(), QFontInfo(liste->font()).family());
    QCOMPARE(liste->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(titres->text(),
             QStringLiteral("     N°   Indicatif           Dpt   Prenom                Ref       "
                            "Date       QTR  Mode   QRG  RSTR RSTE        Mom du Moulin           "
                            "     QSL"));
    QCOMPARE(enfant<QWidget>(&m, "L_Communes")->toolTip(), liste->toolTip());
}

// One program at a time on a program folder: the second start is refused
// with a message, a lock left by a program that died is taken over.
void TestMain::instanceUnique_data()
{
    QTest::addColumn<QString>("verrou");
    QTest::addColumn<bool>("prise");
    QTest::addColumn<QString>("message");
    QTest::newRow("free folder") << QString() << true << QString();
    QTest::newRow("program already open")
        << QStringLiteral("ouvert") << false
        << QStringLiteral("RQN_KZT est déjà ouvert sur cet ordinateur sur le dossier");
    QTest::newRow("left by a program that died") << QStringLiteral("mort") << true << QString();
    QTest::newRow("open on another computer")
        << QStringLiteral("ailleurs") << false
        << QStringLiteral("RQN_KZT est déjà ouvert sur l'ordinateur « autre-pc » sur le dossier");
}

void TestMain::instanceUnique()
{
    QFETCH(QString, verrou);
    QFETCH(bool, prise);
    QFETCH(QString, message);
    BancProgramme b;
    const QString chemin = b.chemin(Instance::nomFichier);
    auto premiere = std::make_unique<Instance>(b.dossier.path());
    if (verrou == QStringLiteral("ouvert") || verrou == QStringLiteral("ailleurs"))
        QVERIFY(premiere->prend(b.messages));
    QFile f(chemin);
    if (verrou == QStringLiteral("mort")) {
        // The file of a program that was killed: the system let its lock go.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QSysInfo::machineHostName().toUtf8() + "\n999999999\n");
        f.close();
    } else if (verrou == QStringLiteral("ailleurs")) {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("autre-pc\n4242\n");
        f.close();
    }
    QVERIFY(b.messages.shown().isEmpty());

    Instance seconde(b.dossier.path());
    QCOMPARE(seconde.prend(b.messages), prise);
    if (message.isEmpty()) {
        QVERIFY(b.messages.shown().isEmpty());
    } else {
        QCOMPARE(b.messages.shown().size(), 1);
        QVERIFY2(b.messages.dernierTexte().startsWith(message),
                 qPrintable(b.messages.dernierTexte()));
        QVERIFY(b.messages.dernierTexte().contains(QDir::toNativeSeparators(b.dossier.path())));
    }
    // The lock ends with the program that holds it.
    premiere.reset();
    if (!prise) {
        QVERIFY(!QFile::exists(chemin));
        QVERIFY(Instance(b.dossier.path()).prend(b.messages));
    }
}

// A settings file that cannot be written: said once, and the program goes on.
void TestMain::reglagesNonEnregistresSignalesUneFois()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    const QString ini = b.reglages.fileName();
    QVERIFY(QFile::remove(ini));
    QVERIFY(QDir().mkdir(ini)); // a folder in the way of the file
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QCOMPARE(b.messages.shown().size(), 1);
    QVERIFY2(b.messages.dernierTexte().startsWith(
                 QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier")),
             qPrintable(b.messages.dernierTexte()));
    QCOMPARE(m.Liste()->nombreLignes(), 2);
    enfant<QAction>(&m, "Mnu_Date_Man")->trigger();
    QCOMPARE(b.messages.shown().size(), 1);
    QCOMPARE(b.termine, 0);
    const Statut s = b.reglages.write(Reglages::sectionGlobale, Reglages::indicatifStation,
                                      QStringLiteral("F1ABC"));
    QVERIFY(!s.isOk());
    QVERIFY(s.message.contains(QDir::toNativeSeparators(ini)));
}

// The window says once that a backup failed; the changes are made all the same.
void TestMain::sauvegardeRateeSignaleeUneFois()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    QFile obstacle(b.chemin(Sauvegardes::nomDossier));
    QVERIFY(obstacle.open(QIODevice::WriteOnly));
    obstacle.close();
    Sauvegardes::echecsASignaler();
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QVERIFY(b.messages.shown().isEmpty());
    StationLog log(b.dossier.path(), QStringLiteral("F1ABC"));
    for (int i = 3; i <= 4; ++i) {
        QVERIFY(log.Enregistre_QSO(QString::fromLatin1(BancProgramme::ligne(i))).isOk());
        QVERIFY(m.Charge_Log());
        QCOMPARE(m.Liste()->nombreLignes(), i);
    }
    QCOMPARE(b.messages.shown().size(), 1);
    QVERIFY2(b.messages.dernierTexte().startsWith(
                 QStringLiteral("La sauvegarde du log « F1ABC_KZT.log » n'a pas pu être faite")),
             qPrintable(b.messages.dernierTexte()));
    QCOMPARE(b.messages.shown().first().buttons, BoiteMessage::Ok);
}

void TestMain::restaurationDepuisLeMenu_data()
{
    QTest::addColumn<QString>("choix"); // the backup chosen; empty: the chooser is cancelled
    QTest::addColumn<bool>("oui");
    QTest::addColumn<int>("lignes"); // QSOs of the log afterwards
    QTest::newRow("oldest backup, confirmed")
        << QStringLiteral("F1ABC_KZT_20261201.log") << true << 1;
    QTest::newRow("newest backup, confirmed")
        << QStringLiteral("F1ABC_KZT_20261205.log") << true << 3;
    QTest::newRow("not confirmed") << QStringLiteral("F1ABC_KZT_20261201.log") << false << 5;
    QTest::newRow("chooser cancelled") << QString() << true << 5;
}

void TestMain::restaurationDepuisLeMenu()
{
    QFETCH(QString, choix);
    QFETCH(bool, oui);
    QFETCH(int, lignes);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    QVERIFY(QDir(b.dossier.path()).mkdir(Sauvegardes::nomDossier));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    QVERIFY(QFile::copy(b.cheminLog(QStringLiteral("F1ABC")),
                        b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261201.log"))));
    b.ecritLog(QStringLiteral("F1ABC"), 3);
    QVERIFY(QFile::copy(b.cheminLog(QStringLiteral("F1ABC")),
                        b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261205.log"))));
    const QByteArray actuel = b.ecritLog(QStringLiteral("F1ABC"), 5);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    QStringList proposees;
    const auto attente = surModal(QStringLiteral("Choix_Sauvegarde"), [&](QWidget* w) {
        auto* dialogue = qobject_cast<QInputDialog*>(w);
        proposees = dialogue->comboBoxItems();
        if (choix.isEmpty()) {
            dialogue->reject();
        } else {
            dialogue->setTextValue(choix);
            dialogue->accept();
        }
    });
    b.messages.queue(oui ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
    enfant<QAction>(&m, "Mnu_Restaure")->trigger();

    QCOMPARE(proposees, (QStringList{QStringLiteral("F1ABC_KZT_20261205.log"),
                                     QStringLiteral("F1ABC_KZT_20261201.log")}));
    QCOMPARE(m.Liste()->nombreLignes(), lignes);
    QCOMPARE(m.Liste()->indexSelection(), lignes - 1);
    const bool restauree = !choix.isEmpty() && oui;
    // The log before the restore is kept, named after the day of the clock.
    QCOMPARE(BancProgramme::lit(b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261206.log"))),
             restauree ? actuel : QByteArray());
    if (restauree) {
        QCOMPARE(b.messages.shown().size(), 2);
        QVERIFY(b.messages.shown().first().text.startsWith(
            QStringLiteral("Remplacer le log « F1ABC_KZT.log » par la sauvegarde « %1 » ?")
                .arg(choix)));
        QCOMPARE(b.messages.dernierTexte(),
                 QStringLiteral("Le log « F1ABC_KZT.log » a été remplacé par la sauvegarde « %1 ».")
                     .arg(choix));
        QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))),
                 BancProgramme::lit(b.chemin(QStringLiteral("Sauvegardes/") + choix)));
    } else {
        QCOMPARE(b.messages.shown().size(), choix.isEmpty() ? 0 : 1);
        QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))), actuel);
    }
}

void TestMain::importationDepuisLeMenu_data()
{
    QTest::addColumn<QByteArray>("fichier"); // empty: the file dialog is cancelled
    QTest::addColumn<int>("lignes");         // QSOs of the log afterwards
    QTest::addColumn<QString>("resume");
    QByteArray log;
    for (int i = 10; i <= 12; ++i)
        log += BancProgramme::ligne(i) + "\r\n";
    QTest::newRow("export of the program")
        << Adif::exportationAdif(QStringLiteral("F9ZZZ"), log) << 5
        << QStringLiteral("Importation du fichier « autre.adi » :\r\n\r\n3 QSO importés\r\n"
                          "0 doublon (QSO déjà dans le log) ignoré\r\n0 enregistrement ignoré.");
    QTest::newRow("SIG KZT, one QSO of the log, one of another award")
        << QByteArray("<CALL:4>F1AB<QSO_DATE:8>20080201<TIME_ON:4>1200<BAND:3>20m<MODE:3>SSB"
                      "<SIG:3>KZT<SIG_INFO:5>77121<RST_RCVD:2>59<RST_SENT:2>59<EOR>\n"
                      "<CALL:5>F6XYZ<QSO_DATE:8>20230217<TIME_ON:4>1726<BAND:3>40m<MODE:2>CW"
                      "<SIG:3>KZT<SIG_INFO:5>59001<RST_RCVD:3>599<RST_SENT:3>579<EOR>\n"
                      "<CALL:5>F6XYZ<QSO_DATE:8>20230217<TIME_ON:4>1800<BAND:3>40m<MODE:2>CW"
                      "<SIG:4>POTA<SIG_INFO:6>F-0001<RST_RCVD:3>599<RST_SENT:3>579<EOR>\n")
        << 3
        << QStringLiteral(
               "Importation du fichier « autre.adi » :\r\n\r\n1 QSO importé\r\n"
               "1 doublon (QSO déjà dans le log) ignoré\r\n1 enregistrement ignoré :\r\n"
               "   1 × Pas de référence de moulin KZT (SIG, SIG_INFO) : pas un QSO du diplôme"
               "\r\n\r\nLes enregistrements ignorés sont décrits dans le fichier "
               "« F1ABC_KZT_import.txt ».");
    QTest::newRow("dialog cancelled") << QByteArray() << 2 << QString();
}

// The item after the export in "Fichier": the file chosen in the dialog is
// imported, the list shows the new QSOs and the summary says what was done.
void TestMain::importationDepuisLeMenu()
{
    QFETCH(QByteArray, fichier);
    QFETCH(int, lignes);
    QFETCH(QString, resume);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    QFile f(b.chemin(QStringLiteral("autre.adi")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(fichier) == fichier.size());
    f.close();
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    ChoixFichierScripte choix(fichier.isEmpty() ? QString() : f.fileName());
    m.Change_Choix_Fichier(&choix);

    QStringList items;
    for (QAction* a : enfant<QMenu>(&m, "Mnu_Fichier")->actions())
        items << a->objectName();
    QCOMPARE(items, (QStringList{"Mnu_Quitter", "Mnu_ADIF", "Mnu_Import_ADIF"}));
    enfant<QAction>(&m, "Mnu_Import_ADIF")->trigger();

    QCOMPARE(choix.demandes().size(), 1);
    QCOMPARE(choix.demandes().first().dossier, b.dossier.path());
    QCOMPARE(choix.demandes().first().filtre, QStringLiteral("Fichiers ADIF (*.adi *.adif)"));
    QCOMPARE(b.messages.dernierTexte(), resume);
    QCOMPARE(m.Liste()->nombreLignes(), lignes);
    QCOMPARE(m.Liste()->indexSelection(), lignes - 1);
    QCOMPARE(QFile::exists(b.chemin(Importation::Nom_Rapport(QStringLiteral("F1ABC")))),
             resume.contains(QStringLiteral("_import.txt")));
}

QTEST_MAIN(TestMain)
// The help page opens from every window: by F1 in the main window, in a
// window opened from it, in the modal station window of the first start
// (above which it must be, to be read), and by the last item of "Aide".
void TestMain::aideParF1_data()
{
    QTest::addColumn<QString>("depuis");
    QTest::newRow("main window") << QStringLiteral("Main");
    QTest::newRow("scores window") << QStringLiteral("Scores_Moulins");
    QTest::newRow("search window") << QStringLiteral("Recherche_Indicatif");
    QTest::newRow("first-start station window, modal") << QStringLiteral("Station");
    QTest::newRow("help menu item") << QStringLiteral("Mnu_Mode_Emploi");
}

void TestMain::aideParF1()
{
    QFETCH(QString, depuis);
    BancProgramme b;
    const bool premier = depuis == QStringLiteral("Station");
    if (!premier) {
        b.choisitStation(QStringLiteral("F1ABC"));
        b.ecritLog(QStringLiteral("F1ABC"), 3);
    }
    QPointer<Aide> aide;
    bool auDessusDeLaModale = false;
    const auto attente = surModal(QStringLiteral("Station"), [&](QWidget* w) {
        QTest::keyClick(enfant<QLineEdit>(w, "New_Indicatif"), Qt::Key_F1);
        aide = Aide::Ouverte();
        auDessusDeLaModale = aide && aide->isVisible() && aide->parentWidget() == w;
        if (aide)
            aide->close();
        w->close();
    });
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    if (premier) {
        QVERIFY(auDessusDeLaModale);
        QTRY_VERIFY(aide.isNull());
        return;
    }
    if (depuis == QStringLiteral("Main")) {
        QTest::keyClick(m.zoneDeSaisie()->Ind_A, Qt::Key_F1);
    } else if (depuis == QStringLiteral("Mnu_Mode_Emploi")) {
        auto* menu = m.findChild<QMenu*>(QStringLiteral("Mnu_Aide"));
        QCOMPARE(menu->actions().constLast()->objectName(), depuis);
        QCOMPARE(menu->actions().size(), 4);
        menu->actions().constLast()->trigger();
    } else {
        const char* bouton = depuis == QStringLiteral("Scores_Moulins") ? "Mnu_Score" : nullptr;
        if (bouton)
            enfant<QAction>(&m, bouton)->trigger();
        else
            m.zoneDeSaisie()->Rechercher->click();
        QWidget* fenetre = m.findChild<QWidget*>(depuis);
        QVERIFY(fenetre && fenetre->isVisible());
        QWidget* cible = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
        QTest::keyClick(cible, Qt::Key_F1);
    }
    aide = Aide::Ouverte();
    QVERIFY(aide && aide->isVisible());
    QVERIFY(aide->isWindow());
    QCOMPARE(aide->windowTitle(), QStringLiteral("Aide de RQN_KZT"));
    const QString texte = aide->Texte_Aide->toPlainText();
    for (const char* titre : {"Saisir un QSO au clavier", "Les couleurs", "Les menus"})
        QVERIFY2(texte.contains(QString::fromUtf8(titre)), titre);

    // Once: F1 again brings the same window forward; Escape closes it.
    QTest::keyClick(m.zoneDeSaisie()->Ind_A, Qt::Key_F1);
    QCOMPARE(Aide::Ouverte(), aide.data());
    QTest::keyClick(aide->Texte_Aide, Qt::Key_Escape);
    QTRY_VERIFY(aide.isNull());
}

#include "tst_main.moc"

// The start of the main window: the first start and the choice of a
// callsign, the log and the settings read at start-up and what is said when
// they cannot be, one program at a time on a folder, and the clock and the
// list of the window.
#include "BancProgramme.h"

#include "core/app/Instance.h"
#include "gui/app/Gestion_Erreur.h"
#include "gui/app/Station.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSysInfo>
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
    void horlogeAutourDeMinuit_data();
    void horlogeAutourDeMinuit();
    void listeEnPoliceFixe();
    void instanceUnique_data();
    void instanceUnique();
    void reglagesNonEnregistresSignalesUneFois();
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
        messagesAvantStation = int(b.messages.affichees().size());
        w->close();
    });
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    QVERIFY(stationVue);
    QCOMPARE(messagesAvantStation, 1);
    QCOMPARE(b.messages.textes(),
             QStringList{QStringLiteral(
                 "\r\nPremiere installation, vous devez entrer votre Indicatif\r\n\r\n")});
    QCOMPARE(m.listeLog()->nombreLignes(), 0);
    QCOMPARE(m.windowTitle(), kTitre);
    QCOMPARE(texteStation(m), QStringLiteral("FXXXX"));
    QCOMPARE(m.Indicatif_Courant(), QStringLiteral("FXXXX"));
    QVERIFY(m.isVisible());
    QCOMPARE(m.zoneDeSaisie()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(b.reglages.lit(Reglages::sectionGlobale, Reglages::cheminRepertoire, {}),
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
    QCOMPARE(m.listeLog()->nombreLignes(), 0);
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
    connect(m.listeLog(), &ListeLog::aChoisiLigne, this, [&choisie](int i) { choisie = i; });
    QVERIFY(m.demarreProgramme());

    QVERIFY(b.messages.affichees().isEmpty());
    QCOMPARE(m.listeLog()->nombreLignes(), lignes);
    QCOMPARE(m.listeLog()->indexSelection(), lignes - 1);
    if (lignes > 0) {
        QCOMPARE(choisie, lignes - 1);
        QVERIFY(
            m.listeLog()->texteLigne(lignes - 1).startsWith(QStringLiteral("%1  ").arg(lignes, 5)));
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
        b.reglages.ecrit(section, Reglages::bandeUtilisee, bande);
    if (!mode.isNull())
        b.reglages.ecrit(section, Reglages::modeUtilise, mode);
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
    QVERIFY(b.messages.affichees().isEmpty());
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
    QCOMPARE(b.messages.affichees().size(), initialise ? 1 : 0);
}

void TestMain::logIlisibleTermine()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    QVERIFY(QDir(b.dossier.path()).mkdir(QStringLiteral("F1ABC_KZT.log")));
    Main m(b.services());
    QVERIFY(!m.demarreProgramme());
    QCOMPARE(b.termine, 1);
    QCOMPARE(b.messages.affichees().size(), 1);
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
    QCOMPARE(m.listeLog()->nombreLignes(), 99999);
    QCOMPARE(m.listeLog()->indexSelection(), 99998);
    QVERIFY(m.listeLog()->texteLigne(99998).startsWith(QStringLiteral("99999  F9999AB")));
    QCOMPARE(b.messages.textes(),
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
    b.horloge.regleA(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59), Qt::UTC), decalage);
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

    b.horloge.avanceDe(1);
    QCOMPARE(lus(), apres);
}

void TestMain::listeEnPoliceFixe()
{
    BancProgramme b;
    Main m(b.services());
    QTreeView* liste = m.listeLog()->Liste_KZT;
    QLabel* titres = m.listeLog()->Label_Liste;
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
    QVERIFY(b.messages.affichees().isEmpty());

    Instance seconde(b.dossier.path());
    QCOMPARE(seconde.prend(b.messages), prise);
    if (message.isEmpty()) {
        QVERIFY(b.messages.affichees().isEmpty());
    } else {
        QCOMPARE(b.messages.affichees().size(), 1);
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
    const QString fichierIni = b.reglages.nomDeFichier();
    QVERIFY(QFile::remove(fichierIni));
    QVERIFY(QDir().mkdir(fichierIni)); // a folder in the way of the file
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QCOMPARE(b.messages.affichees().size(), 1);
    QVERIFY2(b.messages.dernierTexte().startsWith(
                 QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier")),
             qPrintable(b.messages.dernierTexte()));
    QCOMPARE(m.listeLog()->nombreLignes(), 2);
    enfant<QAction>(&m, "Mnu_Date_Man")->trigger();
    QCOMPARE(b.messages.affichees().size(), 1);
    QCOMPARE(b.termine, 0);
    const Statut s = b.reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                                      QStringLiteral("F1ABC"));
    QVERIFY(!s.estOk());
    QVERIFY(s.message.contains(QDir::toNativeSeparators(fichierIni)));
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"

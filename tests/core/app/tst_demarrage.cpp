#include "core/app/DossierProgramme.h"
#include "core/app/LigneCommande.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "core/platform/StockReglages.h"

#include "OutilsTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using OutilsTest::ecritOctets;
using OutilsTest::litOctets;

// What the program settles before its first window: the options answered
// without a display, and the program folder.
class TestDemarrage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ligneCommande_data();
    void ligneCommande();
    void dossierProgramme_data();
    void dossierProgramme();
    void programmeSansAffichage_data();
    void programmeSansAffichage();
};

void TestDemarrage::ligneCommande_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("termine");
    QTest::addColumn<QString>("debut");
    QTest::addColumn<int>("code");
    const QString inconnue = QStringLiteral("RQN_KZT : option inconnue « %1 »\n\nUtilisation");
    QTest::newRow("none") << QStringList() << false << QString() << 0;
    QTest::newRow("--version") << QStringList{"--version"} << true << "RQN_KZT 1.0.2\n" << 0;
    QTest::newRow("-v") << QStringList{"-v"} << true << "RQN_KZT 1.0.2\n" << 0;
    QTest::newRow("--help") << QStringList{"--help"} << true << "Utilisation : RQN_KZT" << 0;
    QTest::newRow("-h after a Qt option")
        << QStringList{"-platform", "offscreen", "-h"} << true << "Utilisation : RQN_KZT" << 0;
    QTest::newRow("Qt options only")
        << QStringList{"-platform", "offscreen"} << false << QString() << 0;
    QTest::newRow("after --") << QStringList{"--", "--help"} << false << QString() << 0;
    QTest::newRow("not an option")
        << QStringList{"--helper"} << true << inconnue.arg("--helper") << 2;
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << true << inconnue.arg("--bogus") << 2;
    QTest::newRow("unknown single-dash option")
        << QStringList{"-x"} << true << inconnue.arg("-x") << 2;
    QTest::newRow("unknown option, then --help")
        << QStringList{"--bogus", "--help"} << true << "Utilisation : RQN_KZT" << 0;
    QTest::newRow("Qt options with their values and with two dashes")
        << QStringList{"-style",   "fusion",        "--platform", "offscreen", "-style=fusion",
                       "-reverse", "-qwindowtitle", "-titre",     "-session",  "-s1"}
        << false << QString() << 0;
    QTest::newRow("an argument that is no option")
        << QStringList{"F1ABC_KZT.log"} << false << QString() << 0;
    QTest::newRow("a lone dash") << QStringList{"-"} << false << QString() << 0;
    QTest::newRow("unknown option after --")
        << QStringList{"--", "--bogus"} << false << QString() << 0;
}

void TestDemarrage::ligneCommande()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, termine);
    QFETCH(QString, debut);
    QFETCH(int, code);
    const LigneCommande::Reponse r =
        LigneCommande::lit(arguments, QStringLiteral("/home/op/RQN_KZT"),
                           QStringLiteral("/home/op/.config/KZT/KZT.ini"));
    QCOMPARE(r.termine, termine);
    QCOMPARE(r.code, code);
    QVERIFY2(r.texte.startsWith(debut), qPrintable(r.texte));
    if (r.texte.contains(QStringLiteral("Utilisation"))) {
        // The help says where the logs and the settings are, as the
        // system writes paths.
        QVERIFY(r.texte.contains(QDir::toNativeSeparators("/home/op/RQN_KZT") + "\n"));
        QVERIFY(r.texte.contains(QDir::toNativeSeparators("/home/op/.config/KZT/KZT.ini") + "\n"));
    }
}

// A portable folder stays where the program is; an installation for every
// user sends the files to the user's data folder, made and filled on the
// first start without ever replacing a file of the user.
void TestDemarrage::dossierProgramme_data()
{
    QTest::addColumn<bool>("marque");
    QTest::addColumn<QByteArray>("prenomsDejaLa"); // "-" when the user has none yet
    QTest::addColumn<bool>("dossierImpossible");
    QTest::newRow("portable") << false << QByteArray("-") << false;
    QTest::newRow("installed, first start") << true << QByteArray("-") << false;
    QTest::newRow("installed, user's names kept")
        << true << QByteArray("F1ABC          77 JEAN\r\n") << false;
    QTest::newRow("installed, folder cannot be made") << true << QByteArray("-") << true;
}

void TestDemarrage::dossierProgramme()
{
    QFETCH(bool, marque);
    QFETCH(QByteArray, prenomsDejaLa);
    QFETCH(bool, dossierImpossible);
    QTemporaryDir programme;
    QTemporaryDir maison;
    const QString executable = programme.path();
    QVERIFY(ecritOctets(QDir(executable).filePath(StationLog::nomModele), QByteArray()));
    QVERIFY(ecritOctets(QDir(executable).filePath(FirstNameMemory::nomFichier), QByteArray()));
    if (marque)
        QVERIFY(ecritOctets(QDir(executable).filePath(DossierProgramme::nomMarque()), "x\n"));
    QString utilisateur = maison.filePath(QStringLiteral("share/RQN_KZT"));
    if (dossierImpossible) {
        // A file where a folder is needed.
        QVERIFY(ecritOctets(maison.filePath(QStringLiteral("share")), "x"));
    } else if (prenomsDejaLa != "-") {
        QVERIFY(QDir().mkpath(utilisateur));
        QVERIFY(
            ecritOctets(QDir(utilisateur).filePath(FirstNameMemory::nomFichier), prenomsDejaLa));
    }

    const QString attendu = marque ? utilisateur : executable;
    QCOMPARE(DossierProgramme::chemin(executable, utilisateur), attendu);
    const DossierProgramme::Resultat r = DossierProgramme::prepare(executable, utilisateur);
    QCOMPARE(r.dossier, attendu);
    QCOMPARE(r.statut.estOk(), !dossierImpossible);
    if (dossierImpossible) {
        QVERIFY(r.statut.message.contains(QDir::toNativeSeparators(utilisateur)));
        return;
    }
    if (!marque) {
        QVERIFY(!QFile::exists(utilisateur));
        return;
    }
    QVERIFY(QFile::exists(QDir(utilisateur).filePath(StationLog::nomModele)));
    const QString prenoms = QDir(utilisateur).filePath(FirstNameMemory::nomFichier);
    QCOMPARE(litOctets(prenoms), prenomsDejaLa == "-" ? QByteArray() : prenomsDejaLa);
    // The copies belong to the user, who writes them.
    QVERIFY(QFileInfo(prenoms).isWritable());
    // Again at the next start: nothing changes.
    QVERIFY(DossierProgramme::prepare(executable, utilisateur).statut.estOk());
    QCOMPARE(litOctets(prenoms), prenomsDejaLa == "-" ? QByteArray() : prenomsDejaLa);
}

// The built program answers --version and --help with no display at all,
// and makes nothing: no settings, no data folder.
void TestDemarrage::programmeSansAffichage_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("installe");
    QTest::addColumn<QString>("debut");
    QTest::addColumn<int>("code"); // not 0: the text is on the error output
    QTest::newRow("--version") << "--version" << false << "RQN_KZT 1.0.2\n" << 0;
    QTest::newRow("--help") << "--help" << false << "Utilisation : RQN_KZT" << 0;
    QTest::newRow("--help, installed for every user")
        << "--help" << true << "Utilisation : RQN_KZT" << 0;
    QTest::newRow("unknown option")
        << "--bogus" << false << "RQN_KZT : option inconnue « --bogus »" << 2;
}

void TestDemarrage::programmeSansAffichage()
{
    QFETCH(QString, option);
    QFETCH(bool, installe);
    QFETCH(QString, debut);
    QFETCH(int, code);
    QTemporaryDir dossier;
    QTemporaryDir maison;
    QString programme = QStringLiteral(KZT_PROGRAMME);
    if (installe) {
        const QString copie = dossier.filePath(QFileInfo(programme).fileName());
        QVERIFY(QFile::copy(programme, copie));
        QVERIFY(ecritOctets(dossier.filePath(DossierProgramme::nomMarque()), "x\n"));
        programme = copie;
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* nom : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(nom));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), maison.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), maison.filePath(QStringLiteral("data")));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(programme, {option});
    // A process that ended before the wait began is finished all the same
    // (seen under Wine on a loaded machine).
    QVERIFY(p.waitForFinished(60000) || p.state() == QProcess::NotRunning);
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), code);
    // Windows' console texts end their lines with CR LF.
    const QString normale =
        QString::fromLocal8Bit(p.readAllStandardOutput()).replace(QStringLiteral("\r\n"), "\n");
    const QString erreurs =
        QString::fromLocal8Bit(p.readAllStandardError()).replace(QStringLiteral("\r\n"), "\n");
    const QString sortie = code == 0 ? normale : erreurs;
    QVERIFY2(sortie.startsWith(debut), qPrintable(normale + erreurs));
    QVERIFY2((code == 0 ? erreurs : normale).isEmpty(), qPrintable(normale + erreurs));
#ifdef Q_OS_WIN
    // Windows names the user's folders itself: the settings in
    // %APPDATA%\KZT\KZT.ini, the logs of an installation for every user in
    // %LOCALAPPDATA%\RQN_KZT.
    const QString donnees = QDir(QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")))
                                .filePath(QStringLiteral("RQN_KZT"));
    const QString reglages = QDir(QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")))
                                 .filePath(QStringLiteral("KZT/KZT.ini"));
    QCOMPARE(DossierProgramme::dossierDeLUtilisateur(), donnees);
    QCOMPARE(QDir::fromNativeSeparators(StockReglages().nomDeFichier()), reglages);
#else
    const QString donnees = maison.filePath(QStringLiteral("data/RQN_KZT"));
    const QString reglages = maison.filePath(QStringLiteral("config/KZT/KZT.ini"));
#endif
    if (sortie.contains(QStringLiteral("Utilisation"))) {
        const QString logs = installe ? donnees : QFileInfo(programme).absolutePath();
        const QString lu = QDir::fromNativeSeparators(sortie);
        QVERIFY2(lu.contains(logs + QLatin1Char('\n')), qPrintable(sortie));
        QVERIFY2(lu.contains(reglages), qPrintable(sortie));
    }
    QCOMPARE(QDir(maison.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_GUILESS_MAIN(TestDemarrage)
#include "tst_demarrage.moc"

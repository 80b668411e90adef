// The import of an ADIF file as a whole: the log given back, the order,
// the duplicates, the windmills already contacted, the stop, the first
// names learnt, the failures and the summary.
#include "JeuxEssaiAdif.h"
#include "OutilsTest.h"

#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/exchange/Lecture.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "support/AttenteScriptee.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "BancImport.h"

using namespace JeuxEssaiAdif;
using namespace BancImport;

class TestImportFichier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void allerRetour_data();
    void allerRetour();
    void ordreDesDates();
    void doublons();
    void fichierTronque();
    void moulinDejaContacte_data();
    void moulinDejaContacte();
    void arretParLUtilisateur_data();
    void arretParLUtilisateur();
    void prenomsAppris_data();
    void prenomsAppris();
    void echecs_data();
    void echecs();
    void raisonsResumees_data();
    void raisonsResumees();
};

// Exporting a log and importing the export into an empty log gives the log
// back, byte for byte; texts outside ASCII come back as the export folds them.
void TestImportFichier::allerRetour_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QStringList>("attendues"); // empty: the lines themselves
    QTest::newRow("the worked example") << QStringList{ligne(champs())} << QStringList();
    QTest::newRow("every band and mode, both centuries") << journalAscii() << QStringList();
    // A windmill once in each band group, as the entry keeps it.
    QStringList logLong;
    for (int n = 1; n <= 500; ++n) {
        LogLine::Champs c =
            LignesQso::numero(n, QDateTime(QDate(2009, 6, 5), QTime(12, 0), Qt::UTC), 997);
        c.reference = QStringLiteral("77%1").arg(n, 3, 10, QLatin1Char('0'));
        logLong << LignesQso::ligne(c);
    }
    QTest::newRow("long log") << logLong << QStringList();
    QTest::newRow("empty log") << QStringList() << QStringList();
    LogLine::Champs accents = champs();
    accents.prenom = "HÉLÈNE";
    accents.nomMoulin = "MOULIN D’ŒUVRE – CÆSAR";
    LogLine::Champs plies = accents;
    plies.prenom = "HELENE";
    plies.nomMoulin = "MOULIN D'OEUVRE - CAESAR";
    QTest::newRow("accents folded") << QStringList{ligne(accents)} << QStringList{ligne(plies)};
}

void TestImportFichier::allerRetour()
{
    QFETCH(QStringList, lignes);
    QFETCH(QStringList, attendues);
    Dossier source;
    QVERIFY(source.ecritLog(lignes));
    QVERIFY(Adif::exporte(source.dossier.path(), kStation).estOk());
    Dossier cible;
    QVERIFY(cible.ecritLog({}));
    const Importation::Bilan b =
        cible.importe(OutilsTest::litOctets(source.chemin(Adif::nomFichier(kStation))));
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.rejets.size(), size_t(0));
    QCOMPARE(b.importes, lignes.size());
    QCOMPARE(cible.log(), attendues.isEmpty() ? source.log() : LignesQso::fichier(attendues));
    QVERIFY(!QFile::exists(cible.chemin(Importation::nomRapport(kStation))));
}

// The new QSOs take their place by date among those of the log, which keep
// their order; at the same minute a new QSO goes before the one of the log.
void TestImportFichier::ordreDesDates()
{
    const auto ligneQso = [](const char* indicatif, const char* date, const char* heure) {
        LogLine::Champs c = LignesQso::ordinaire();
        c.indicatif = indicatif;
        c.date = date;
        c.heure = heure;
        return LignesQso::ligne(c);
    };
    // Each record has a windmill of its own.
    int moulin = 100;
    const auto enregistrement = [&moulin](const char* indicatif, const char* date,
                                          const char* heure) {
        return avec(
            avec(avec(avec(kRecord, "CALL", indicatif), "QSO_DATE", date), "TIME_ON", heure), "SIG",
            QStringLiteral("77%1").arg(++moulin));
    };
    Dossier d;
    // A hand-edited line without a date stays where it is.
    QVERIFY(d.ecritLog({ligneQso("F1A", "05/06/09", "12:00"), ligneQso("F1B", "xx/06/09", "12:00"),
                        ligneQso("F1C", "01/01/11", "08:00")}));
    const Importation::Bilan b = d.importe(
        (enregistrement("F2D", "20120101", "0000") + enregistrement("F2A", "20090605", "1200") +
         enregistrement("F2B", "20100101", "0000") + enregistrement("F2C", "19991231", "2359") +
         enregistrement("F2E", "20100101", "0000"))
            .toLatin1());
    QCOMPARE(b.importes, 5);
    QStringList indicatifs;
    FichierTexte::pourChaqueLigne(d.log(), [&](const char* donnees, qsizetype n) {
        indicatifs << QString::fromLatin1(donnees, n).left(12).trimmed();
    });
    QCOMPARE(indicatifs, (QStringList{"F2C", "F2A", "F1A", "F1B", "F2B", "F2E", "F1C", "F2D"}));
    // One copy of the log before the import, one rewrite of the log.
    QCOMPARE(OutilsTest::litOctets(d.chemin("Sauvegardes/F5ABC_KZT_20261207.log")),
             LignesQso::fichier({ligneQso("F1A", "05/06/09", "12:00"),
                                 ligneQso("F1B", "xx/06/09", "12:00"),
                                 ligneQso("F1C", "01/01/11", "08:00")}));
}

// A QSO already in the log, or twice in the file (same callsign, date, time
// and band), is imported once; importing a file twice adds nothing.
void TestImportFichier::doublons()
{
    Dossier d;
    LogLine::Champs deja = LignesQso::ordinaire();
    deja.indicatif = "F6XYZ";
    deja.date = "17/02/23";
    deja.heure = "17:26";
    deja.mode = "CW"; // another mode: still the same QSO
    QVERIFY(d.ecritLog({LignesQso::ligne(deja)}));
    // Another band and another windmill: another QSO.
    const QString autreBande =
        avec(avec(avec(kRecord, "BAND", "40m"), "NAME", "Pierre"), "SIG", "77122");
    const QByteArray fichier = (kRecord + autreBande + autreBande).toLatin1();

    Importation::Bilan b = d.importe(fichier);
    QCOMPARE(b.importes, 1);
    QCOMPARE(b.doublons, 2);
    QVERIFY(b.resume().contains("1 QSO importé\r\n2 doublons (QSO déjà dans le log) ignorés\r\n"
                                "0 enregistrement ignoré."));
    const QByteArray apres = d.log();
    b = d.importe(fichier);
    QCOMPARE(b.importes, 0);
    QCOMPARE(b.doublons, 3);
    QCOMPARE(d.log(), apres);
}

// A file cut in the middle of its last record: the records before it are
// imported, the cut one is reported and never half-imported.
void TestImportFichier::fichierTronque()
{
    Dossier d;
    QVERIFY(d.ecritLog({}));
    const QString seconde = avec(kRecord, "CALL", "F1BBB");
    const QByteArray fichier = (kRecord + seconde).toLatin1();
    for (const qsizetype coupe : {kRecord.size() + 25, fichier.size() - 30, fichier.size() - 1}) {
        QVERIFY(d.ecritLog({}));
        const Importation::Bilan b = d.importe(fichier.left(coupe));
        QVERIFY(b.tronque);
        QCOMPARE(b.importes, 1);
        QCOMPARE(b.rejets.size(), size_t(1));
        QVERIFY(b.resume().contains("Le fichier se termine au milieu d'un enregistrement"));
        QCOMPARE(d.log().count("\r\n"), 1);
        QVERIFY(OutilsTest::litOctets(d.chemin(Importation::nomRapport(kStation)))
                    .contains("fichier tronqu"));
    }
}

// A windmill already contacted in a band group, in the log or earlier in the
// file, is skipped as the entry refuses it: the award counts it once per
// group. "10 Mhz" belongs to no group; a QSO already in the log stays a
// duplicate.
void TestImportFichier::moulinDejaContacte_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<int>("importes");
    QTest::addColumn<int>("doublons");
    QTest::addColumn<QStringList>("raisons"); // of the records skipped, in order
    const auto qso = [](const char* indicatif, const char* reference, const char* bande,
                        const char* date) {
        LogLine::Champs c = LignesQso::ordinaire();
        c.indicatif = indicatif;
        c.reference = reference;
        c.bande = bande;
        c.date = date;
        c.heure = "17:26";
        return LignesQso::ligne(c);
    };
    const QString sur20m = kRecord; // F6XYZ, 77121, 20m, 17/02/23 17:26
    const QString sur40m = avec(avec(kRecord, "BAND", "40m"), "CALL", "F1AAA");
    const QString sur2m = avec(kRecord, "BAND", "2m");
    const QString sur30m = avec(kRecord, "BAND", "30m");
    const QString autreMoulin = avec(avec(kRecord, "SIG", "77122"), "CALL", "F2BBB");
    const QString dejaHF = "moulin déjà contacté dans ce groupe le 01/02/08 sur 1.8 Mhz";
    const QStringList log160 = {qso("F5AAA", "77121", "1.8 Mhz", "01/02/08")};
    QTest::newRow("same group, another band") << log160 << sur20m << 0 << 0 << QStringList{dejaHF};
    QTest::newRow("same group, with another windmill beside")
        << log160 << autreMoulin + sur20m << 1 << 0 << QStringList{dejaHF};
    QTest::newRow("another group") << log160 << sur2m << 1 << 0 << QStringList();
    QTest::newRow("VHF already, HF accepted")
        << QStringList{qso("F5AAA", "77121", "144 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("UHF already, VHF accepted")
        << QStringList{qso("F5AAA", "77121", "432 Mhz", "01/02/08")} << sur2m << 1 << 0
        << QStringList();
    QTest::newRow("another windmill of the department")
        << QStringList{qso("F5AAA", "77122", "1.8 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("twice in one file")
        << QStringList() << sur20m + sur40m << 1 << 0
        << QStringList{"moulin déjà contacté dans ce groupe le 17/02/23 sur 14 Mhz"};
    QTest::newRow("twice in one file, the first one skipped itself")
        << QStringList() << avec(sur20m, "MODE", "OLIVIA") + sur40m << 1 << 0
        << QStringList{"Mode « OLIVIA » de plus de 3 caractères"};
    QTest::newRow("10 Mhz belongs to no group")
        << QStringList{qso("F5AAA", "77121", "10 Mhz", "01/02/08")} << sur30m << 1 << 0
        << QStringList();
    QTest::newRow("10 Mhz twice in one file")
        << QStringList() << sur30m + avec(sur30m, "CALL", "F1AAA") << 2 << 0 << QStringList();
    QTest::newRow("10 Mhz in the log, HF accepted")
        << QStringList{qso("F5AAA", "77121", "10 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("a QSO of the log is a duplicate")
        << QStringList{qso("F6XYZ", "77121", "14 Mhz", "17/02/23")} << sur20m << 0 << 1
        << QStringList();
    QTest::newRow("a QSO of the log, then its windmill on another band")
        << QStringList{qso("F6XYZ", "77121", "14 Mhz", "17/02/23")} << sur20m + sur40m << 0 << 1
        << QStringList{"moulin déjà contacté dans ce groupe le 17/02/23 sur 14 Mhz"};
}

void TestImportFichier::moulinDejaContacte()
{
    QFETCH(QStringList, log);
    QFETCH(QString, fichier);
    QFETCH(int, importes);
    QFETCH(int, doublons);
    QFETCH(QStringList, raisons);
    Dossier d;
    QVERIFY(d.ecritLog(log));
    const Importation::Bilan b = d.importe(fichier.toUtf8());
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.importes, importes);
    QCOMPARE(b.doublons, doublons);
    QStringList lues;
    for (const Importation::Rejet& r : b.rejets)
        lues << r.raison;
    QCOMPARE(lues, raisons);
    // Nothing of a skipped record is written: the log holds its QSOs and the
    // new ones, each windmill once in each group but "10 Mhz".
    QCOMPARE(d.log().count("\r\n"), log.size() + importes);
    const QString rapport =
        Cp1252::decode1252(OutilsTest::litOctets(d.chemin(Importation::nomRapport(kStation))));
    for (const QString& raison : raisons) {
        QVERIFY2(b.resume().contains("1 × " + raison), qPrintable(b.resume()));
        QVERIFY2(rapport.contains(" : " + raison + "\r\n"), qPrintable(rapport));
    }
}

// The user may stop the import until the log is rewritten: nothing is then
// written (no copy of the log, no report, no first name), and the summary
// says so. The progress only goes forward, up to the end.
void TestImportFichier::arretParLUtilisateur_data()
{
    QTest::addColumn<int>("arret"); // thousandths from which the user stops it; -1: never
    QTest::addColumn<bool>("arretee");
    QTest::newRow("never stopped") << -1 << false;
    QTest::newRow("stopped at once") << 0 << true;
    QTest::newRow("stopped while the file is checked") << 100 << true;
    QTest::newRow("stopped while the records are read") << 600 << true;
    QTest::newRow("too late: the log is being rewritten") << 950 << false;
}

void TestImportFichier::arretParLUtilisateur()
{
    QFETCH(int, arret);
    QFETCH(bool, arretee);
    Dossier d;
    QVERIFY(d.ecritLog({}));
    QVERIFY(
        OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), "F9ZZZ        59 ZOE\r\n"));
    const QString ignore = avec(avec(kRecord, "CALL", "F1BBB"), "SIG", QString());
    OutilsTest::ecritOctets(d.chemin("entree.adi"), (kRecord + ignore).toLatin1());
    AttenteScriptee utilisateur(arret);
    Importation::Bilan b;
    utilisateur.execute(QString(), [&](Progression& p) {
        b = Importation::importeFichier(d.dossier.path(), kStation, d.chemin("entree.adi"),
                                        d.horloge, &p);
    });
    QCOMPARE(b.annule, arretee);
    QVERIFY(b.statut.estOk());
    const QList<qint64>& avancees = utilisateur.avancees();
    QVERIFY(std::is_sorted(avancees.begin(), avancees.end()));
    if (arretee) {
        QCOMPARE(b.resume(), "L'importation du fichier « entree.adi » a été arrêtée : rien n'a "
                             "été importé, le log n'a pas été modifié.");
        QCOMPARE(d.log(), QByteArray());
        QCOMPARE(OutilsTest::litOctets(d.chemin(FirstNameMemory::nomFichier)),
                 QByteArray("F9ZZZ        59 ZOE\r\n"));
        QVERIFY(!QFile::exists(d.chemin(Importation::nomRapport(kStation))));
        QVERIFY(!QFile::exists(d.chemin("Sauvegardes")));
        QVERIFY(avancees.isEmpty() || avancees.last() < 950);
    } else {
        QCOMPARE(b.importes, 1);
        QCOMPARE(d.log().count("\r\n"), 1);
        QVERIFY(QFile::exists(d.chemin(Importation::nomRapport(kStation))));
        QCOMPARE(avancees.last(), 1000);
    }
}

// The first-name memory learns the names of the QSOs of the file: the
// latest QSO of a callsign gives its name, a QSO without a name takes none
// away. Those already in the log count too, so that importing the file again
// mends a memory that a stop between the rewrite of the log and its own left
// behind; a record skipped teaches nothing.
void TestImportFichier::prenomsAppris_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<bool>("coupure"); // imported once, the memory as before, then again
    QTest::addColumn<int>("importes");
    QTest::addColumn<QByteArray>("apres");
    const QString recent = avec(avec(kRecord, "QSO_DATE", "20240101"), "NAME", "Pierre");
    const QString paul = avec(kRecord, "SIG", "77122");
    const QString sansNom =
        avec(avec(avec(kRecord, "CALL", "F9ZZZ"), "NAME", QString()), "SIG", "77123");
    const QString autre = avec(avec(avec(kRecord, "CALL", "F1NEW"), "NAME", "Zoé"), "SIG", "77124");
    const QByteArray appris =
        latin1("F6XYZ        77 PIERRE\r\nF9ZZZ        59 ZOE\r\nF1NEW        77 ZOÉ\r\n");
    const QString tout = recent + paul + sansNom + autre;
    QTest::newRow("new QSOs") << QStringList() << tout << false << 4 << appris;
    QTest::newRow("the same file again after a stop")
        << QStringList() << tout << true << 0 << appris;
    LogLine::Champs deja = LignesQso::ordinaire();
    deja.indicatif = "F1NEW";
    deja.date = "17/02/23";
    deja.heure = "17:26";
    deja.reference = "77124";
    deja.prenom = "";
    QTest::newRow("a QSO already in the log")
        << QStringList{LignesQso::ligne(deja)} << autre << false << 0
        << latin1("F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\nF1NEW        77 ZOÉ\r\n");
    LogLine::Champs moulin = LignesQso::ordinaire();
    moulin.indicatif = "F5AAA";
    moulin.reference = "77124";
    moulin.bande = "1.8 Mhz";
    QTest::newRow("a windmill already contacted teaches nothing")
        << QStringList{LignesQso::ligne(moulin)} << autre << false << 0
        << latin1("F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\n");
}

void TestImportFichier::prenomsAppris()
{
    QFETCH(QStringList, log);
    QFETCH(QString, fichier);
    QFETCH(bool, coupure);
    QFETCH(int, importes);
    QFETCH(QByteArray, apres);
    Dossier d;
    QVERIFY(d.ecritLog(log));
    const QByteArray avant = "F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\n";
    QVERIFY(OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), avant));
    if (coupure) {
        QVERIFY(d.importe(fichier.toUtf8()).importes > 0);
        QVERIFY(OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), avant));
    }
    const QByteArray logAvant = d.log();
    const Importation::Bilan b = d.importe(fichier.toUtf8());
    QCOMPARE(b.importes, importes);
    if (importes == 0)
        QCOMPARE(d.log(), logAvant);
    QCOMPARE(OutilsTest::litOctets(d.chemin(FirstNameMemory::nomFichier)), apres);
}

// A file or a log that cannot be read: nothing is written, the summary says
// why.
void TestImportFichier::echecs_data()
{
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("fichier");
    QTest::addColumn<QString>("message");
    QTest::newRow("no log") << false << true << "Le log « F5ABC_KZT.log » est introuvable";
    QTest::newRow("no file") << true << false << "L'importation du fichier « absent.adi »";
}

void TestImportFichier::echecs()
{
    QFETCH(bool, log);
    QFETCH(bool, fichier);
    QFETCH(QString, message);
    Dossier d;
    if (log)
        QVERIFY(d.ecritLog({}));
    OutilsTest::ecritOctets(d.chemin("entree.adi"), kRecord.toLatin1());
    const Importation::Bilan b = Importation::importeFichier(
        d.dossier.path(), kStation, d.chemin(fichier ? "entree.adi" : "absent.adi"), d.horloge);
    QVERIFY(!b.statut.estOk());
    QVERIFY2(b.resume().contains(message), qPrintable(b.resume()));
    QCOMPARE(d.log(), QByteArray());
    QVERIFY(!QFile::exists(d.chemin(Importation::nomRapport(kStation))));
    QVERIFY(!QFile::exists(d.chemin("Sauvegardes")));
}

// The summary gives the first ten reasons with their counts, and how many
// other reasons there were.
void TestImportFichier::raisonsResumees_data()
{
    QTest::addColumn<int>("raisons");
    QTest::addColumn<QString>("fin");
    QTest::newRow("ten") << 10 << "   1 × raison 10";
    QTest::newRow("eleven") << 11 << "   1 × raison 10\r\n   et 1 autre raison";
    QTest::newRow("twelve") << 12 << "   1 × raison 10\r\n   et 2 autres raisons";
}

void TestImportFichier::raisonsResumees()
{
    QFETCH(int, raisons);
    QFETCH(QString, fin);
    Importation::Bilan b;
    b.statutRapport = Statut::valide();
    for (int i = 1; i <= raisons; ++i)
        b.rejets.push_back({i, QStringLiteral("raison %1").arg(i), QString()});
    QVERIFY2(b.resume().endsWith(fin), qPrintable(b.resume()));
}

QTEST_GUILESS_MAIN(TestImportFichier)
#include "tst_importfichier.moc"

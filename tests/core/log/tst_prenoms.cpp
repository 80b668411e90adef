#include "OutilsTest.h"
#include "core/log/FirstNameMemory.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace OutilsTest;

class TestPrenoms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recherchePrenom_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<bool>("estTrouve");
        QTest::addColumn<QString>("departementAttendu");
        QTest::addColumn<QString>("prenomAttendu");
        QTest::newRow("known") << QByteArray("F1ABC        77 JEAN\r\n") << "F1ABC" << true << "77"
                               << "JEAN";
        QTest::newRow("lower case name comes back upper")
            << QByteArray("F1ABC        77 j\xe9r\xf4me\r\n") << "F1ABC" << true << "77"
            << "JÉRÔME";
        QTest::newRow("blank department empties it")
            << QByteArray("F1ABC           PAUL\r\n") << "F1ABC" << true << ""
            << "PAUL";
        QTest::newRow("one-character department keeps its blank")
            << QByteArray("F1ABC        7  PAUL\r\n") << "F1ABC" << true << "7 "
            << "PAUL";
        QTest::newRow("last line wins")
            << QByteArray(
                   "F1ABC        77 JEAN\r\nF5XYZ        2a ANNE\r\nF1ABC        91 MARC\r\n")
            << "F1ABC" << true << "91"
            << "MARC";
        QTest::newRow("twelve characters")
            << QByteArray("F1ABCDEFGHIJ 2b LUC\r\n") << "F1ABCDEFGHIJ" << true << "2b"
            << "LUC";
        QTest::newRow("case counts")
            << QByteArray("f1abc        77 JEAN\r\n") << "F1ABC" << false << ""
            << "";
        QTest::newRow("suffix does not match")
            << QByteArray("F1ABC_P      77 JEAN\r\n") << "F1ABC" << false << ""
            << "";
        QTest::newRow("short line has no first name")
            << QByteArray("F1ABC        77\n") << "F1ABC" << true << "77"
            << "";
        QTest::newRow("empty memory") << QByteArray() << "F1ABC" << false << ""
                                      << "";
    }
    void recherchePrenom()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(QString, indicatif);
        QFETCH(bool, estTrouve);
        QFETCH(QString, departementAttendu);
        QFETCH(QString, prenomAttendu);
        QTemporaryDir dossier;
        FirstNameMemory memoire(dossier.path());
        QVERIFY(ecritOctets(memoire.chemin(), fichier));
        Statut statut;
        const FirstNameMemory::Trouve t = memoire.Cherche_Prenom(indicatif, &statut);
        QVERIFY(statut.estOk());
        QCOMPARE(t.trouve, estTrouve);
        QCOMPARE(t.departement, departementAttendu);
        QCOMPARE(t.prenom, prenomAttendu);
    }

    void memoireAbsenteVideEtCreeeAuPremierQso()
    {
        QTemporaryDir dossier;
        FirstNameMemory memoire(dossier.path());
        Statut statut;
        QVERIFY(!memoire.Cherche_Prenom("F1ABC", &statut).trouve);
        QVERIFY(statut.estOk());
        QVERIFY(
            memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F1ABC", "77", "JEAN")).estOk());
        QCOMPARE(litOctets(memoire.chemin()), QByteArray("F1ABC        77 JEAN\r\n"));
        QVERIFY(!QFile::exists(dossier.filePath("Temporaire.txt")));
    }

    void enregistrerRemplaceChaqueLigneDeLIndicatif()
    {
        QTemporaryDir dossier;
        FirstNameMemory memoire(dossier.path());
        QVERIFY(ecritOctets(
            memoire.chemin(),
            "F1ABC        77 JEAN\r\nF5XYZ        2a ANNE\r\nF1ABC        77 JEAN\r\n"));
        QVERIFY(memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F1ABC", "7", "")).estOk());
        QCOMPARE(litOctets(memoire.chemin()),
                 QByteArray("F1ABC        7  \r\nF5XYZ        2a ANNE\r\nF1ABC        7  \r\n"));
        const FirstNameMemory::Trouve t = memoire.Cherche_Prenom("F1ABC");
        QCOMPARE(t.departement, QStringLiteral("7 "));
        QCOMPARE(t.prenom, QString());

        QVERIFY(
            memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F6NEW", "", "ÉLODIE")).estOk());
        QVERIFY(litOctets(memoire.chemin()).endsWith("F6NEW           \xc9LODIE\r\n"));
    }

    // A save that changes no line of the memory leaves the file untouched;
    // one that changes a line, or a file with other line ends, rewrites it.
    void memoireInchangeeNonReecrite_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("prenomAttendu");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<bool>("rewritten");
        const QByteArray jean("F1ABC        77 JEAN\r\n");
        const QByteArray autre("F5XYZ        2a ANNE\r\n");
        QTest::newRow("same line") << jean + autre << "JEAN" << jean + autre << false;
        QTest::newRow("same line twice")
            << jean + autre + jean << "JEAN" << jean + autre + jean << false;
        QTest::newRow("other first name")
            << jean + autre << "PAUL" << QByteArray("F1ABC        77 PAUL\r\n") + autre << true;
        QTest::newRow("same line, lf ends")
            << QByteArray("F1ABC        77 JEAN\nF5XYZ        2a ANNE") << "JEAN" << jean + autre
            << true;
        QTest::newRow("new station") << autre << "JEAN" << autre + jean << true;
    }
    void memoireInchangeeNonReecrite()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(QString, prenomAttendu);
        QFETCH(QByteArray, apres);
        QFETCH(bool, rewritten);
        QTemporaryDir dossier;
        FirstNameMemory memoire(dossier.path());
        QVERIFY(ecritOctets(memoire.chemin(), fichier));
        const QDateTime ancienne(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile f(memoire.chemin());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(ancienne, QFileDevice::FileModificationTime));
        }
        QVERIFY(memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F1ABC", "77", prenomAttendu))
                    .estOk());
        QCOMPARE(litOctets(memoire.chemin()), apres);
        QCOMPARE(QFileInfo(memoire.chemin()).lastModified().toUTC() != ancienne, rewritten);
        QVERIFY(!QFile::exists(dossier.filePath("Temporaire.txt")));
    }

    void prenomNonEnregistrableNeChangeRien()
    {
        QTemporaryDir dossier;
        FirstNameMemory memoire(dossier.path());
        QVERIFY(ecritOctets(memoire.chemin(), "F1ABC        77 JEAN\r\n"));
        QVERIFY(
            !memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F1ABC", "77", "ИВАН")).estOk());
        QCOMPARE(litOctets(memoire.chemin()), QByteArray("F1ABC        77 JEAN\r\n"));
        // Nor a line end, which would make two lines of one.
        QVERIFY(
            !memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F1ABC", "77", "JE\rAN")).estOk());
        QVERIFY(!memoire.Memorise_Prenom(FirstNameMemory::formeLigne("F6\nX", "", "")).estOk());
        QCOMPARE(litOctets(memoire.chemin()), QByteArray("F1ABC        77 JEAN\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPrenoms)
#include "tst_prenoms.moc"

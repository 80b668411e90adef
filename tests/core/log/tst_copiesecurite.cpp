// The second copy of the program folder, on another medium: read back,
// rotated, and never in the way of the logs whatever the medium does.
#include "BancStationLog.h"
#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/CopieSecurite.h"
#include "core/platform/FichierTexte.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace JeuxEssai;
using namespace OutilsTest;

namespace {

// The system's writes, each one told first to `avant`, which may end it with
// an error number of its own (0: the write goes on).
class EcrituresSurveillees : public FichierTexte::OperationsFichier {
public:
    explicit EcrituresSurveillees(std::function<int(const QString&)> avant)
        : m_avant(std::move(avant)), m_precedent(FichierTexte::changeOperationsFichier(this))
    {
    }
    ~EcrituresSurveillees() override { FichierTexte::changeOperationsFichier(m_precedent); }
    int ecrit(QFile& fichier, const QByteArray& octets) override
    {
        const int erreur = m_avant(fichier.fileName());
        return erreur != 0 ? erreur : OperationsFichier::ecrit(fichier, octets);
    }

private:
    std::function<int(const QString&)> m_avant;
    FichierTexte::OperationsFichier* m_precedent;
};

} // namespace

class TestCopieSecurite : public QObject, protected BancStationLog {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

    // The second copy, on another medium: every log, the first names and
    // the settings, read back; the ten newest kept; a folder that is gone,
    // full or planted with links costs no file of the program's folder and
    // leaves no copy that looks complete.
    void copieDeSecurite_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("message"); // empty: the copy is made
        QTest::newRow("copy, read back, rotation") << "rotation"
                                                   << "";
        QTest::newRow("folder missing (stick unplugged)") << "absent"
                                                          << "introuvable";
        QTest::newRow("a file in place of the folder") << "fichier"
                                                       << "n'est pas un dossier";
        QTest::newRow("full disk") << "plein"
                                   << "disque est plein";
        QTest::newRow("planted links") << "liens"
                                       << "";
        QTest::newRow("cut short, then the next copy") << "interrompue"
                                                       << "interrompue";
        QTest::newRow("read-only medium") << "lecture seule"
                                          << "lecture seule";
        QTest::newRow("folder removed during the copy") << "disparu"
                                                        << "introuvable";
        QTest::newRow("pipes planted, never opened") << "tubes"
                                                     << "";
    }
    void copieDeSecurite()
    {
        QFETCH(QString, cas);
        QFETCH(QString, message);
        ecritLeLog({ligneQso("F5AAA"), ligneQso("F5BBB")});
        const QDir programme(m_dossierTemporaire->path());
        QVERIFY(ecritOctets(programme.filePath("F_P2XYZ_KZT.log"), "autre station\r\n"));
        QVERIFY(ecritOctets(programme.filePath("Liste_Prenom.txt"), "F5AAA 77 PAUL\r\n"));
        QTemporaryDir ailleurs;
        const QString ini = ailleurs.filePath("KZT.ini");
        QVERIFY(ecritOctets(ini, "[Copie]\r\n"));
        QString cible = ailleurs.filePath("cle");
        QVERIFY(QDir().mkpath(cible));
        const CopieSecurite copie(programme.path(), ini);
        const QDateTime moment(QDate(2026, 12, 8), QTime(10, 0));
        const QString dehors = ailleurs.filePath("dehors");
        QVERIFY(QDir().mkpath(dehors));
        QVERIFY(ecritOctets(dehors + "/garde.txt", "a moi"));
        std::atomic<bool> abandon{false};
        Statut s;
        if (cas == "absent") {
            cible = ailleurs.filePath("debranchee");
        } else if (cas == "fichier") {
            QVERIFY(QDir(cible).removeRecursively());
            QVERIFY(ecritOctets(cible, "pas un dossier"));
        } else if (cas == "liens") {
            // Named as copies: never followed, never emptied.
            QVERIFY(QFile::link(dehors, cible + "/RQN_KZT_20200101_000000.partiel"));
            QVERIFY(QFile::link(dehors, cible + "/RQN_KZT_20200101_000001"));
        } else if (cas == "interrompue") {
            abandon = true;
        } else if (cas == "tubes") {
#ifdef Q_OS_WIN
            QSKIP("no pipe made by a user on Windows");
#else
            // A pipe opened for reading waits for a writer that never comes.
            QCOMPARE(::mkfifo(QFile::encodeName(programme.filePath("F_TUBE_KZT.log")), 0644), 0);
            QCOMPARE(::mkfifo(QFile::encodeName(cible + "/RQN_KZT_20200101_000000.partiel"), 0644),
                     0);
#endif
        }
        int ecrituresCle = 0;
        EcrituresSurveillees surveillees([&](const QString& fichier) {
            if (!fichier.startsWith(cible + "/"))
                return 0;
            ++ecrituresCle;
            if (cas == "lecture seule")
                return EROFS;
            if (cas == "disparu" && ecrituresCle == 2) {
                // Gone under the file being written (Windows keeps what is open).
                QDir(cible).removeRecursively();
                return ENOENT;
            }
            return 0;
        });
        if (cas == "plein") {
            EXIGE_LIMITE_TAILLE();
            LimiteTailleFichier limite(octetsLog().size() / 2);
            s = copie.copie(cible, moment);
        } else {
            s = copie.copie(cible, moment, &abandon);
        }
        QCOMPARE(litOctets(dehors + "/garde.txt"), QByteArray("a moi"));
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA"), ligneQso("F5BBB")}));
        if (!message.isEmpty()) {
            QVERIFY(!s.estOk());
            QVERIFY2(s.message.contains(message), qPrintable(s.message));
            QVERIFY2(s.message.startsWith("Copie de sécurité"), qPrintable(s.message));
            if (QFileInfo(cible).isDir())
                QCOMPARE(CopieSecurite::copies(cible), QStringList());
            if (cas == "lecture seule")
                QCOMPARE(CopieSecurite::inacheves(cible).size(), 1);
            if (cas != "interrompue")
                return;
            QCOMPARE(CopieSecurite::inacheves(cible).size(), 1);
            // The next copy removes what the one cut short left.
            abandon = false;
            s = copie.copie(cible, moment.addSecs(60));
            QCOMPARE(CopieSecurite::inacheves(cible), QStringList());
        }
        QVERIFY2(s.estOk(), qPrintable(s.message));
        const QString premiere = CopieSecurite::copies(cible).value(0);
        QVERIFY(premiere.startsWith("RQN_KZT_20261208_10"));
        const QDir faite(QDir(cible).filePath(premiere));
        QCOMPARE(faite.entryList(QDir::Files, QDir::Name),
                 (QStringList{"F1ABC_KZT.log", "F_P2XYZ_KZT.log", "KZT.ini", "Liste_Prenom.txt"}));
        QCOMPARE(litOctets(faite.filePath("F1ABC_KZT.log")), octetsLog());
        if (cas != "rotation")
            return;
        for (int i = 1; i <= CopieSecurite::nombreGardees + 2; ++i)
            QVERIFY(copie.copie(cible, moment.addDays(i)).estOk());
        const QStringList gardees = CopieSecurite::copies(cible);
        QCOMPARE(gardees.size(), CopieSecurite::nombreGardees);
        QCOMPARE(gardees.first(), QString("RQN_KZT_20261220_100000"));
        QCOMPARE(gardees.last(), QString("RQN_KZT_20261211_100000"));
    }
};

QTEST_GUILESS_MAIN(TestCopieSecurite)
#include "tst_copiesecurite.moc"

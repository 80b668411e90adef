#include "OutilsTest.h"
#include "core/log/Affichage.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace OutilsTest;

namespace {

// The file operations of the system, each one noted (paths relative to the
// test folder) before it runs; the one named in failAt fails with erreurEchec.
class OperationsNotees : public FichierTexte::OperationsFichier {
public:
    explicit OperationsNotees(const QString& root) : m_racine(root) {}
    QStringList calls;
    QString failAt;
    int erreurEchec = EIO;

    int write(QFile& file, const QByteArray& bytes) override
    {
        return note(QStringLiteral("write ") + relative(file.fileName()),
                    [&] { return OperationsFichier::write(file, bytes); });
    }
    int sync(QFile& file) override
    {
        return note(QStringLiteral("sync ") + relative(file.fileName()),
                    [&] { return OperationsFichier::sync(file); });
    }
    int rename(const QString& from, const QString& to) override
    {
        return note(QStringLiteral("rename ") + relative(from) + QStringLiteral(" > ") +
                        relative(to),
                    [&] { return OperationsFichier::rename(from, to); });
    }
    int synchroniseDossier(const QString& folder) override
    {
        return note(QStringLiteral("syncFolder ") + relative(folder),
                    [&] { return OperationsFichier::synchroniseDossier(folder); });
    }

private:
    QString relative(const QString& path) const
    {
        const QString r = QDir(m_racine).relativeFilePath(path);
        return r.isEmpty() ? QStringLiteral(".") : r;
    }
    template <typename Execution> int note(const QString& call, Execution run)
    {
        calls << call;
        return call.section(QLatin1Char(' '), 0, 0) == failAt ? erreurEchec : run();
    }
    QString m_racine;
};

struct OperationsSurPlace {
    explicit OperationsSurPlace(FichierTexte::OperationsFichier* ops)
        : previous(FichierTexte::changeOperationsFichier(ops))
    {
    }
    ~OperationsSurPlace() { FichierTexte::changeOperationsFichier(previous); }
    FichierTexte::OperationsFichier* previous;
};

} // namespace

class TestFichierTexte : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodeChaqueOctetEtLeReecrit()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // €
        QCOMPARE(text.at(0x8C), QChar(0x0152)); // Œ
        QCOMPARE(text.at(0x9F), QChar(0x0178)); // Ÿ
        QCOMPARE(text.at(0xE9), QChar(0x00E9)); // é
        QCOMPARE(text.at(0x81), QChar(0x0081)); // undefined byte kept as is
        QByteArray back;
        QVERIFY(Cp1252::encode(text, &back));
        QCOMPARE(back, all);
    }

    void refuseLesCaracteresSansOctet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("badIndex");
        QTest::newRow("cyrillic") << QStringLiteral("ABЖ") << 2;
        QTest::newRow("greek") << QStringLiteral("Ωmega") << 0;
        QTest::newRow("emoji") << QStringLiteral("M. 😀") << 3;
        QTest::newRow("latin-ext") << QStringLiteral("Łódź") << 0;
    }
    void refuseLesCaracteresSansOctet()
    {
        QFETCH(QString, text);
        QFETCH(int, badIndex);
        QByteArray out = "untouched";
        qsizetype bad = -1;
        QVERIFY(!Cp1252::encode(text, &out, &bad));
        QCOMPARE(bad, qsizetype(badIndex));
        QCOMPARE(out, QByteArray("untouched"));
        QVERIFY(Cp1252::describe(text, bad).contains(QLatin1String("U+")));
    }

    void majusculesGardentLaLongueur_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << QStringLiteral("jean-paul") << QStringLiteral("JEAN-PAUL");
        QTest::newRow("accents") << QStringLiteral("éèçœ") << QStringLiteral("ÉÈÇŒ");
        QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << QStringLiteral("Ÿ");
        QTest::newRow("sharp s stays") << QStringLiteral("straße") << QStringLiteral("STRAßE");
        QTest::newRow("micro stays") << QStringLiteral("µ") << QStringLiteral("µ");
    }
    void majusculesGardentLaLongueur()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(Cp1252::toUpper(text), upper);
    }

    void litToutesLesFinsDeLigne_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("no last end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\nb\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("blank line kept")
            << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("short line") << QByteArray("F1ABC  77\r\n") << QStringList{"F1ABC  77"};
        QTest::newRow("cp1252") << QByteArray("\xc9t\xe9 \x80\r\n") << QStringList{"Été €"};
        QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("cr only, no last end") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("cr, lf and crlf")
            << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank line between crs")
            << QByteArray("a\r\rb\r") << QStringList{"a", "", "b"};
        QTest::newRow("cr before crlf") << QByteArray("a\r\r\n") << QStringList{"a", ""};
        // Files read by blocks of 1 MiB: a line end across two blocks, and
        // lines that no LF ends before the end of the file.
        const QByteArray longue(1024 * 1024 - 1, 'x');
        QTest::newRow("crlf across two blocks") << longue + "\r\nb\r\n"
                                                << QStringList{QString::fromLatin1(longue), "b"};
        QTest::newRow("cr only across two blocks")
            << longue + "\rb\rc" << QStringList{QString::fromLatin1(longue), "b", "c"};
        QTest::newRow("lf ending a block") << QByteArray(1024 * 1024 - 1, 'y') + "\nz"
                                           << QStringList{QString(1024 * 1024 - 1, 'y'), "z"};
    }
    void litToutesLesFinsDeLigne()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        ecritOctets(path, content);
        QStringList read;
        QVERIFY(FichierTexte::litTexte(path, &read).isOk());
        QCOMPARE(read, lines);

        // Read by blocks, line by line: the same lines.
        QStringList parLigne;
        QVERIFY(FichierTexte::readEachLine(path, [&](const char* data, qsizetype size) {
                    parLigne << Cp1252::decode(data, size);
                }).isOk());
        QCOMPARE(parLigne, lines);
        // The log list read from the file: the display lines of its content.
        Affichage::Journal journal;
        QVERIFY(Affichage::Journal::Lit_Fichier(path, &journal).isOk());
        const QStringList attendues = Affichage::Journal(content).versListe();
        QCOMPARE(journal.size(), qsizetype(lines.size()));
        QCOMPARE(journal.total(), qsizetype(lines.size()));
        QCOMPARE(journal.versListe(), attendues);
        for (qsizetype i = 0; i < journal.size(); ++i)
            QCOMPARE(journal.at(i), attendues.at(i));
    }

    void dossierAuLieuDuFichierLeDit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("F1ABC_KZT.log"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("F1ABC_KZT.log")));
        QByteArray content;
        const Statut s = FichierTexte::readAll(path, &content);
        QCOMPARE(s.code, Statut::Echec);
        QVERIFY2(s.message.contains(QLatin1String("un dossier porte ce nom")),
                 qPrintable(s.message));
    }

    void fichierAbsentSignaleAbsent()
    {
        QTemporaryDir dir;
        QStringList lines;
        const Statut s = FichierTexte::litTexte(dir.filePath(QStringLiteral("none.txt")), &lines);
        QCOMPARE(s.code, Statut::Absent);
        QVERIFY(!s.message.isEmpty());
    }

    void remplaceEcritCrLfEtEffaceLeFichierDeTravail()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(target, "old\n");
        QVERIFY(FichierTexte::remplaceTexte(target, work,
                                            {QStringLiteral("Été"), QString(), QStringLiteral("b")})
                    .isOk());
        QCOMPARE(litOctets(target), QByteArray("\xc9t\xe9\r\n\r\nb\r\n"));
        QVERIFY(!QFile::exists(work));
    }

    void texteNonCodableNEcritRien()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(target, "old\r\n");
        const Statut s =
            FichierTexte::remplaceTexte(target, work, {QStringLiteral("ok"), QStringLiteral("Ж")});
        QVERIFY(!s.isOk());
        QVERIFY(s.message.contains(QLatin1String("U+0416")));
        QCOMPARE(litOctets(target), QByteArray("old\r\n"));
        QVERIFY(!QFile::exists(work));
    }

    void disquePleinLaisseLaCibleIntacte()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        const QByteArray before(5000, 'x');
        QVERIFY(ecritOctets(target, before));
        Statut s;
        {
            LimiteTailleFichier limit(1000);
            s = FichierTexte::replace(target, work, {QByteArray(4000, 'y')});
        }
        QVERIFY(!s.isOk());
        QVERIFY2(s.message.contains(QLatin1String("disque est plein")), qPrintable(s.message));
        QCOMPARE(litOctets(target), before);
        QVERIFY(!QFile::exists(work));
    }

    void cibleEnLectureSeuleNonRemplacee()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(target, "keep\r\n");
        QVERIFY(
            QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const Statut s = FichierTexte::replace(target, work, {"new"});
        QVERIFY(!s.isOk());
        QVERIFY2(s.message.contains(QLatin1String("lecture seule")), qPrintable(s.message));
        QCOMPARE(litOctets(target), QByteArray("keep\r\n"));
        QVERIFY(!QFile::exists(work));
        QCOMPARE(QFile::permissions(target) & QFile::WriteOwner, QFile::Permissions());
    }

    // No kill can show a missing flush: the order of the calls does. The work
    // file reaches the disk before it is renamed over the target, and the
    // folder after the rename; whichever call fails, the target is complete.
    void vidagesAutourDuRenommage_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QByteArray>("after"); // the target afterwards
        QTest::addColumn<QString>("message");  // empty when it succeeds
        const QStringList replace{"write Temporaire.txt", "sync Temporaire.txt",
                                  "rename Temporaire.txt > log.txt", "syncFolder ."};
        QTest::newRow("replace") << "replace"
                                 << "" << replace << QByteArray("new\r\n") << "";
        QTest::newRow("replace, disk full")
            << "replace"
            << "write" << replace.mid(0, 1) << QByteArray("old\r\n") << "disque est plein";
        QTest::newRow("replace, flush fails")
            << "replace"
            << "sync" << replace.mid(0, 2) << QByteArray("old\r\n") << "erreur d'entrée-sortie";
        QTest::newRow("replace, rename fails")
            << "replace"
            << "rename" << replace.mid(0, 3) << QByteArray("old\r\n") << "n'a pas été modifié";
        QTest::newRow("replace, folder flush fails")
            << "replace"
            << "syncFolder" << replace << QByteArray("new\r\n") << "pas confirmé";
        const QStringList create{"write log.txt", "sync log.txt", "syncFolder ."};
        QTest::newRow("create") << "create"
                                << "" << create << QByteArray("new\r\n") << "";
        QTest::newRow("create, flush fails")
            << "create"
            << "sync" << create.mid(0, 2) << QByteArray() << "erreur d'entrée-sortie";
        QTest::newRow("create, folder flush fails")
            << "create"
            << "syncFolder" << create << QByteArray("new\r\n") << "pas confirmé";
        const QStringList log{"write F1ABC_KZT.log", "sync F1ABC_KZT.log", "syncFolder ."};
        QTest::newRow("new station log") << "Cree_Log"
                                         << "" << log << QByteArray("new\r\n") << "";
        // The day's backup, then the change, each one flushed the same way.
        QTest::newRow("station log change")
            << "Enregistre_QSO"
            << ""
            << QStringList{"write Sauvegardes/Temporaire.txt",
                           "sync Sauvegardes/Temporaire.txt",
                           "rename Sauvegardes/Temporaire.txt > Sauvegardes/F1ABC_KZT_20261207.log",
                           "syncFolder Sauvegardes",
                           "write Temporaire.txt",
                           "sync Temporaire.txt",
                           "rename Temporaire.txt > F1ABC_KZT.log",
                           "syncFolder ."}
            << QByteArray() << "";
        // A saved QSO and its first name: both renamed, then one flush of
        // their folder, also when the disk does not confirm it.
        const QStringList avecPrenom{"write Temporaire.txt",
                                     "sync Temporaire.txt",
                                     "rename Temporaire.txt > F1ABC_KZT.log",
                                     "write Temporaire.txt",
                                     "sync Temporaire.txt",
                                     "rename Temporaire.txt > Liste_Prenom.txt",
                                     "syncFolder ."};
        QTest::newRow("station log change and first name")
            << "Enregistre_QSO, Memorise_Prenom"
            << "" << avecPrenom << QByteArray() << "";
        QTest::newRow("station log change and first name, folder flush fails")
            << "Enregistre_QSO, Memorise_Prenom"
            << "syncFolder" << avecPrenom << QByteArray() << "pas confirmé";
    }
    void vidagesAutourDuRenommage()
    {
        QFETCH(QString, operation);
        QFETCH(QString, failAt);
        QFETCH(QStringList, calls);
        QFETCH(QByteArray, after);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QDir d(dir.path());
        OperationsNotees noted(dir.path());
        noted.failAt = failAt;
        noted.erreurEchec = failAt == QLatin1String("write") ? ENOSPC : EIO;
        QString target = d.filePath(QStringLiteral("log.txt"));
        Statut s;
        {
            const OperationsSurPlace inPlace(&noted);
            if (operation == QLatin1String("replace")) {
                ecritOctets(target, "old\r\n");
                s = FichierTexte::replace(target, d.filePath(QStringLiteral("Temporaire.txt")),
                                          {"new"});
            } else if (operation == QLatin1String("create")) {
                s = FichierTexte::creeNouveau(target, "new\r\n");
            } else if (operation == QLatin1String("Cree_Log")) {
                ecritOctets(d.filePath(QStringLiteral("FXXXX.txt")), "new\r\n");
                target = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                s = StationLog::Cree_Log(dir.path(), QStringLiteral("F1ABC"));
            } else if (operation == QLatin1String("Enregistre_QSO")) {
                target = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                ecritOctets(target, "");
                const HorlogeReglee day(QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
                const QString line = QStringLiteral("F5XYZ").leftJustified(107, QLatin1Char(' '));
                s = StationLog(dir.path(), QStringLiteral("F1ABC"), &day).Enregistre_QSO(line);
                after = line.toLatin1() + "\r\n";
            } else {
                // As a saved QSO does it, the day's backup already made.
                target = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                ecritOctets(target, "");
                const HorlogeReglee day(QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
                QVERIFY(d.mkdir(QStringLiteral("Sauvegardes")));
                ecritOctets(d.filePath(QStringLiteral("Sauvegardes/F1ABC_KZT_20261207.log")), "");
                const QString line = QStringLiteral("F5XYZ").leftJustified(107, QLatin1Char(' '));
                StationLog log(dir.path(), QStringLiteral("F1ABC"), &day);
                log.Vidage_Dossier(FichierTexte::FolderFlush::Later);
                QVERIFY(log.Enregistre_QSO(line).isOk());
                FirstNameMemory prenoms(dir.path());
                prenoms.Vidage_Dossier(FichierTexte::FolderFlush::Later);
                QVERIFY(prenoms.Memorise_Prenom(QStringLiteral("F5XYZ        77 JEAN")).isOk());
                s = FichierTexte::flushFolder(target);
                after = line.toLatin1() + "\r\n";
                QCOMPARE(litOctets(prenoms.chemin()), QByteArray("F5XYZ        77 JEAN\r\n"));
            }
        }
        QCOMPARE(noted.calls, calls);
        QCOMPARE(s.isOk(), message.isEmpty());
        QVERIFY2(s.message.contains(message), qPrintable(s.message));
        QCOMPARE(litOctets(target), after);
        if (operation == QLatin1String("create") && after.isEmpty())
            QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(d.filePath(QStringLiteral("Temporaire.txt"))));
        QVERIFY(!QFile::exists(d.filePath(FichierTexte::VerrouDossier::NomFichierVerrou)));
    }

    // Another program holds the folder: the rewrite waits, then gives up
    // without touching anything; the lock of a program that died is taken over.
    void ecrivainsDUnDossierChacunLeurTour()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        const QString lockPath = dir.filePath(FichierTexte::VerrouDossier::NomFichierVerrou);
        ecritOctets(target, "old\r\n");
        FichierTexte::VerrouDossier::changeAttenteMs(300);
        {
            FichierTexte::FichierVerrou other(lockPath);
            QVERIFY(other.lock(0));
            QElapsedTimer waited;
            waited.start();
            const Statut s = FichierTexte::replace(target, work, {"new"});
            QVERIFY(waited.elapsed() >= 250);
            QVERIFY(!s.isOk());
            QVERIFY2(s.message.contains(QLatin1String("Un autre programme")),
                     qPrintable(s.message));
            QCOMPARE(litOctets(target), QByteArray("old\r\n"));
            QVERIFY(!QFile::exists(work));
        }
        // The file of a program that was killed holding the lock: the system
        // let the lock go, the file stays.
        QVERIFY(!QFile::exists(lockPath));
        QVERIFY(ecritOctets(lockPath, "left behind"));
        QVERIFY(QFile::exists(lockPath));
        QVERIFY(FichierTexte::replace(target, work, {"new"}).isOk());
        QCOMPARE(litOctets(target), QByteArray("new\r\n"));
        QVERIFY(!QFile::exists(lockPath));

        // Taken again by the same thread while held: no wait, released with the outermost.
        {
            const FichierTexte::VerrouDossier outer(dir.path());
            QVERIFY(outer.status().isOk());
            QVERIFY(FichierTexte::replace(target, work, {"again"}).isOk());
            QVERIFY(QFile::exists(lockPath));
        }
        QVERIFY(!QFile::exists(lockPath));
        FichierTexte::VerrouDossier::changeAttenteMs(30000);
    }

    void fichierDeTravailInutilisableLaisseLaCible()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(target, "keep\r\n");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
        const Statut s = FichierTexte::replace(target, work, {"new"});
        QVERIFY(!s.isOk());
        QCOMPARE(litOctets(target), QByteArray("keep\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFichierTexte)
#include "tst_fichiertexte.moc"

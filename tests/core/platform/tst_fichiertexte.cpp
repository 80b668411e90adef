#include "OutilsTest.h"
#include "core/log/Affichage.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "support/HorlogeReglee.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace OutilsTest;

namespace {

// The file operations of the system, each one noted (paths relative to the
// test folder) before it runs; the one named in echecSur fails with erreurEchec.
class OperationsNotees : public FichierTexte::OperationsFichier {
public:
    explicit OperationsNotees(const QString& racine) : m_racine(racine) {}
    QStringList appels;
    QString echecSur;
    int erreurEchec = EIO;

    int ecrit(QFile& fichier, const QByteArray& octets) override
    {
        return note(QStringLiteral("write ") + relatif(fichier.fileName()),
                    [&] { return OperationsFichier::ecrit(fichier, octets); });
    }
    int synchronise(QFile& fichier) override
    {
        return note(QStringLiteral("sync ") + relatif(fichier.fileName()),
                    [&] { return OperationsFichier::synchronise(fichier); });
    }
    int renomme(const QString& depuis, const QString& vers) override
    {
        return note(QStringLiteral("rename ") + relatif(depuis) + QStringLiteral(" > ") +
                        relatif(vers),
                    [&] { return OperationsFichier::renomme(depuis, vers); });
    }
    int synchroniseDossier(const QString& dossier) override
    {
        return note(QStringLiteral("syncFolder ") + relatif(dossier),
                    [&] { return OperationsFichier::synchroniseDossier(dossier); });
    }

private:
    QString relatif(const QString& chemin) const
    {
        const QString r = QDir(m_racine).relativeFilePath(chemin);
        return r.isEmpty() ? QStringLiteral(".") : r;
    }
    template <typename Execution> int note(const QString& appel, Execution execution)
    {
        appels << appel;
        return appel.section(QLatin1Char(' '), 0, 0) == echecSur ? erreurEchec : execution();
    }
    QString m_racine;
};

struct OperationsSurPlace {
    explicit OperationsSurPlace(FichierTexte::OperationsFichier* operations)
        : precedent(FichierTexte::changeOperationsFichier(operations))
    {
    }
    ~OperationsSurPlace() { FichierTexte::changeOperationsFichier(precedent); }
    FichierTexte::OperationsFichier* precedent;
};

} // namespace

class TestFichierTexte : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodeChaqueOctetEtLeReecrit()
    {
        QByteArray tous;
        for (int b = 0; b < 256; ++b)
            tous.append(char(b));
        const QString texte = Cp1252::decode1252(tous);
        QCOMPARE(texte.size(), 256);
        QCOMPARE(texte.at(0x80), QChar(0x20AC)); // €
        QCOMPARE(texte.at(0x8C), QChar(0x0152)); // Œ
        QCOMPARE(texte.at(0x9F), QChar(0x0178)); // Ÿ
        QCOMPARE(texte.at(0xE9), QChar(0x00E9)); // é
        QCOMPARE(texte.at(0x81), QChar(0x0081)); // undefined byte kept as is
        QByteArray retour;
        QVERIFY(Cp1252::encode1252(texte, &retour));
        QCOMPARE(retour, tous);
    }

    void refuseLesCaracteresSansOctet_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("mauvaisIndex");
        QTest::newRow("cyrillic") << QStringLiteral("ABЖ") << 2;
        QTest::newRow("greek") << QStringLiteral("Ωmega") << 0;
        QTest::newRow("emoji") << QStringLiteral("M. 😀") << 3;
        QTest::newRow("latin-ext") << QStringLiteral("Łódź") << 0;
    }
    void refuseLesCaracteresSansOctet()
    {
        QFETCH(QString, texte);
        QFETCH(int, mauvaisIndex);
        QByteArray sortie = "untouched";
        qsizetype mauvais = -1;
        QVERIFY(!Cp1252::encode1252(texte, &sortie, &mauvais));
        QCOMPARE(mauvais, qsizetype(mauvaisIndex));
        QCOMPARE(sortie, QByteArray("untouched"));
        QVERIFY(Cp1252::decrit(texte, mauvais).contains(QLatin1String("U+")));
    }

    void majusculesGardentLaLongueur_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("majuscule");
        QTest::newRow("ascii") << QStringLiteral("jean-paul") << QStringLiteral("JEAN-PAUL");
        QTest::newRow("accents") << QStringLiteral("éèçœ") << QStringLiteral("ÉÈÇŒ");
        QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << QStringLiteral("Ÿ");
        QTest::newRow("sharp s stays") << QStringLiteral("straße") << QStringLiteral("STRAßE");
        QTest::newRow("micro stays") << QStringLiteral("µ") << QStringLiteral("µ");
    }
    void majusculesGardentLaLongueur()
    {
        QFETCH(QString, texte);
        QFETCH(QString, majuscule);
        QCOMPARE(Cp1252::majusculesCp1252(texte), majuscule);
    }

    void litToutesLesFinsDeLigne_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QStringList>("lignes");
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
        // Lines are looked for eight bytes at a time: a line end at every
        // place of a word, and bytes that are no line end though close to one
        // (tab, VT, FF, 0x0E, and CR and LF with the high bit set).
        for (int n = 1; n <= 17; ++n) {
            const QByteArray x(n, 'x');
            QTest::newRow(qPrintable(QStringLiteral("crlf after %1 bytes").arg(n)))
                << x + "\r\n" + x + "\r" + x + "\n" + x << QStringList(4, QString::fromLatin1(x));
        }
        const QByteArray presque("a\tb\x0b\x0c\x0e\x8d\x8a c\x1f d\x01\x7f");
        QTest::newRow("no line end in control bytes")
            << presque + "\r\n" + presque
            << QStringList(2, Cp1252::decode1252(presque.constData(), presque.size()));
    }
    void litToutesLesFinsDeLigne()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QStringList, lignes);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("f.txt"));
        ecritOctets(chemin, contenu);
        QStringList lu;
        QVERIFY(FichierTexte::litTexte(chemin, &lu).estOk());
        QCOMPARE(lu, lignes);

        // Read by blocks, line by line: the same lines.
        QStringList parLigne;
        QVERIFY(FichierTexte::litChaqueLigne(chemin, [&](const char* donnees, qsizetype taille) {
                    parLigne << Cp1252::decode1252(donnees, taille);
                }).estOk());
        QCOMPARE(parLigne, lignes);
        // The log list read from the file: the display lines of its content.
        Affichage::Journal journal;
        QVERIFY(Affichage::Journal::litFichier(chemin, &journal).estOk());
        const QStringList attendues = Affichage::Journal(contenu).versListe();
        QCOMPARE(journal.size(), qsizetype(lignes.size()));
        QCOMPARE(journal.total(), qsizetype(lignes.size()));
        QCOMPARE(journal.versListe(), attendues);
        for (qsizetype i = 0; i < journal.size(); ++i)
            QCOMPARE(journal.at(i), attendues.at(i));
    }

    void dossierAuLieuDuFichierLeDit()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
        QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("F1ABC_KZT.log")));
        QByteArray contenu;
        const Statut s = FichierTexte::litTout(chemin, &contenu);
        QCOMPARE(s.code, Statut::Echec);
        QVERIFY2(s.message.contains(QLatin1String("un dossier porte ce nom")),
                 qPrintable(s.message));
    }

    void fichierAbsentSignaleAbsent()
    {
        QTemporaryDir dossier;
        QStringList lignes;
        const Statut s =
            FichierTexte::litTexte(dossier.filePath(QStringLiteral("none.txt")), &lignes);
        QCOMPARE(s.code, Statut::Absent);
        QVERIFY(!s.message.isEmpty());
    }

    void remplaceEcritCrLfEtEffaceLeFichierDeTravail()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(cible, "old\n");
        QVERIFY(FichierTexte::remplaceTexte(cible, travail,
                                            {QStringLiteral("Été"), QString(), QStringLiteral("b")})
                    .estOk());
        QCOMPARE(litOctets(cible), QByteArray("\xc9t\xe9\r\n\r\nb\r\n"));
        QVERIFY(!QFile::exists(travail));
    }

    void texteNonCodableNEcritRien()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(cible, "old\r\n");
        const Statut s = FichierTexte::remplaceTexte(cible, travail,
                                                     {QStringLiteral("ok"), QStringLiteral("Ж")});
        QVERIFY(!s.estOk());
        QVERIFY(s.message.contains(QLatin1String("U+0416")));
        QCOMPARE(litOctets(cible), QByteArray("old\r\n"));
        QVERIFY(!QFile::exists(travail));
    }

    void disquePleinLaisseLaCibleIntacte()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        const QByteArray avant(5000, 'x');
        QVERIFY(ecritOctets(cible, avant));
        Statut s;
        {
            EXIGE_LIMITE_TAILLE();
            LimiteTailleFichier limite(1000);
            s = FichierTexte::remplace(cible, travail, {QByteArray(4000, 'y')});
        }
        QVERIFY(!s.estOk());
        QVERIFY2(s.message.contains(QLatin1String("disque est plein")), qPrintable(s.message));
        QCOMPARE(litOctets(cible), avant);
        QVERIFY(!QFile::exists(travail));
    }

    void cibleEnLectureSeuleNonRemplacee()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(cible, "keep\r\n");
        QVERIFY(
            QFile::setPermissions(cible, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const Statut s = FichierTexte::remplace(cible, travail, {"new"});
        QVERIFY(!s.estOk());
        QVERIFY2(s.message.contains(QLatin1String("lecture seule")), qPrintable(s.message));
        QCOMPARE(litOctets(cible), QByteArray("keep\r\n"));
        QVERIFY(!QFile::exists(travail));
        QCOMPARE(QFile::permissions(cible) & QFile::WriteOwner, QFile::Permissions());
    }

    // No kill can show a missing flush: the order of the calls does. The work
    // file reaches the disk before it is renamed over the target, and the
    // folder after the rename; whichever call fails, the target is complete.
    void synchronisationsAutourDuRenommage_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("echecSur");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<QByteArray>("apres"); // the target afterwards
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
        const QStringList cree{"write log.txt", "sync log.txt", "syncFolder ."};
        QTest::newRow("create") << "create"
                                << "" << cree << QByteArray("new\r\n") << "";
        QTest::newRow("create, flush fails")
            << "create"
            << "sync" << cree.mid(0, 2) << QByteArray() << "erreur d'entrée-sortie";
        QTest::newRow("create, folder flush fails")
            << "create"
            << "syncFolder" << cree << QByteArray("new\r\n") << "pas confirmé";
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
    void synchronisationsAutourDuRenommage()
    {
        QFETCH(QString, operation);
        QFETCH(QString, echecSur);
        QFETCH(QStringList, appels);
        QFETCH(QByteArray, apres);
        QFETCH(QString, message);
        QTemporaryDir dossier;
        const QDir d(dossier.path());
        OperationsNotees notees(dossier.path());
        notees.echecSur = echecSur;
        notees.erreurEchec = echecSur == QLatin1String("write") ? ENOSPC : EIO;
        QString cible = d.filePath(QStringLiteral("log.txt"));
        Statut s;
        {
            const OperationsSurPlace surPlace(&notees);
            if (operation == QLatin1String("replace")) {
                ecritOctets(cible, "old\r\n");
                s = FichierTexte::remplace(cible, d.filePath(QStringLiteral("Temporaire.txt")),
                                           {"new"});
            } else if (operation == QLatin1String("create")) {
                s = FichierTexte::creeNouveau(cible, "new\r\n");
            } else if (operation == QLatin1String("Cree_Log")) {
                ecritOctets(d.filePath(QStringLiteral("FXXXX.txt")), "new\r\n");
                cible = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                s = StationLog::Cree_Log(dossier.path(), QStringLiteral("F1ABC"));
            } else if (operation == QLatin1String("Enregistre_QSO")) {
                cible = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                ecritOctets(cible, "");
                const HorlogeReglee jour(QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
                const QString ligne = QStringLiteral("F5XYZ").leftJustified(107, QLatin1Char(' '));
                s = StationLog(dossier.path(), QStringLiteral("F1ABC"), &jour)
                        .Enregistre_QSO(ligne);
                apres = ligne.toLatin1() + "\r\n";
            } else {
                // As a saved QSO does it, the day's backup already made.
                cible = d.filePath(QStringLiteral("F1ABC_KZT.log"));
                ecritOctets(cible, "");
                const HorlogeReglee jour(QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
                QVERIFY(d.mkdir(QStringLiteral("Sauvegardes")));
                ecritOctets(d.filePath(QStringLiteral("Sauvegardes/F1ABC_KZT_20261207.log")), "");
                const QString ligne = QStringLiteral("F5XYZ").leftJustified(107, QLatin1Char(' '));
                StationLog log(dossier.path(), QStringLiteral("F1ABC"), &jour);
                log.synchronisationDossier(FichierTexte::Synchronisation::Differee);
                QVERIFY(log.Enregistre_QSO(ligne).estOk());
                FirstNameMemory prenoms(dossier.path());
                prenoms.synchronisationDossier(FichierTexte::Synchronisation::Differee);
                QVERIFY(prenoms.Memorise_Prenom(QStringLiteral("F5XYZ        77 JEAN")).estOk());
                s = FichierTexte::synchroniseDossierDe(cible);
                apres = ligne.toLatin1() + "\r\n";
                QCOMPARE(litOctets(prenoms.chemin()), QByteArray("F5XYZ        77 JEAN\r\n"));
            }
        }
        QCOMPARE(notees.appels, appels);
        QCOMPARE(s.estOk(), message.isEmpty());
        QVERIFY2(s.message.contains(message), qPrintable(s.message));
        QCOMPARE(litOctets(cible), apres);
        if (operation == QLatin1String("create") && apres.isEmpty())
            QVERIFY(!QFile::exists(cible));
        QVERIFY(!QFile::exists(d.filePath(QStringLiteral("Temporaire.txt"))));
        QVERIFY(!QFile::exists(d.filePath(FichierTexte::VerrouDossier::NomFichierVerrou)));
    }

    void fichierDeTravailInutilisableLaisseLaCible()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(cible, "keep\r\n");
        QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("Temporaire.txt")));
        const Statut s = FichierTexte::remplace(cible, travail, {"new"});
        QVERIFY(!s.estOk());
        QCOMPARE(litOctets(cible), QByteArray("keep\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFichierTexte)
#include "tst_fichiertexte.moc"

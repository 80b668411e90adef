// What keeps the log whole: writes refused or failed leave it as it was,
// a copy of it before the first change of each day, thirty copies kept, a
// copy that cannot be made, a copy restored, and the files others may leave
// in the folder in place of the program's work files and locks.
#include "BancStationLog.h"
#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/app/Instance.h"
#include "core/log/CopieSecurite.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "core/platform/FichierTexte.h"
#include "support/BoiteMessageScriptee.h"

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

class TestProtectionLog : public QObject, protected BancStationLog {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

    void ecrituresRefuseesLaissentLeLogIntact_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("short line") << "enregistre"
                                    << "F1ABC";
        QTest::newRow("cyrillic") << "enregistre" << ligneQso("F1NEW").replace("MOULIN", "МОУЛИН");
        QTest::newRow("chrono short") << "chrono" << ligneQso("F1NEW").left(100);
        QTest::newRow("replace long") << "remplace" << ligneQso("F1NEW") + "X";
        // A line end inside the line would make two lines of it in the file.
        QTest::newRow("CR inside")
            << "enregistre" << ligneQso("F1NEW").replace("MOULIN", "MOU\rIN");
        QTest::newRow("chrono LF inside")
            << "chrono" << ligneQso("F1NEW").replace("MOULIN", "MOU\nIN");
        QTest::newRow("replace CR LF at end") << "remplace" << ligneQso("F1NEW").left(105) + "\r\n";
    }
    void ecrituresRefuseesLaissentLeLogIntact()
    {
        QFETCH(QString, operation);
        QFETCH(QString, ligne);
        ecritLeLog({ligneQso("F5AAA")});
        const QByteArray avant = octetsLog();
        StationLog l = log();
        Statut s;
        if (operation == "enregistre")
            s = l.Enregistre_QSO(ligne);
        else if (operation == "chrono")
            s = l.Insere_QSO_Chrono(ligne);
        else
            s = l.Remplace_QSO(ligne, ligneQso("F5AAA"));
        QVERIFY(!s.estOk());
        QVERIFY(!s.message.isEmpty());
        QCOMPARE(octetsLog(), avant);
    }

    void ecritureRateeLaisseLeLogIntact_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        for (const char* cause : {"full disk", "read-only log"}) {
            for (const char* operation : {"enregistre", "chrono", "remplace", "supprime"}) {
                QTest::addRow("%s, %s", operation, cause)
                    << operation << cause
                    << (QString(cause) == "full disk" ? "disque est plein" : "lecture seule");
            }
        }
    }
    void ecritureRateeLaisseLeLogIntact()
    {
        QFETCH(QString, operation);
        QFETCH(QString, cause);
        QFETCH(QString, message);
        QStringList lignes;
        for (int i = 0; i < 40; ++i)
            lignes << ligneQso(QString("F5A%1").arg(i, 2, 10, QLatin1Char('0')));
        ecritLeLog(lignes);
        const QByteArray avant = octetsLog();
        Statut s;
        if (cause == "read-only log") {
            QVERIFY(QFile::setPermissions(m_cheminFichier, QFile::ReadOwner | QFile::ReadGroup));
            s = changeLog(operation, ligneQso("F1NEW"), lignes.first());
        } else {
            EXIGE_LIMITE_TAILLE();
            LimiteTailleFichier limite(avant.size() / 2);
            s = changeLog(operation, ligneQso("F1NEW"), lignes.first());
        }
        QVERIFY(!s.estOk());
        QVERIFY2(s.message.contains(message), qPrintable(s.message));
        QCOMPARE(octetsLog(), avant);
        QCOMPARE(QFile::permissions(m_cheminFichier) & QFile::WriteOwner,
                 cause == "read-only log" ? QFile::Permissions() : QFile::WriteOwner);
    }

    // Before the first change of each day the log as it was is copied into
    // "Sauvegardes"; later changes of the day leave that copy alone.
    void chaqueChangementPrecedeDeLaSauvegardeDuJour_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("enregistre") << "enregistre";
        QTest::newRow("chrono") << "chrono";
        QTest::newRow("remplace") << "remplace";
        QTest::newRow("supprime") << "supprime";
    }
    void chaqueChangementPrecedeDeLaSauvegardeDuJour()
    {
        QFETCH(QString, operation);
        const QString a = ligneQso("F5AAA", "01/06/09"), b = ligneQso("F5BBB", "02/06/09");
        ecritLeLog({a, b});
        const QByteArray debut = octetsLog();
        // 23:30 UTC is already 8 December in local time (UTC+1): the local day counts.
        QVERIFY(changeLog(operation, ligneQso("F1NEW", "03/06/09"), a).estOk());
        QCOMPARE(sauvegardesPresentes(), QStringList{"F1ABC_KZT_20261208.log"});
        QCOMPARE(litOctets(sauvegardeNommee("F1ABC_KZT_20261208.log")), debut);
        const QByteArray apresPremier = octetsLog();
        QVERIFY(apresPremier != debut);

        QVERIFY(changeLog(operation, ligneQso("F1TWO", "04/06/09"), b).estOk());
        QCOMPARE(litOctets(sauvegardeNommee("F1ABC_KZT_20261208.log")), debut);

        m_horlogeReglee.avanceDe(24 * 3600);
        const QByteArray finDeJour = octetsLog();
        QVERIFY(changeLog(operation, ligneQso("F1TRI", "05/06/09"), ligneQso("F1NEW", "03/06/09"))
                    .estOk());
        QCOMPARE(sauvegardesPresentes(),
                 (QStringList{"F1ABC_KZT_20261208.log", "F1ABC_KZT_20261209.log"}));
        QCOMPARE(litOctets(sauvegardeNommee("F1ABC_KZT_20261209.log")), finDeJour);
        QVERIFY(Sauvegardes::echecsASignaler().isEmpty());
    }

    void trenteSauvegardesGardeesParStation()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(QDir(m_dossierTemporaire->path()).mkdir("Sauvegardes"));
        QStringList garde;
        for (int jour = 1; jour <= 34; ++jour) {
            const QString name =
                Sauvegardes::nomDeSauvegarde("F1ABC", QDate(2026, 10, 1).addDays(jour));
            QVERIFY(ecritOctets(sauvegardeNommee(name), "old\r\n"));
            if (jour > 5)
                garde << name;
        }
        // Other stations' copies and other files are not counted nor touched.
        const QStringList autres{"F1ABC_P_KZT_20200101.log", "F1AB_KZT_20200101.log",
                                 "F1ABC_KZT_2020010.log", "notes.txt"};
        for (const QString& autre : autres)
            QVERIFY(ecritOctets(sauvegardeNommee(autre), "other"));

        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).estOk());
        garde << "F1ABC_KZT_20261208.log";
        QStringList attendu = garde + autres;
        attendu.sort();
        QCOMPARE(sauvegardesPresentes(), attendu);
        QCOMPARE(Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).liste("F1ABC").size(),
                 30);
        QCOMPARE(Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).liste("F1ABC").first(),
                 QString("F1ABC_KZT_20261208.log"));

        // A clock set in the past: the new copy is kept, the oldest goes.
        m_horlogeReglee.regleA(QDateTime(QDate(2020, 1, 1), QTime(12, 0), Qt::UTC), 0);
        QVERIFY(log().Enregistre_QSO(ligneQso("F1OLD")).estOk());
        const QStringList maintenant =
            Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).liste("F1ABC");
        QCOMPARE(maintenant.size(), 30);
        QVERIFY(maintenant.contains("F1ABC_KZT_20200101.log"));
        QVERIFY(!maintenant.contains(garde.first()));
        QCOMPARE(maintenant.first(), QString("F1ABC_KZT_20261208.log"));
    }

    // A backup that cannot be made never stops the change; it is reported
    // once for the station and the day.
    void sauvegardeRateeNArretePasLeChangement()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Sauvegardes"), "a file in the way"));
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).estOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA"), ligneQso("F1NEW")}));
        const QStringList enEchec = Sauvegardes::echecsASignaler();
        QCOMPARE(enEchec.size(), 1);
        QVERIFY2(enEchec.first().contains("Sauvegardes"), qPrintable(enEchec.first()));
        QVERIFY(log().Supprime_QSO(ligneQso("F5AAA")).estOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F1NEW")}));
        QVERIFY(Sauvegardes::echecsASignaler().isEmpty());
        m_horlogeReglee.avanceDe(24 * 3600);
        QVERIFY(log().Supprime_QSO(ligneQso("F1NEW")).estOk());
        QCOMPARE(Sauvegardes::echecsASignaler().size(), 1);
    }

    // Anyone who may write into a shared program folder may leave a link, a
    // pipe or a second name of another file where the program makes its work
    // files and its locks: the program never writes through it, and the file
    // it leads to stays byte for byte as it was. A work file left behind by a
    // crash is simply replaced.
    void fichierPlanteNeMeneNullePart_data()
    {
        QTest::addColumn<QString>("nom");     // in the program folder
        QTest::addColumn<QString>("plante");  // what was left under that name
        QTest::addColumn<QString>("echec");   // the message that names it, or empty
        QTest::addColumn<bool>("enregistre"); // the QSO reaches the log
        const QString travail = "Temporaire.txt", sauvegarde = "Sauvegardes/Temporaire.txt",
                      instance = Instance::nomFichier,
                      verrou = FichierTexte::VerrouDossier::NomFichierVerrou;
        QTest::newRow("work file, link") << travail << "lien" << travail << false;
        QTest::newRow("work file, link to nothing") << travail << "lien vide" << travail << false;
        QTest::newRow("work file, pipe") << travail << "tube" << travail << false;
        QTest::newRow("work file, second name") << travail << "second nom" << QString() << true;
        QTest::newRow("work file, left by a crash") << travail << "ancien" << QString() << true;
        // A backup that cannot be made never stops the change.
        QTest::newRow("backup work file, link") << sauvegarde << "lien" << sauvegarde << true;
        QTest::newRow("backup work file, link to nothing")
            << sauvegarde << "lien vide" << sauvegarde << true;
        QTest::newRow("backup work file, left by a crash")
            << sauvegarde << "ancien" << QString() << true;
        const QString verrouSauvegardes = "Sauvegardes/" + verrou;
        QTest::newRow("backups' write lock, link")
            << verrouSauvegardes << "lien" << verrouSauvegardes << true;
        QTest::newRow("backups' write lock, pipe")
            << verrouSauvegardes << "tube" << verrouSauvegardes << true;
        QTest::newRow("instance lock, link") << instance << "lien" << instance << false;
        QTest::newRow("instance lock, link to nothing")
            << instance << "lien vide" << instance << false;
        QTest::newRow("instance lock, pipe") << instance << "tube" << instance << false;
        QTest::newRow("instance lock, second name")
            << instance << "second nom" << instance << false;
        QTest::newRow("instance lock, left by a crash")
            << instance << "ancien" << QString() << true;
        QTest::newRow("write lock, link") << verrou << "lien" << verrou << false;
        QTest::newRow("write lock, link to nothing") << verrou << "lien vide" << verrou << false;
        QTest::newRow("write lock, pipe") << verrou << "tube" << verrou << false;
        QTest::newRow("write lock, second name") << verrou << "second nom" << verrou << false;
        QTest::newRow("write lock, left by a crash") << verrou << "ancien" << QString() << true;
    }
    void fichierPlanteNeMeneNullePart()
    {
        QFETCH(QString, nom);
        QFETCH(QString, plante);
        QFETCH(QString, echec);
        QFETCH(bool, enregistre);
        ecritLeLog({ligneQso("F5AAA")});
        const QByteArray avant = octetsLog();
        // The operator's other file, outside the program folder.
        QTemporaryDir ailleurs;
        const QString autre = ailleurs.filePath("notes.txt");
        const QByteArray octetsAutre = "Mes notes, à garder telles quelles.\n";
        QVERIFY(ecritOctets(autre, octetsAutre));
        QVERIFY(QDir(m_dossierTemporaire->path()).mkpath("Sauvegardes"));
        const QString chemin = m_dossierTemporaire->filePath(nom);
        const QString vide = ailleurs.filePath("absent.txt");
#ifdef Q_OS_WIN
        // Links, pipes and second names are made by administrators alone there.
        if (plante != "ancien")
            QSKIP("no link, pipe or second name made by a user on Windows");
#endif
        if (plante == "lien")
            QVERIFY(QFile::link(autre, chemin));
        else if (plante == "lien vide")
            QVERIFY(QFile::link(vide, chemin));
#ifndef Q_OS_WIN
        else if (plante == "tube")
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0644), 0);
        else if (plante == "second nom")
            QCOMPARE(
                ::link(QFile::encodeName(autre).constData(), QFile::encodeName(chemin).constData()),
                0);
#endif
        else
            QVERIFY(ecritOctets(chemin, "restes d'un arrêt brutal"));

        Statut s;
        BoiteMessageScriptee messages;
        if (nom == Instance::nomFichier) {
            Instance instance(m_dossierTemporaire->path());
            s = instance.prend(messages) ? log().Enregistre_QSO(ligneQso("F1NEW"))
                                         : Statut::enEchec(messages.dernierTexte());
            QCOMPARE(messages.affichees().size(), s.estOk() ? 0 : 1);
        } else {
            s = log().Enregistre_QSO(ligneQso("F1NEW"));
        }
        const QStringList sauvegardesRatees = Sauvegardes::echecsASignaler();

        QCOMPARE(litOctets(autre), octetsAutre);
        QVERIFY(!QFileInfo::exists(vide));
        QVERIFY(!QFileInfo(m_cheminFichier).isSymLink());
        QVERIFY(QFileInfo(m_cheminFichier).isFile());
        QCOMPARE(octetsLog(),
                 enregistre ? fichierDe({ligneQso("F5AAA"), ligneQso("F1NEW")}) : avant);
        QCOMPARE(s.estOk(), enregistre);
        const QString nomme = FichierTexte::cheminEntreGuillemets(chemin);
        if (echec.isEmpty()) {
            QVERIFY(sauvegardesRatees.isEmpty());
        } else {
            const QString message = s.estOk() ? sauvegardesRatees.value(0) : s.message;
            QVERIFY2(message.contains(nomme) &&
                         message.contains("un lien ou un fichier spécial porte ce nom"),
                     qPrintable(message));
        }
        // What was refused stays for the operator to look at; the rest is gone.
        QCOMPARE(QFileInfo(chemin).isSymLink(), plante.startsWith("lien") && !echec.isEmpty());
        if (!echec.isEmpty() || plante == "second nom")
            QFile::remove(chemin);
        QVERIFY(!QFileInfo::exists(chemin) && !QFileInfo(chemin).isSymLink());
    }

    void restaurerGardeDAbordLeLogActuel()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).estOk());
        const QByteArray courant = octetsLog();
        Sauvegardes s(m_dossierTemporaire->path(), m_horlogeReglee);
        QVERIFY(s.restaureSauvegarde("F1ABC", "F1ABC_KZT_20261208.log").estOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA")}));
        // The day's copy stays as it was; the log of before the restore is
        // kept under the time of day.
        QCOMPARE(sauvegardesPresentes(),
                 (QStringList{"F1ABC_KZT_20261208.log", "F1ABC_KZT_20261208_003000.log"}));
        QCOMPARE(litOctets(sauvegardeNommee("F1ABC_KZT_20261208_003000.log")), courant);
        QCOMPARE(s.liste("F1ABC").first(), QString("F1ABC_KZT_20261208_003000.log"));

        // The restore tells which copy undoes it.
        QString copieAvant = "left over";
        m_horlogeReglee.avanceDe(60);
        QVERIFY(
            s.restaureSauvegarde("F1ABC", "F1ABC_KZT_20261208_003000.log", &copieAvant).estOk());
        QCOMPARE(copieAvant, QString("F1ABC_KZT_20261208_003100.log"));
        QCOMPARE(litOctets(sauvegardeNommee(copieAvant)), fichierDe({ligneQso("F5AAA")}));
        QCOMPARE(octetsLog(), courant);

        const Statut autre = s.restaureSauvegarde("F1ABC", "F5XYZ_KZT_20261208.log", &copieAvant);
        QVERIFY(!autre.estOk());
        QVERIFY(copieAvant.isEmpty());
        QCOMPARE(octetsLog(), courant);
        QVERIFY(!s.restaureSauvegarde("F1ABC", "../F1ABC_KZT.log").estOk());
        // A log kept elsewhere goes through the same steps; a link is refused.
        QTemporaryDir ailleurs;
        const QString copie = ailleurs.filePath("F1ABC_KZT.log"), lien = copie + ".lnk";
        QVERIFY(ecritOctets(copie, fichierDe({ligneQso("F6BBB")})) && QFile::link(copie, lien));
        QVERIFY(!s.restaureFichier("F1ABC", lien).estOk());
        QCOMPARE(octetsLog(), courant);
        m_horlogeReglee.avanceDe(60);
        QVERIFY(s.restaureFichier("F1ABC", copie, &copieAvant).estOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F6BBB")}));
        QCOMPARE(litOctets(sauvegardeNommee(copieAvant)), courant);
    }

    // How the chooser shows each copy: day, time, number of QSOs, name.
    void descriptionDUneSauvegarde_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("qso"); // -1: no file
        QTest::addColumn<QDateTime>("ecrite");
        QTest::addColumn<QString>("description");
        const QDateTime le5(QDate(2026, 12, 5), QTime(9, 41, 7));
        QTest::newRow("day's copy, written that day")
            << "F1ABC_KZT_20261205.log" << 3 << le5
            << "05/12/2026 à 09:41 — 3 QSO — F1ABC_KZT_20261205.log";
        QTest::newRow("one QSO") << "F1ABC_KZT_20261205.log" << 1 << le5
                                 << "05/12/2026 à 09:41 — 1 QSO — F1ABC_KZT_20261205.log";
        QTest::newRow("empty copy") << "F1ABC_KZT_20261205.log" << 0 << le5
                                    << "05/12/2026 à 09:41 — vide — F1ABC_KZT_20261205.log";
        QTest::newRow("copied on another day: the day alone")
            << "F1ABC_KZT_20261205.log" << 2 << le5.addDays(3)
            << "05/12/2026 — 2 QSO — F1ABC_KZT_20261205.log";
        QTest::newRow("copy before a restore: the time of its name")
            << "F1ABC_KZT_20261205_174502.log" << 4 << le5.addDays(1)
            << "05/12/2026 à 17:45 — 4 QSO — F1ABC_KZT_20261205_174502.log";
        QTest::newRow("gone") << "F1ABC_KZT_20261205.log" << -1 << le5
                              << "05/12/2026 — illisible — F1ABC_KZT_20261205.log";
    }
    void descriptionDUneSauvegarde()
    {
        QFETCH(QString, nom);
        QFETCH(int, qso);
        QFETCH(QDateTime, ecrite);
        QFETCH(QString, description);
        QVERIFY(QDir(m_dossierTemporaire->path()).mkpath("Sauvegardes"));
        if (qso >= 0) {
            QStringList lignes;
            for (int i = 0; i < qso; ++i)
                lignes << ligneQso(QString("F5A%1").arg(i));
            QVERIFY(ecritOctets(sauvegardeNommee(nom), fichierDe(lignes)));
            QFile f(sauvegardeNommee(nom));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(ecrite, QFileDevice::FileModificationTime));
        }
        Sauvegardes s(m_dossierTemporaire->path(), m_horlogeReglee);
        QCOMPARE(s.description(nom), description);
    }
};

QTEST_GUILESS_MAIN(TestProtectionLog)
#include "tst_protectionlog.moc"

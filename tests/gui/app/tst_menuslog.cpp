// The items of the menus that replace, fill or copy the log: the restore of
// a backup, the import of an ADIF file and the second copy on another disk.
#include "BancProgramme.h"

#include "core/app/CopieEnFond.h"
#include "gui/app/Copie_Securite.h"

#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "support/AttenteScriptee.h"
#include "support/ChoixFichierScripte.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>

class TestMenusLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void restaurationDepuisLeMenu_data();
    void restaurationDepuisLeMenu();
    void importationDepuisLeMenu_data();
    void importationDepuisLeMenu();
    void copieMaintenant_data();
    void copieMaintenant();
    void copieDeFin_data();
    void copieDeFin();
    void copieDeFinAbandonnee();
    void restaurationDepuisUneCopie_data();
    void restaurationDepuisUneCopie();
};

void TestMenusLog::restaurationDepuisLeMenu_data()
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
    QTest::newRow("empty backup, confirmed")
        << QStringLiteral("F1ABC_KZT_20261130.log") << true << 0;
}

void TestMenusLog::restaurationDepuisLeMenu()
{
    QFETCH(QString, choix);
    QFETCH(bool, oui);
    QFETCH(int, lignes);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    QVERIFY(QDir(b.dossier.path()).mkdir(Sauvegardes::nomDossier));
    QFile vide(b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261130.log")));
    QVERIFY(vide.open(QIODevice::WriteOnly));
    vide.close();
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    QVERIFY(QFile::copy(b.cheminLog(QStringLiteral("F1ABC")),
                        b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261201.log"))));
    b.ecritLog(QStringLiteral("F1ABC"), 3);
    QVERIFY(QFile::copy(b.cheminLog(QStringLiteral("F1ABC")),
                        b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261205.log"))));
    const QByteArray actuel = b.ecritLog(QStringLiteral("F1ABC"), 5);
    // Copied on another day than the day of their names: shown without a time.
    for (const QString& n : QDir(b.chemin(Sauvegardes::nomDossier)).entryList(QDir::Files)) {
        QFile copie(b.chemin(Sauvegardes::nomDossier + QLatin1Char('/') + n));
        QVERIFY(copie.open(QIODevice::ReadWrite));
        QVERIFY(copie.setFileTime(QDateTime(QDate(2027, 1, 15), QTime(8, 0)),
                                  QFileDevice::FileModificationTime));
    }
    Main m(b.services());
    QVERIFY(m.demarreProgramme());

    QStringList proposees;
    const auto attente = surModal(QStringLiteral("Choix_Sauvegarde"), [&](QWidget* w) {
        auto* dialogue = qobject_cast<QInputDialog*>(w);
        proposees = dialogue->comboBoxItems();
        const QStringList choisie = proposees.filter(choix);
        if (choix.isEmpty() || choisie.size() != 1) {
            dialogue->reject();
        } else {
            dialogue->setTextValue(choisie.first());
            dialogue->accept();
        }
    });
    b.messages.prevoit(oui ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
    enfant<QAction>(&m, "Mnu_Restaure")->trigger();

    // Each copy by its day and number of QSOs, the most recent first.
    QCOMPARE(proposees,
             (QStringList{QStringLiteral("05/12/2026 — 3 QSO — F1ABC_KZT_20261205.log"),
                          QStringLiteral("01/12/2026 — 1 QSO — F1ABC_KZT_20261201.log"),
                          QStringLiteral("30/11/2026 — vide — F1ABC_KZT_20261130.log")}));
    QCOMPARE(m.listeLog()->nombreLignes(), lignes);
    QCOMPARE(m.listeLog()->indexSelection(), lignes - 1);
    const bool restauree = !choix.isEmpty() && oui;
    // The log before the restore is kept, named after the day of the clock.
    QCOMPARE(BancProgramme::lit(b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261206.log"))),
             restauree ? actuel : QByteArray());
    if (restauree) {
        QCOMPARE(b.messages.affichees().size(), 2);
        QVERIFY(b.messages.affichees().first().texteDonne.startsWith(
            QStringLiteral("Remplacer le log « F1ABC_KZT.log » par la sauvegarde « %1 » ?")
                .arg(choix)));
        // The message names the copy that undoes the restore.
        QCOMPARE(b.messages.dernierTexte(),
                 QStringLiteral("Le log « F1ABC_KZT.log » a été remplacé par la sauvegarde « %1 »."
                                "\r\n\r\nLe log d'avant la restauration est gardé dans la "
                                "sauvegarde « F1ABC_KZT_20261206.log » : restaurez-la pour défaire "
                                "cette restauration.")
                     .arg(choix));
        QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))),
                 BancProgramme::lit(b.chemin(QStringLiteral("Sauvegardes/") + choix)));
    } else {
        QCOMPARE(b.messages.affichees().size(), choix.isEmpty() ? 0 : 1);
        QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))), actuel);
    }
}

void TestMenusLog::importationDepuisLeMenu_data()
{
    QTest::addColumn<QByteArray>("fichier"); // empty: the file dialog is cancelled
    QTest::addColumn<int>("lignes");         // QSOs of the log afterwards
    QTest::addColumn<QString>("resume");
    // A callsign typed before the import, and the answer to "abandon it?".
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("abandon");
    // Another station's log, each QSO with a windmill of its own.
    QByteArray log;
    for (int i = 10; i <= 12; ++i) {
        QByteArray ligne = BancProgramme::ligne(i);
        ligne.replace(LogLine::Departement.debut - 1, 2, "59");
        ligne.replace(LogLine::Reference.debut - 1, 5, "59" + QByteArray::number(100 + i));
        log += ligne + "\r\n";
    }
    const QString exporte =
        QStringLiteral("Importation du fichier « autre.adi » :\r\n\r\n3 QSO importés\r\n"
                       "0 doublon (QSO déjà dans le log) ignoré\r\n0 enregistrement ignoré.");
    QTest::newRow("export of the program") << Adif::exportationAdif(QStringLiteral("F9ZZZ"), log)
                                           << 5 << exporte << QString() << false;
    QTest::newRow("QSO being typed, abandoned")
        << Adif::exportationAdif(QStringLiteral("F9ZZZ"), log) << 5 << exporte << "F5BBB" << true;
    QTest::newRow("QSO being typed, kept")
        << Adif::exportationAdif(QStringLiteral("F9ZZZ"), log) << 2
        << QStringLiteral("Abandonner le QSO en cours de saisie ?") << "F5BBB" << false;
    QTest::newRow("records of another logger, adapted")
        << QByteArray("<CALL:5>F6XYZ<QSO_DATE:8>20230217<TIME_ON:4>1726<BAND:3>40m<MODE:3>FT8"
                      "<NAME:18>Jean-Pierre Dupont<STATE:2>75<SIG:3>KZT<SIG_INFO:6>59-001"
                      "<RST_SENT:3>-07<EOR>\n")
        << 3
        << QStringLiteral("Importation du fichier « autre.adi » :\r\n\r\n1 QSO importé\r\n"
                          "1 QSO adapté (voir le rapport)\r\n"
                          "0 doublon (QSO déjà dans le log) ignoré\r\n0 enregistrement ignoré."
                          "\r\n\r\nLes QSO adaptés sont décrits dans le fichier "
                          "« F1ABC_KZT_import.txt ».")
        << QString() << false;
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
               "« F1ABC_KZT_import.txt ».")
        << QString() << false;
    QTest::newRow("dialog cancelled") << QByteArray() << 2 << QString() << QString() << false;
    QTest::newRow("stopped by the user")
        << Adif::exportationAdif(QStringLiteral("F9ZZZ"), log) << 2
        << QStringLiteral("L'importation du fichier « autre.adi » a été arrêtée : rien n'a été "
                          "importé, le log n'a pas été modifié.")
        << QString() << false;
}

// The item after the export in "Fichier": the file chosen in the dialog is
// imported, the list shows the new QSOs and the summary says what was done.
// A QSO being typed is abandoned only when the operator says so; after the
// import, the entry is ready for a new QSO.
void TestMenusLog::importationDepuisLeMenu()
{
    QFETCH(QByteArray, fichier);
    QFETCH(int, lignes);
    QFETCH(QString, resume);
    QFETCH(QString, tape);
    QFETCH(bool, abandon);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    QFile f(b.chemin(QStringLiteral("autre.adi")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(fichier) == fichier.size());
    f.close();
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    ChoixFichierScripte choix(fichier.isEmpty() ? QString() : f.fileName());
    m.changeChoixFichier(&choix);
    // The import runs in the platform's progress window, or the user stops it.
    AttenteScriptee arret(0);
    if (resume.contains(QStringLiteral("arrêtée")))
        m.changeAttente(&arret);

    QStringList elements;
    for (QAction* a : enfant<QMenu>(&m, "Mnu_Fichier")->actions())
        elements << a->objectName();
    QCOMPARE(elements, (QStringList{"Mnu_Quitter", "Mnu_ADIF", "Mnu_Import_ADIF"}));
    QLineEdit* indicatif = m.zoneDeSaisie()->Ind_A;
    QTest::keyClicks(indicatif, tape);
    if (!tape.isEmpty())
        b.messages.prevoit(abandon ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
    enfant<QAction>(&m, "Mnu_Import_ADIF")->trigger();

    QCOMPARE(choix.demandes().size(), 1);
    QCOMPARE(choix.demandes().first().dossier, b.dossier.path());
    QCOMPARE(choix.demandes().first().filtre, QStringLiteral("Fichiers ADIF (*.adi *.adif)"));
    QCOMPARE(b.messages.dernierTexte(), resume);
    QCOMPARE(m.listeLog()->nombreLignes(), lignes);
    QCOMPARE(m.listeLog()->indexSelection(), lignes - 1);
    QCOMPARE(QFile::exists(b.chemin(Importation::nomRapport(QStringLiteral("F1ABC")))),
             resume.contains(QStringLiteral("_import.txt")));
    // A callsign typed at once starts a new QSO (a kept one goes on).
    const bool garde = !tape.isEmpty() && !abandon;
    QCOMPARE(indicatif->text(), garde ? tape : QString());
    QTest::keyClicks(indicatif, QStringLiteral("f6xyz"));
    QCOMPARE(indicatif->text(), garde ? tape + QStringLiteral("F6XYZ") : QStringLiteral("F6XYZ"));
    if (resume.contains(QStringLiteral("arrêtée"))) {
        QCOMPARE(arret.textes(), QStringList{QStringLiteral("Importation du fichier « autre.adi » "
                                                            "dans le log « F1ABC_KZT.log »…")});
        QVERIFY(!QFile::exists(b.chemin(QStringLiteral("Sauvegardes"))));
    }
}

void TestMenusLog::copieMaintenant_data()
{
    QTest::addColumn<bool>("present"); // the folder chosen exists
    QTest::newRow("folder chosen") << true;
    QTest::newRow("stick unplugged") << false;
}

// "Copier maintenant" in the window of the last item of "Station": the
// folder chosen in the dialog is kept in the settings, the copy is made on
// the worker, and its date and result are shown when it arrives.
void TestMenusLog::copieMaintenant()
{
    QFETCH(bool, present);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    const QByteArray log = b.ecritLog(QStringLiteral("F1ABC"), 3);
    QTemporaryDir cle;
    const QString dossier = present ? cle.path() : cle.filePath(QStringLiteral("absente"));
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    ChoixFichierScripte choix(dossier);
    m.changeChoixFichier(&choix);

    QStringList elements;
    for (QAction* a : enfant<QMenu>(&m, "Mnu_Station")->actions())
        elements << a->objectName();
    QCOMPARE(elements, (QStringList{"Mnu_New_Indicatif", "Mnu_Restaure", "Mnu_Copie"}));
    enfant<QAction>(&m, "Mnu_Copie")->trigger();
    auto* fenetre = m.findChild<Copie_Securite*>(QStringLiteral("Copie_Securite"));
    QVERIFY(fenetre && fenetre->isVisible());
    QCOMPARE(fenetre->Derniere_Copie->text(), QStringLiteral("aucune"));
    fenetre->Choisir->click();
    QCOMPARE(choix.demandes().size(), 1);
    QCOMPARE(fenetre->Dossier_Copie->text(), QDir::toNativeSeparators(dossier));
    QCOMPARE(b.reglages.lit(CopieEnFond::section, CopieEnFond::cleDossier, QString()), dossier);

    QSignalSpy fin(&m.copieSecurite(), &CopieEnFond::terminee);
    fenetre->Copier->click();
    QVERIFY(!fenetre->Copier->isEnabled());
    QVERIFY(fin.wait(10000));
    QVERIFY(fenetre->Copier->isEnabled());
    QCOMPARE(fin.first().at(0).toBool(), present);
    QCOMPARE(fenetre->Derniere_Copie->text(), QStringLiteral("06/12/2026 à 15:05:00"));
    QCOMPARE(b.reglages.lit(CopieEnFond::section, CopieEnFond::cleDerniere, QString()),
             QStringLiteral("2026-12-06 15:05:00"));
    const QString resultat = b.reglages.lit(CopieEnFond::section, CopieEnFond::cleResultat, {});
    QCOMPARE(fenetre->Resultat_Copie->text(), resultat);
    const QStringList copies = CopieSecurite::copies(dossier);
    if (present) {
        QCOMPARE(copies.size(), 1);
        QVERIFY(resultat.startsWith(QStringLiteral("Copie réussie : « RQN_KZT_20261206_150500 »")));
        QCOMPARE(BancProgramme::lit(
                     QDir(dossier).filePath(copies.first() + QStringLiteral("/F1ABC_KZT.log"))),
                 log);
        QVERIFY(m.statusBar()->currentMessage().isEmpty());
    } else {
        QVERIFY(copies.isEmpty());
        QVERIFY(resultat.contains(QStringLiteral("est introuvable")));
        // Said in the status line, never in a box that would stop the typing.
        QCOMPARE(m.statusBar()->currentMessage(), resultat);
        QVERIFY(b.messages.affichees().isEmpty());
    }
    // A folder typed, then the window closed: kept without Enter.
    fenetre->Dossier_Copie->clear();
    QTest::keyClicks(fenetre->Dossier_Copie, cle.filePath(QStringLiteral("autre")));
    fenetre->close();
    QCOMPARE(b.reglages.lit(CopieEnFond::section, CopieEnFond::cleDossier, QString()),
             cle.filePath(QStringLiteral("autre")));
    // A relative path would name a folder on the disk of the logs: refused.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    enfant<QAction>(&m, "Mnu_Copie")->trigger();
    fenetre = m.findChild<Copie_Securite*>(QStringLiteral("Copie_Securite"));
    QVERIFY(fenetre && fenetre->isVisible());
    QCOMPARE(fenetre->Dossier_Copie->text(),
             QDir::toNativeSeparators(cle.filePath(QStringLiteral("autre"))));
    fenetre->Dossier_Copie->setText(QStringLiteral("copies"));
    fenetre->Copier->click();
    QVERIFY(fenetre->Resultat_Copie->text().startsWith(QStringLiteral("Donnez le chemin complet")));
    fenetre->close();
    QCOMPARE(b.reglages.lit(CopieEnFond::section, CopieEnFond::cleDossier, QString()),
             cle.filePath(QStringLiteral("autre")));
    QVERIFY(!m.copieSecurite().enCours());
}

void TestMenusLog::copieDeFin_data()
{
    QTest::addColumn<QString>("dossier"); // "": none set; "absent": a folder that is gone
    QTest::addColumn<int>("minutes");     // since a copy made before; -1: none
    QTest::addColumn<bool>("qso");        // a QSO saved since that copy
    QTest::addColumn<int>("copies");      // complete copies after the end
    QTest::newRow("no folder") << QString() << -1 << false << 0;
    QTest::newRow("first copy") << "cle" << -1 << false << 1;
    QTest::newRow("5 min after the last, nothing changed") << "cle" << 5 << false << 1;
    QTest::newRow("5 min after the last, a QSO saved") << "cle" << 5 << true << 2;
    QTest::newRow("11 min after the last, nothing changed") << "cle" << 11 << false << 2;
    QTest::newRow("folder gone") << "absent" << -1 << false << 0;
}

// "Quitter RQN_KZT" makes the end's copy; a missing folder never holds the
// end back, and the failure goes to the status line, not to a box.
void TestMenusLog::copieDeFin()
{
    QFETCH(QString, dossier);
    QFETCH(int, minutes);
    QFETCH(bool, qso);
    QFETCH(int, copies);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 3);
    QTemporaryDir cle;
    const QString chemin = dossier.isEmpty() ? QString() : cle.filePath(dossier);
    if (dossier == QStringLiteral("cle"))
        QVERIFY(QDir(cle.path()).mkdir(dossier));
    b.reglages.ecrit(CopieEnFond::section, CopieEnFond::cleDossier, chemin);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    if (minutes >= 0) {
        QSignalSpy fin(&m.copieSecurite(), &CopieEnFond::terminee);
        QVERIFY(m.copieSecurite().lance());
        QVERIFY(fin.wait(10000));
        b.horloge.avanceDe(minutes * 60);
    }
    if (qso)
        b.ecritLog(QStringLiteral("F1ABC"), 4);

    enfant<QAction>(&m, "Mnu_Quitter")->trigger();
    QCOMPARE(b.termine, 1);
    QVERIFY(b.messages.affichees().isEmpty());
    QCOMPARE(CopieSecurite::copies(cle.filePath(QStringLiteral("cle"))).size(), copies);
    QVERIFY(CopieSecurite::inacheves(cle.filePath(QStringLiteral("cle"))).isEmpty());
    const QString resultat = b.reglages.lit(CopieEnFond::section, CopieEnFond::cleResultat, {});
    if (dossier == QStringLiteral("absent")) {
        QVERIFY(resultat.contains(QStringLiteral("est introuvable")));
        QCOMPARE(m.statusBar()->currentMessage(), resultat);
    } else {
        QCOMPARE(resultat.startsWith(QStringLiteral("Copie réussie")), copies > 0);
    }
}

// A copy that does not finish within the bound is abandoned: the end goes
// on, the unfinished subfolder stays, and the next start says it once.
void TestMenusLog::copieDeFinAbandonnee()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 3);
    QTemporaryDir cle;
    b.reglages.ecrit(CopieEnFond::section, CopieEnFond::cleDossier, cle.path());
    auto feu = std::make_shared<QSemaphore>();
    auto fait = std::make_shared<QSemaphore>();
    auto abandonVu = std::make_shared<std::atomic<bool>>(false);
    {
        Main m(b.services());
        QVERIFY(m.demarreProgramme());
        // A medium that hangs: the copy waits until the test lets it go.
        m.copieSecurite().changeCopieur(
            [feu, fait, abandonVu](const QString& destination, const QDateTime&,
                                   const std::atomic<bool>* abandon, QString*) {
                QDir(destination).mkdir(QStringLiteral("RQN_KZT_20261206_150500.partiel"));
                feu->acquire();
                *abandonVu = abandon->load();
                fait->release();
                return Statut::enEchec(QStringLiteral("interrompue"));
            });
        m.changeBorneCopie(0);
        enfant<QAction>(&m, "Mnu_Quitter")->trigger();
        QCOMPARE(b.termine, 1);
        QVERIFY(m.statusBar()->currentMessage().contains(QStringLiteral("abandonnée")));
        feu->release();
        fait->acquire();
    }
    QVERIFY(abandonVu->load());
    QCOMPARE(CopieSecurite::inacheves(cle.path()).size(), 1);
    QVERIFY(b.messages.affichees().isEmpty());

    for (int depart = 0; depart < 2; ++depart) {
        Main m(b.services());
        QVERIFY(m.demarreProgramme());
    }
    QCOMPARE(b.messages.affichees().size(), 1);
    QVERIFY(b.messages.dernierTexte().startsWith(
        QStringLiteral("La dernière copie de sécurité, faite à la fermeture du programme le "
                       "06/12/2026 à 15:05:00, n'a pas pu être achevée.")));
}

void TestMenusLog::restaurationDepuisUneCopie_data()
{
    QTest::addColumn<bool>("lien"); // the copy's log is a link planted in its place
    QTest::newRow("log of a complete copy") << false;
    QTest::newRow("planted link") << true;
}

// The logs of the second copy are offered with the backups, and restored
// through the same steps: the log as it was goes to "Sauvegardes" first.
// An unfinished copy, or a link in place of a log, is never offered.
void TestMenusLog::restaurationDepuisUneCopie()
{
    QFETCH(bool, lien);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    const QByteArray ancien = b.ecritLog(QStringLiteral("F1ABC"), 2);
    QTemporaryDir cle;
    const CopieSecurite copie(b.dossier.path(), b.reglages.nomDeFichier());
    QVERIFY(copie.copie(cle.path(), QDateTime(QDate(2026, 12, 5), QTime(10, 0))));
    QVERIFY(copie.copie(cle.path(), QDateTime(QDate(2026, 12, 5), QTime(11, 0))));
    QVERIFY(QDir(cle.path())
                .rename(QStringLiteral("RQN_KZT_20261205_110000"),
                        QStringLiteral("RQN_KZT_20261205_110000.partiel")));
    const QString logCopie = cle.filePath(QStringLiteral("RQN_KZT_20261205_100000/F1ABC_KZT.log"));
    if (lien) {
#ifdef Q_OS_WIN
        QSKIP("no link made by a user on Windows");
#endif
        QVERIFY(QFile::remove(logCopie));
        QVERIFY(QFile::link(b.cheminLog(QStringLiteral("F1ABC")), logCopie));
    }
    const QByteArray actuel = b.ecritLog(QStringLiteral("F1ABC"), 5);
    b.reglages.ecrit(CopieEnFond::section, CopieEnFond::cleDossier, cle.path());
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    AttenteScriptee attente;
    m.changeAttente(&attente);

    QStringList proposees;
    const auto choix = surModal(QStringLiteral("Choix_Sauvegarde"), [&](QWidget* w) {
        auto* dialogue = qobject_cast<QInputDialog*>(w);
        proposees = dialogue->comboBoxItems();
        dialogue->setTextValue(proposees.first());
        dialogue->accept();
    });
    b.messages.prevoit(BoiteMessage::ReponseOui);
    enfant<QAction>(&m, "Mnu_Restaure")->trigger();

    if (lien) {
        QVERIFY(proposees.isEmpty());
        QVERIFY(b.messages.dernierTexte().contains(QStringLiteral("aucune sauvegarde")));
        QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))), actuel);
        return;
    }
    QCOMPARE(proposees, QStringList{QStringLiteral("05/12/2026 à 10:00 — 2 QSO — copie de "
                                                   "sécurité « RQN_KZT_20261205_100000 »")});
    QCOMPARE(m.listeLog()->nombreLignes(), 2);
    QCOMPARE(BancProgramme::lit(b.cheminLog(QStringLiteral("F1ABC"))), ancien);
    QCOMPARE(BancProgramme::lit(b.chemin(QStringLiteral("Sauvegardes/F1ABC_KZT_20261206.log"))),
             actuel);
    QVERIFY(b.messages.dernierTexte().startsWith(
        QStringLiteral("Le log « F1ABC_KZT.log » a été remplacé par la copie de sécurité "
                       "« RQN_KZT_20261205_100000 ».")));
    // The copy stays as it was.
    QCOMPARE(BancProgramme::lit(logCopie), ancien);
}

QTEST_MAIN(TestMenusLog)
#include "tst_menuslog.moc"

// The menus of the main window and what they do: the date mode, the about
// box, the history and Quit, the close box with other windows open, a failed
// backup, the restore of a backup, the import of an ADIF file, and the help
// page.
#include "BancProgramme.h"

#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "gui/app/Aide.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "support/AttenteScriptee.h"
#include "support/ChoixFichierScripte.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeDate_data();
    void modeDate();
    void menusOuverts_data();
    void menusOuverts();
    void aProposHistoriqueQuitter();
    void fermetureLaisseLesFenetresOuvertes();
    void sauvegardeRateeSignaleeUneFois();
    void restaurationDepuisLeMenu_data();
    void restaurationDepuisLeMenu();
    void importationDepuisLeMenu_data();
    void importationDepuisLeMenu();
    void aideParF1_data();
    void aideParF1();
};

void TestMenus::modeDate_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<bool>("automatique_");
    QTest::addColumn<bool>("manuel");
    QTest::newRow("absent") << QString() << true << false;
    QTest::newRow("Oui") << QStringLiteral("Oui") << true << false;
    QTest::newRow("Non") << QStringLiteral("Non") << false << true;
    QTest::newRow("other") << QStringLiteral("oui") << false << false;
}

void TestMenus::modeDate()
{
    QFETCH(QString, stocke);
    QFETCH(bool, automatique_);
    QFETCH(bool, manuel);
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 1);
    if (!stocke.isNull())
        b.reglages.ecrit(Reglages::sectionStation(QStringLiteral("F1ABC")),
                         Reglages::dateAutomatique, stocke);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    auto* modeAuto = enfant<QAction>(&m, "Mnu_Date_Auto");
    auto* modeManuel = enfant<QAction>(&m, "Mnu_Date_Man");
    QCOMPARE(modeAuto->isChecked(), automatique_);
    QCOMPARE(modeManuel->isChecked(), manuel);

    QLineEdit* date = m.zoneDeSaisie()->Date_A;
    date->setText(QStringLiteral("01/02/08"));
    modeManuel->trigger();
    QVERIFY(!modeAuto->isChecked());
    QVERIFY(modeManuel->isChecked());
    QCOMPARE(date->text(), QStringLiteral("01/02/08"));
    QCOMPARE(b.reglageStation(QStringLiteral("F1ABC"), Reglages::dateAutomatique),
             QStringLiteral("Non"));
    modeManuel->trigger(); // again: stays checked
    QVERIFY(modeManuel->isChecked());

    modeAuto->trigger();
    QVERIFY(modeAuto->isChecked());
    QVERIFY(!modeManuel->isChecked());
    QCOMPARE(date->text(), QString());
    QCOMPARE(b.reglageStation(QStringLiteral("F1ABC"), Reglages::dateAutomatique),
             QStringLiteral("Oui"));
    modeAuto->trigger();
    QVERIFY(modeAuto->isChecked());
}

void TestMenus::menusOuverts_data()
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
    ligne("Mnu_Trafic", "", "Trafic", true);
    ligne("Mnu_Chasse", "Mnu_Trafic", "Chasse aux moulins", true);
    ligne("Mnu_Reglage_Radio", "Mnu_Trafic", "Réglage de la radio", true);
}

void TestMenus::menusOuverts()
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

void TestMenus::aProposHistoriqueQuitter()
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
    QCOMPARE(b.messages.affichees().last().boutons, BoiteMessage::Ok);

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
void TestMenus::fermetureLaisseLesFenetresOuvertes()
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

// The window says once that a backup failed; the changes are made all the same.
void TestMenus::sauvegardeRateeSignaleeUneFois()
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
    QVERIFY(b.messages.affichees().isEmpty());
    StationLog log(b.dossier.path(), QStringLiteral("F1ABC"));
    for (int i = 3; i <= 4; ++i) {
        QVERIFY(log.Enregistre_QSO(QString::fromLatin1(BancProgramme::ligne(i))).estOk());
        QVERIFY(m.Charge_Log());
        QCOMPARE(m.listeLog()->nombreLignes(), i);
    }
    QCOMPARE(b.messages.affichees().size(), 1);
    QVERIFY2(b.messages.dernierTexte().startsWith(
                 QStringLiteral("La sauvegarde du log « F1ABC_KZT.log » n'a pas pu être faite")),
             qPrintable(b.messages.dernierTexte()));
    QCOMPARE(b.messages.affichees().first().boutons, BoiteMessage::Ok);
}

void TestMenus::restaurationDepuisLeMenu_data()
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

void TestMenus::restaurationDepuisLeMenu()
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

void TestMenus::importationDepuisLeMenu_data()
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
void TestMenus::importationDepuisLeMenu()
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

// The help page opens from every window: by F1 in the main window, in a
// window opened from it, in the modal station window of the first start
// (above which it must be, to be read), and by the last item of "Aide".
void TestMenus::aideParF1_data()
{
    QTest::addColumn<QString>("depuis");
    QTest::newRow("main window") << QStringLiteral("Main");
    QTest::newRow("scores window") << QStringLiteral("Scores_Moulins");
    QTest::newRow("search window") << QStringLiteral("Recherche_Indicatif");
    QTest::newRow("first-start station window, modal") << QStringLiteral("Station");
    QTest::newRow("help menu item") << QStringLiteral("Mnu_Mode_Emploi");
}

void TestMenus::aideParF1()
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
        aide = Aide::ouverte();
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
    aide = Aide::ouverte();
    QVERIFY(aide && aide->isVisible());
    QVERIFY(aide->isWindow());
    QCOMPARE(aide->windowTitle(), QStringLiteral("Aide de RQN_KZT"));
    const QString texte = aide->Texte_Aide->toPlainText();
    for (const char* titre : {"Saisir un QSO au clavier", "Les couleurs", "Les menus",
                              "Importer un log ADIF", "Restaurer une sauvegarde du log"})
        QVERIFY2(texte.contains(QString::fromUtf8(titre)), titre);

    // Once: F1 again brings the same window forward; Escape closes it.
    QTest::keyClick(m.zoneDeSaisie()->Ind_A, Qt::Key_F1);
    QCOMPARE(Aide::ouverte(), aide.data());
    QTest::keyClick(aide->Texte_Aide, Qt::Key_Escape);
    QTRY_VERIFY(aide.isNull());
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"

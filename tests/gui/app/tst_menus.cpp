// The menus of the main window and what they do: the date mode, the about
// box, the history and Quit, the close box with other windows open, a failed
// backup, and the help page. The restore and the import: tst_menuslog.cpp.
#include "BancProgramme.h"

#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "gui/app/Aide.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"

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
    void aProposHistoriqueQuitter_data();
    void aProposHistoriqueQuitter();
    void fermetureLaisseLesFenetresOuvertes();
    void sauvegardeRateeSignaleeUneFois();
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
    ligne("Mnu_Copie", "Mnu_Station", "Copie de sécurité", true);
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

void TestMenus::aProposHistoriqueQuitter_data()
{
    // A callsign typed before, the answer to "abandon it?", and the way out:
    // "Quitter RQN_KZT" or the close box.
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("abandon");
    QTest::addColumn<bool>("parLaCase");
    QTest::newRow("nothing typed") << QString() << false << false;
    QTest::newRow("QSO being typed, abandoned") << "F5BBB" << true << false;
    QTest::newRow("QSO being typed, kept") << "F5BBB" << false << false;
    QTest::newRow("close box, nothing typed") << QString() << false << true;
    QTest::newRow("close box, QSO abandoned") << "F5BBB" << true << true;
    QTest::newRow("close box, QSO kept") << "F5BBB" << false << true;
}

// Quit and the close box ask before a QSO being typed is lost; "Non" keeps
// the program and the QSO.
void TestMenus::aProposHistoriqueQuitter()
{
    QFETCH(QString, tape);
    QFETCH(bool, abandon);
    QFETCH(bool, parLaCase);
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

    QLineEdit* indicatif = m.zoneDeSaisie()->Ind_A;
    QTest::keyClicks(indicatif, tape);
    b.messages.vide();
    if (!tape.isEmpty())
        b.messages.prevoit(abandon ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
    if (parLaCase)
        m.close();
    else
        enfant<QAction>(&m, "Mnu_Quitter")->trigger();
    QCOMPARE(b.messages.textes(),
             tape.isEmpty()
                 ? QStringList()
                 : QStringList{QStringLiteral("Abandonner le QSO en cours de saisie ?")});
    const bool quitte = tape.isEmpty() || abandon;
    // The close box ends the program once the last window is closed.
    QCOMPARE(b.termine, quitte && !parLaCase ? 1 : 0);
    QCOMPARE(m.isVisible(), !quitte);
    if (!quitte)
        QCOMPARE(indicatif->text(), tape);
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

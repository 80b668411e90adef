#pragma once

// The three screens side by side of the tests of the windows on screens of
// every size and scale, and the windows opened on them.

#include "app/BancProgramme.h"
#include "gui/app/Aide.h"
#include "gui/app/Gestion_Erreur.h"
#include "gui/app/Main.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/VueWeb.h"
#include "gui/web/Liste_KZT1.h"
#include "gui/web/Reglement.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

inline const QString kStation = QStringLiteral("F1ECR");

// The screens, in the offscreen platform's terms: places and sizes in
// pixels, the scale as a logical resolution over 96 dots an inch.
struct Ecran {
    const char* nom;
    int largeur;
    int hauteur;
    int ppp;
};
inline constexpr Ecran kEcrans[] = {
    {"1024x768", 1024, 768, 96},
    {"1366x768@1.25", 1366, 768, 120},
    {"2560x1440@2", 2560, 1440, 192},
};

inline QByteArray configurationEcrans()
{
    QByteArray json = "{\"screens\":[";
    int x = 0;
    for (const Ecran& e : kEcrans) {
        if (x)
            json += ',';
        json += QStringLiteral("{\"name\":\"%1\",\"x\":%2,\"y\":0,\"width\":%3,\"height\":%4,"
                               "\"logicalDpi\":%5,\"logicalBaseDpi\":96,\"dpr\":1}")
                    .arg(QLatin1String(e.nom))
                    .arg(x)
                    .arg(e.largeur)
                    .arg(e.hauteur)
                    .arg(e.ppp)
                    .toUtf8();
        x += e.largeur;
    }
    return json + "]}";
}

inline QScreen* ecran(const QString& nom)
{
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->name() == nom)
            return s;
    }
    return nullptr;
}

enum class Fenetre {
    Main,
    Station,
    Gestion_Erreur,
    Aff_Contacte,
    Carte_Acti_KZT,
    Scores_Moulins,
    Multi_QSL,
    Recherche_Indicatif,
    Cluster,
    Liste_KZT1,
    Reglement,
    Aide,
    Reglage_Radio,
    Chasse_Moulins,
    Copie_Securite
};

inline const std::pair<const char*, Fenetre> kFenetres[] = {
    {"Main", Fenetre::Main},
    {"Station", Fenetre::Station},
    {"Gestion_Erreur", Fenetre::Gestion_Erreur},
    {"Aff_Contacte", Fenetre::Aff_Contacte},
    {"Carte_Acti_KZT", Fenetre::Carte_Acti_KZT},
    {"Scores_Moulins", Fenetre::Scores_Moulins},
    {"Multi_QSL", Fenetre::Multi_QSL},
    {"Recherche_Indicatif", Fenetre::Recherche_Indicatif},
    {"Cluster", Fenetre::Cluster},
    {"Liste_KZT1", Fenetre::Liste_KZT1},
    {"Reglement", Fenetre::Reglement},
    {"Aide", Fenetre::Aide},
    {"Reglage_Radio", Fenetre::Reglage_Radio},
    {"Chasse_Moulins", Fenetre::Chasse_Moulins},
    {"Copie_Securite", Fenetre::Copie_Securite},
};

// A main window started on a screen, over a log of a few QSOs, one of them
// confirmed in department 77, and the window under test opened from it.
struct Banc {
    BancProgramme b;
    std::unique_ptr<Main> main;
    std::unique_ptr<QWidget> propre; // a window made here rather than by the main one
    QWidget* fenetre = nullptr;

    Banc(QScreen* ecran, Fenetre quelle)
    {
        b.choisitStation(kStation);
        QByteArray log = b.ecritLog(kStation, 60);
        log.replace(106, 1, "*"); // the first QSO, in 77, has its QSL
        QFile f(b.cheminLog(kStation));
        f.open(QIODevice::WriteOnly);
        f.write(log);
        f.close();
        main = std::make_unique<Main>(b.services());
        main->setScreen(ecran);
        main->demarreProgramme();
        fenetre = ouvre(quelle);
        if (fenetre) {
            fenetre->show();
            QVERIFY(QTest::qWaitForWindowExposed(fenetre));
            QApplication::processEvents();
        }
    }

    ~Banc()
    {
        propre.reset();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("Station"))
                delete w;
        }
    }

    QWidget* menu(const char* nom, const char* fenetre)
    {
        main->findChild<QAction*>(QLatin1String(nom))->trigger();
        return main->findChild<QWidget*>(QLatin1String(fenetre), Qt::FindDirectChildrenOnly);
    }

    QWidget* ouvre(Fenetre quelle)
    {
        switch (quelle) {
        case Fenetre::Main:
            return main.get();
        case Fenetre::Station:
            main->findChild<QAction*>(QStringLiteral("Mnu_New_Indicatif"))->trigger();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QStringLiteral("Station") && w->isVisible())
                    return w;
            }
            return nullptr;
        case Fenetre::Gestion_Erreur:
            propre = std::make_unique<Gestion_Erreur>(
                b.services(), [] {}, main.get());
            return propre.get();
        case Fenetre::Aff_Contacte:
            return menu("Mnu_M_Contacte", "Aff_Contacte");
        case Fenetre::Carte_Acti_KZT:
            return menu("Mnu_Carte_HB", "Carte_Acti_KZT");
        case Fenetre::Scores_Moulins:
            return menu("Mnu_Score", "Scores_Moulins");
        case Fenetre::Multi_QSL:
            return menu("Mnu_Non_Recues", "Multi_QSL");
        case Fenetre::Recherche_Indicatif:
            main->zoneDeSaisie()->Rechercher->click();
            return main->findChild<QWidget*>(QStringLiteral("Recherche_Indicatif"));
        case Fenetre::Cluster:
            return menu("Mnu_Cluster", "Cluster");
        case Fenetre::Liste_KZT1:
            // Modal: made here, so that the test goes on while it is open.
            propre = std::make_unique<Liste_KZT1>(b.services(), main.get());
            propre->setWindowModality(Qt::NonModal);
            return propre.get();
        case Fenetre::Reglement:
            return menu("Mnu_Reglement", "Reglement");
        case Fenetre::Aide:
            // F1 in the main window: the help goes on its screen.
            QTest::keyClick(main->zoneDeSaisie()->Ind_A, Qt::Key_F1);
            return Aide::ouverte();
        case Fenetre::Reglage_Radio:
            return menu("Mnu_Reglage_Radio", "Reglage_Radio");
        case Fenetre::Chasse_Moulins:
            // Placed beside the fields of a main window in sight.
            main->show();
            if (!QTest::qWaitForWindowExposed(main.get()))
                return nullptr;
            return menu("Mnu_Chasse", "Chasse_Moulins");
        case Fenetre::Copie_Securite:
            return menu("Mnu_Copie", "Copie_Securite");
        }
        return nullptr;
    }
};

// Before the first test: the three screens are there.
inline void prepareEcrans(const QString& dossierSansModule)
{
    QCOMPARE(QGuiApplication::screens().size(), 3);
    // The web windows without the web engine: the page goes to a browser
    // that is not there, and the window says so.
    VueWeb::dossierDuModule(dossierSansModule);
    VueWeb::creeNavigateur([](const QUrl&) { return true; });
}

// After each test: no window left open.
inline void fermeFenetres()
{
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the test object in an application on the three screens.
template <typename Test> int executeSurTroisEcrans(int argc, char* argv[])
{
    // Three screens side by side, before the application opens them.
    QTemporaryDir dossier;
    QFile configuration(dossier.filePath(QStringLiteral("ecrans.json")));
    if (!configuration.open(QIODevice::WriteOnly) || configuration.write(configurationEcrans()) < 0)
        return 1;
    configuration.close();
#ifdef Q_OS_WIN
    // The platform's options are separated by colons, as a drive letter is:
    // the file is named from its own folder, the current one while the
    // screens are made.
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=ecrans.json");
    QApplication programme(argc, argv);
    QDir::setCurrent(avant);
#else
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + configuration.fileName().toLocal8Bit());
    QApplication programme(argc, argv);
#endif
    Test test;
    return QTest::qExec(&test, argc, argv);
}

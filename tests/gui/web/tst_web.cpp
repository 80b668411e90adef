#include "ServeurPages.h"

#include "core/app/Reglages.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "core/web/Web.h"
#include "gui/platform/FabriqueVueWeb.h"
#include "gui/platform/VueWeb.h"
#include "gui/web/Cluster.h"
#include "gui/web/Liste_KZT1.h"
#include "gui/web/Reglement.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"
#include "support/Stations.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#ifdef KZT_MODULE_WEB
#include <QOpenGLContext>
#endif
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The pages inside the windows need the web-view module, built with the web
// engine when it is installed.
#ifdef KZT_MODULE_WEB
#define EXIGE_MODULE()
#else
#define EXIGE_MODULE() QSKIP("built without the web engine")
#endif

namespace {

// A page that takes every key it is given, Escape included, as the web
// engine's view does.
class PageFactice : public QWidget {
public:
    explicit PageFactice(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    bool event(QEvent* evenement) override
    {
        if (evenement->type() == QEvent::ShortcutOverride) {
            evenement->accept();
            return true;
        }
        return QWidget::event(evenement);
    }
    void keyPressEvent(QKeyEvent* touche) override { touche->accept(); }
};

class FabriqueFactice : public FabriqueVueWeb {
public:
    QWidget* cree(QWidget* parent, std::function<void(bool)>) override
    {
        return new PageFactice(parent);
    }
    void ouvre(QWidget*, const QUrl&) override {}
};

} // namespace

class TestWeb : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QTemporaryDir m_reglagesDir;
    StockReglages m_reglages{m_reglagesDir.filePath(QStringLiteral("KZT.ini"))};
    HorlogeReglee m_horloge;
    BoiteMessageScriptee m_messages;
    QList<QUrl> m_navigateur;

    Services services()
    {
        return {m_dossier.path(), m_reglages, m_horloge, m_messages, [] {}};
    }

    void pointeSites(const QString& site)
    {
        m_reglages.ecrit(Reglages::sectionGlobale, Web::cleSiteCluster, site);
        m_reglages.ecrit(Reglages::sectionGlobale, Web::cleSiteKzt, site);
    }

private Q_SLOTS:
    void initTestCase() { VueWeb::dossierDuModule(QStringLiteral(KZT_PROGRAM_DIR)); }
    // Without the module first: once loaded, the engine stays.
    void sansModuleOuvreLeNavigateurSysteme();
    void siteRefuseDitUneFoisParOuverture();
    void chemins_data();
    void chemins();
    void listeDesBandesFixe();
    void bandeEnregistree_data();
    void bandeEnregistree();
    void siteDepuisReglages_data();
    void siteDepuisReglages();
    void pagesDiplomeOuvertesEnBas_data();
    void pagesDiplomeOuvertesEnBas();
    void pagesDiplomeSousLeCentre_data();
    void pagesDiplomeSousLeCentre();

    void pageChargeeDansLaVraieVue();
    void moduleDonneUnContextePartage();
    void clusterMontreEtRetientLaBande();
    void clusterSuitUnChangementDeStation();
    void clusterOuvertUneFois();
    void pagesDiplomeOuvrentLeursChemins();
    void echapFermeDepuisLaPage_data();
    void echapFermeDepuisLaPage();
};

void TestWeb::chemins_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("chemin");
    const QStringList elements = {"All HF", "1.8 Mhz", "3.5 Mhz", "7.0 Mhz", "10 Mhz",
                                  "14 Mhz", "18 Mhz",  "21 Mhz",  "24 Mhz",  "28 Mhz",
                                  "50 Mhz", "144 Mhz", "432 Mhz", "All VHF"};
    const QStringList chemins = {
        "/dxc/top_250_HF.html",     "/dxc/top_50_1.8_MHz.html", "/dxc/top_50_3.5_MHz.html",
        "/dxc/top_50_7_MHz.html",   "/dxc/top_50_10_MHz.html",  "/dxc/top_50_14_MHz.html",
        "/dxc/top_50_18_MHz.html",  "/dxc/top_50_21_MHz.html",  "/dxc/top_50_24_MHz.html",
        "/dxc/top_50_28_MHz.html",  "/dxc/top_50_50_MHz.html",  "/dxc/top_50_144_MHz.html",
        "/dxc/top_50_430_MHz.html", "/dxc/top_250_VHF.html"};
    for (int i = 0; i < 14; ++i)
        QTest::addRow("%d %s", i, qPrintable(elements[i])) << i << elements[i] << chemins[i];
    QTest::addRow("below the list") << -1 << QString() << "/dxc/top_250_HF.html";
    QTest::addRow("above the list") << 14 << QString() << "/dxc/top_250_HF.html";
}

void TestWeb::chemins()
{
    QFETCH(int, index);
    QFETCH(QString, element);
    QFETCH(QString, chemin);
    QCOMPARE(Web::cheminCluster(index), chemin);
    if (!element.isEmpty())
        QCOMPARE(Web::bandesCluster().at(index), element);
}

void TestWeb::listeDesBandesFixe()
{
    QCOMPARE(Web::bandesCluster().size(), 14);
    Cluster fenetre(services(), stationFixe(QStringLiteral("F1ABC")));
    QCOMPARE(fenetre.Bande_CL->count(), 14);
    QVERIFY(!fenetre.Bande_CL->isEditable());
    for (int i = 0; i < 14; ++i)
        QCOMPARE(fenetre.Bande_CL->itemText(i), Web::bandesCluster().at(i));
}

void TestWeb::bandeEnregistree_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<int>("affichees");
    QTest::newRow("none") << QString() << 0;
    QTest::newRow("14 Mhz") << "5" << 5;
    QTest::newRow("All VHF") << "13" << 13;
    QTest::newRow("too high") << "14" << 0;
    QTest::newRow("no choice") << "-1" << 0;
    QTest::newRow("not a number") << "abc" << 0;
}

void TestWeb::bandeEnregistree()
{
    QFETCH(QString, stocke);
    QFETCH(int, affichees);
    const QString indicatif = QStringLiteral("F%1").arg(QTest::currentDataTag()).remove(' ');
    if (!stocke.isNull())
        m_reglages.ecrit(Reglages::sectionStation(indicatif), Reglages::bandeCluster, stocke);
    QCOMPARE(Web::bandeLue(m_reglages, indicatif), affichees);
}

void TestWeb::siteDepuisReglages_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("refuse"); // with a message
    const QString defaut = "http://www.dxcluster.info/dxc/top_50_14_MHz.html";
    QTest::newRow("default") << QString() << defaut << false;
    QTest::newRow("host alone") << "dx.example.org"
                                << "http://dx.example.org/dxc/top_50_14_MHz.html" << false;
    QTest::newRow("with port and slash") << "http://127.0.0.1:8080/"
                                         << "http://127.0.0.1:8080/dxc/top_50_14_MHz.html" << false;
    QTest::newRow("https") << "https://dx.example.org"
                           << "https://dx.example.org/dxc/top_50_14_MHz.html" << false;
    QTest::newRow("scheme in capitals") << "HTTPS://dx.example.org"
                                        << "https://dx.example.org/dxc/top_50_14_MHz.html" << false;
    // Only web pages: a local file or another scheme gives the usual site.
    QTest::newRow("local file") << "file:///home/f1abc/.ssh" << defaut << true;
    QTest::newRow("local file, host form") << "file://localhost/etc" << defaut << true;
    QTest::newRow("ftp") << "ftp://dx.example.org" << defaut << true;
    QTest::newRow("script") << "javascript:alert(1)" << defaut << true;
    QTest::newRow("data") << "data://text/html,<b>x</b>" << defaut << true;
    QTest::newRow("no host") << "http://" << defaut << true;
}

void TestWeb::siteDepuisReglages()
{
    QFETCH(QString, stocke);
    QFETCH(QString, address);
    QFETCH(bool, refuse);
    QTemporaryDir dossier;
    StockReglages reglages(dossier.filePath(QStringLiteral("KZT.ini")));
    if (!stocke.isNull())
        reglages.ecrit(Reglages::sectionGlobale, Web::cleSiteCluster, stocke);
    QString refus = "left from before";
    const QString site = Web::siteWeb(reglages, Web::cleSiteCluster, Web::siteCluster, &refus);
    QCOMPARE(Web::adressePage(site, Web::cheminCluster(5)).toString(), address);
    QCOMPARE(!refus.isEmpty(), refuse);
    if (refuse) {
        QCOMPARE(refus, "L'adresse « " + stocke + " » du réglage « Site Cluster » (fichier « " +
                            QDir::toNativeSeparators(reglages.nomDeFichier()) +
                            " ») n'est pas une adresse web en http:// ou https:// : la page est "
                            "ouverte sur le site habituel, http://www.dxcluster.info.");
    }
    QCOMPARE(Web::adressePage(Web::siteKzt, Web::cheminReglement).toString(),
             Web::siteKzt + "/index.php?option=com_content&view=article&id=18&Itemid=9");
}

void TestWeb::pagesDiplomeOuvertesEnBas_data()
{
    QTest::addColumn<QRect>("ecran");
    QTest::addColumn<QSize>("fenetre");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<QPoint>("place");
    // 2000 twips at 96 dots an inch: 133 dots lower than centred.
    QTest::newRow("96 dpi") << QRect(0, 0, 1920, 1080) << QSize(800, 600) << 96.0
                            << QPoint(560, 373);
    QTest::newRow("odd sizes round toward zero")
        << QRect(0, 0, 1025, 769) << QSize(300, 200) << 72.0 << QPoint(362, 384);
    QTest::newRow("screen not at origin")
        << QRect(100, 50, 1000, 800) << QSize(400, 300) << 96.0 << QPoint(400, 433);
    QTest::newRow("tall window stays on screen")
        << QRect(0, 0, 1024, 768) << QSize(800, 700) << 96.0 << QPoint(112, 68);
}

void TestWeb::pagesDiplomeOuvertesEnBas()
{
    QFETCH(QRect, ecran);
    QFETCH(QSize, fenetre);
    QFETCH(qreal, dpi);
    QFETCH(QPoint, place);
    QCOMPARE(Web::positionBasse(ecran, fenetre, dpi), place);
}

void TestWeb::pagesDiplomeSousLeCentre_data()
{
    QTest::addColumn<QRect>("ecran");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<QSize>("taille");
    // 2000 twips at 96 dots an inch are 133 dots: the window is 266 dots
    // shorter than the screen at most.
    QTest::newRow("large screen: as wanted")
        << QRect(0, 0, 1920, 1080) << QSize(1100, 780) << 96.0 << QSize(1100, 780);
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << QSize(870, 576) << 96.0
                              << QSize(870, 502);
    QTest::newRow("1366x768 at 125 %")
        << QRect(0, 0, 1093, 614) << QSize(929, 460) << 96.0 << QSize(929, 348);
    QTest::newRow("screen not at origin, panel above")
        << QRect(1024, 30, 1280, 690) << QSize(1088, 517) << 96.0 << QSize(1088, 424);
    QTest::newRow("wider than the screen")
        << QRect(0, 0, 800, 600) << QSize(1100, 300) << 96.0 << QSize(800, 300);
    // Too small a screen for the lowering: half its height, placed as low as
    // the screen lets it.
    QTest::newRow("tiny screen") << QRect(0, 0, 640, 400) << QSize(544, 300) << 96.0
                                 << QSize(544, 200);
}

void TestWeb::pagesDiplomeSousLeCentre()
{
    QFETCH(QRect, ecran);
    QFETCH(QSize, wanted);
    QFETCH(qreal, dpi);
    QFETCH(QSize, taille);
    QCOMPARE(Web::tailleBasse(ecran, wanted, dpi), taille);
    const QRect place(Web::positionBasse(ecran, taille, dpi), taille);
    QVERIFY(ecran.contains(place));
    // Lowered by the whole 2000 twips whenever the screen has room for it.
    if (taille.height() <= ecran.height() - 2 * 133)
        QCOMPARE(place.top(), ecran.top() + (ecran.height() - taille.height()) / 2 + 133);
}

void TestWeb::sansModuleOuvreLeNavigateurSysteme()
{
    QTemporaryDir vide;
    VueWeb::dossierDuModule(vide.path());
    VueWeb::creeNavigateur([this](const QUrl& u) {
        m_navigateur.append(u);
        return true;
    });
    ServeurPages serveur;
    pointeSites(serveur.site());

    Cluster fenetre(services(), stationFixe(QStringLiteral("F1NOMOD")));
    QVERIFY(!fenetre.WebBrowser1->integree());
    QCOMPARE(m_navigateur.size(), 1);
    QCOMPARE(m_navigateur.last().toString(), serveur.site() + "/dxc/top_250_HF.html");
    auto* note = fenetre.WebBrowser1->findChild<QLabel*>(QStringLiteral("Note_Navigateur"));
    QVERIFY(note);
    QVERIFY2(note->text().contains("ouverte dans votre navigateur"), qPrintable(note->text()));
    QVERIFY(note->accessibleName().isEmpty());
    // A short window, not a page's: its controls and the note.
    QVERIFY2(fenetre.height() < 300, qPrintable(QString::number(fenetre.height())));
    // The address can be copied from it.
    QGuiApplication::clipboard()->clear();
    fenetre.WebBrowser1->findChild<QPushButton*>(QStringLiteral("Copier_Adresse"))->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), serveur.site() + "/dxc/top_250_HF.html");

    // No browser either: the window says so as a failure and gives the address.
    VueWeb::creeNavigateur([](const QUrl&) { return false; });
    fenetre.Afficher->click();
    QVERIFY(note->text().contains("aucun navigateur"));
    QVERIFY(note->text().contains(serveur.site() + "/dxc/top_250_HF.html"));
    QCOMPARE(note->accessibleName(), QStringLiteral("Échec"));
#ifdef Q_OS_WIN
    // Windows has no web engine to install: the note does not speak of one.
    QVERIFY(!note->text().contains("pas installé"));
#endif

    // Only web pages go to the browser.
    VueWeb::creeNavigateur([this](const QUrl& u) {
        m_navigateur.append(u);
        return true;
    });
    m_navigateur.clear();
    for (const char* adresse :
         {"file:///etc/passwd", "javascript:alert(1)", "mailto:f1abc@x.org"}) {
        fenetre.WebBrowser1->ouvre(QUrl(QString::fromLatin1(adresse)));
        QVERIFY2(note->text().contains("pas celle d'une page web"), adresse);
    }
    QVERIFY(m_navigateur.isEmpty());

    VueWeb::dossierDuModule(QStringLiteral(KZT_PROGRAM_DIR));
}

// A site of the settings that is no web address: each window that opens
// says so once and shows the usual site's page, a band changed in the cluster
// window says nothing more.
void TestWeb::siteRefuseDitUneFoisParOuverture()
{
    QTemporaryDir vide;
    VueWeb::dossierDuModule(vide.path());
    m_navigateur.clear();
    VueWeb::creeNavigateur([this](const QUrl& u) {
        m_navigateur.append(u);
        return true;
    });
    m_messages.vide();
    pointeSites(QStringLiteral("file:///etc/passwd"));
    const auto ditSite = [this](int n, const QString& cle) {
        QCOMPARE(m_messages.affichees().size(), n);
        QVERIFY2(m_messages.dernierTexte().startsWith("L'adresse « file:///etc/passwd » du "
                                                      "réglage « " +
                                                      cle + " »"),
                 qPrintable(m_messages.dernierTexte()));
    };
    {
        Cluster fenetre(services(), stationFixe(QStringLiteral("F1SITE")));
        ditSite(1, "Site Cluster");
        fenetre.Bande_CL->setCurrentIndex(5);
        fenetre.Afficher->click();
        QCOMPARE(m_messages.affichees().size(), 1);
    }
    Cluster encore(services(), stationFixe(QStringLiteral("F1SITE")));
    ditSite(2, "Site Cluster");
    Reglement reglement(services());
    ditSite(3, "Site KZT");
    Liste_KZT1 liste(services());
    ditSite(4, "Site KZT");
    QCOMPARE(m_navigateur.size(), 5);
    QCOMPARE(m_navigateur.at(0).toString(), Web::siteCluster + "/dxc/top_250_HF.html");
    QCOMPARE(m_navigateur.at(1).toString(), Web::siteCluster + "/dxc/top_50_14_MHz.html");
    QCOMPARE(m_navigateur.at(2).toString(), Web::siteCluster + "/dxc/top_50_14_MHz.html");
    QCOMPARE(m_navigateur.at(3).toString(), Web::siteKzt + Web::cheminReglement);
    QCOMPARE(m_navigateur.at(4).toString(), Web::siteKzt + Web::cheminListeKzt);
    for (const QUrl& u : std::as_const(m_navigateur))
        QCOMPARE(u.scheme(), QStringLiteral("http"));
    pointeSites(QString());
    m_messages.vide();
    VueWeb::dossierDuModule(QStringLiteral(KZT_PROGRAM_DIR));
}

void TestWeb::pageChargeeDansLaVraieVue()
{
    EXIGE_MODULE();
    ServeurPages serveur;
    VueWeb vue;
    QVERIFY2(vue.integree(), qPrintable(VueWeb::cheminModule()));
    QSignalSpy chargee(&vue, &VueWeb::chargee);
    vue.resize(400, 300);
    vue.show();
    vue.ouvre(QUrl(serveur.site() + "/essai.html"));
    QVERIFY(chargee.wait(60000));
    QCOMPARE(chargee.first().first().toBool(), true);
    QCOMPARE(serveur.chemins, QStringList{"/essai.html"});
}

// The module gives the web engine the shared drawing context through a setter
// that is not part of Qt's API; a Qt that no longer has it (or a version the
// module does not trust with it) shows here.
void TestWeb::moduleDonneUnContextePartage()
{
    EXIGE_MODULE();
    VueWeb vue;
    QVERIFY2(vue.integree(), qPrintable(VueWeb::cheminModule()));
#ifdef KZT_MODULE_WEB
    QVERIFY2(QOpenGLContext::globalShareContext(),
             "the web-view module did not set the shared OpenGL context");
#endif
}

void TestWeb::clusterMontreEtRetientLaBande()
{
    EXIGE_MODULE();
    ServeurPages serveur;
    pointeSites(serveur.site());
    const QString indicatif = QStringLiteral("F5CLU");
    {
        Cluster fenetre(services(), stationFixe(indicatif));
        QVERIFY(fenetre.WebBrowser1->integree());
        QCOMPARE(fenetre.Bande_CL->currentText(), QStringLiteral("All HF"));
        QSignalSpy chargee(fenetre.WebBrowser1, &VueWeb::chargee);
        QVERIFY(chargee.wait(60000));
        QCOMPARE(serveur.chemins.last(), QStringLiteral("/dxc/top_250_HF.html"));
        QCOMPARE(m_reglages.lit(Reglages::sectionStation(indicatif), Reglages::bandeCluster, {}),
                 QStringLiteral("0"));

        // Choosing alone changes nothing until "Afficher".
        fenetre.Bande_CL->setCurrentIndex(5);
        QCOMPARE(m_reglages.lit(Reglages::sectionStation(indicatif), Reglages::bandeCluster, {}),
                 QStringLiteral("0"));
        // Enter presses the focused button.
        fenetre.Afficher->setFocus();
        QTest::keyClick(fenetre.Afficher, Qt::Key_Return);
        QVERIFY(chargee.wait(60000));
        QCOMPARE(chargee.last().first().toBool(), true);
        QCOMPARE(serveur.chemins.last(), QStringLiteral("/dxc/top_50_14_MHz.html"));
        QCOMPARE(m_reglages.lit(Reglages::sectionStation(indicatif), Reglages::bandeCluster, {}),
                 QStringLiteral("5"));
    }
    // The next opening shows "14 Mhz" at once; another station keeps its own.
    Cluster encore(services(), stationFixe(indicatif));
    QCOMPARE(encore.Bande_CL->currentText(), QStringLiteral("14 Mhz"));
    QCOMPARE(encore.WebBrowser1->adresse().path(), QStringLiteral("/dxc/top_50_14_MHz.html"));
    Cluster autre(services(), stationFixe(QStringLiteral("F6AUTRE")));
    QCOMPARE(autre.Bande_CL->currentIndex(), 0);
}

void TestWeb::clusterSuitUnChangementDeStation()
{
    ServeurPages serveur;
    pointeSites(serveur.site());
    QString station = QStringLiteral("F5AVANT");
    Cluster fenetre(services(), [&station] { return station; });
    // The station is changed while the window is open: the next band shown
    // is the new station's, and the old one keeps its own.
    station = QStringLiteral("F5APRES");
    fenetre.Bande_CL->setCurrentIndex(12);
    fenetre.Afficher->click();
    QCOMPARE(m_reglages.lit(Reglages::sectionStation("F5APRES"), Reglages::bandeCluster, {}),
             QStringLiteral("12"));
    QCOMPARE(m_reglages.lit(Reglages::sectionStation("F5AVANT"), Reglages::bandeCluster, {}),
             QStringLiteral("0"));
}

void TestWeb::clusterOuvertUneFois()
{
    EXIGE_MODULE();
    ServeurPages serveur;
    pointeSites(serveur.site());
    Cluster* premiere = Cluster::ouvreFenetre(services(), stationFixe(QStringLiteral("F5ONE")));
    QVERIFY(premiere->isVisible());
    QVERIFY(!premiere->isModal());
    QCOMPARE(premiere->windowTitle(), QStringLiteral("Cluster"));
    QCOMPARE(Cluster::ouvreFenetre(services(), stationFixe(QStringLiteral("F5ONE"))), premiere);
    QPointer<Cluster> garde(premiere);
    QTest::keyClick(premiere->Afficher, Qt::Key_Escape); // as the close box

    QTRY_VERIFY(garde.isNull());
    Cluster* seconde = Cluster::ouvreFenetre(services(), stationFixe(QStringLiteral("F5ONE")));
    QVERIFY(seconde);
    seconde->close();
}

void TestWeb::pagesDiplomeOuvrentLeursChemins()
{
    EXIGE_MODULE();
    ServeurPages serveur;
    pointeSites(serveur.site());

    Reglement* reglement = Reglement::ouvreFenetre(services());
    QCOMPARE(reglement->windowTitle(), QStringLiteral("Reglement du diplome KZT"));
    QVERIFY(!reglement->isModal());
    QCOMPARE(Reglement::ouvreFenetre(services()), reglement);
    QSignalSpy chargee(reglement->WebBrowser1, &VueWeb::chargee);
    QVERIFY(chargee.wait(60000));
    QCOMPARE(serveur.chemins.last(),
             QStringLiteral("/index.php?option=com_content&view=article&id=18&Itemid=9"));
    QPointer<Reglement> ouvert(reglement);
    QTest::keyClick(reglement->WebBrowser1, Qt::Key_Escape);
    QTRY_VERIFY(ouvert.isNull());

    // The list is modal: it is looked at while it runs, then closed.
    QString titre;
    bool modale = false;
    QTimer::singleShot(0, this, [&] {
        auto* liste = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!liste)
            return;
        titre = liste->windowTitle();
        modale = liste->isModal() && liste->objectName() == QLatin1String("Liste_KZT1");
        QTRY_VERIFY_WITH_TIMEOUT(serveur.chemins.size() > 1, 60000);
        liste->reject();
    });
    QWidget principale;
    principale.show();
    Liste_KZT1::ouvreFenetre(services(), &principale);
    QVERIFY(modale);
    QCOMPARE(titre, QStringLiteral("Liste des départements activés de KZT"));
    QCOMPARE(serveur.chemins.last(),
             QStringLiteral("/index.php?option=com_wrapper&view=wrapper&Itemid=26"));
}

// Escape closes each web window at once, even when the page has the focus
// and takes every key; the list of the departments is modal, and the main
// window would otherwise wait for the mouse.
void TestWeb::echapFermeDepuisLaPage_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<bool>("module"); // the web engine's page, or one of the tests
    for (const char* f : {"Cluster", "Reglement", "Liste_KZT1"}) {
        QTest::addRow("%s, page that takes every key", f) << QString::fromLatin1(f) << false;
        QTest::addRow("%s, web page", f) << QString::fromLatin1(f) << true;
    }
}

void TestWeb::echapFermeDepuisLaPage()
{
    QFETCH(QString, fenetre);
    QFETCH(bool, module);
    if (module) {
        EXIGE_MODULE();
    }
    ServeurPages serveur;
    pointeSites(serveur.site());
    FabriqueFactice factice;
    if (!module)
        VueWeb::remplaceFabrique(&factice);
    const auto retour = qScopeGuard([] { VueWeb::remplaceFabrique(nullptr); });

    // The focus in the page, then Escape: why the window is still open, or
    // nothing.
    const auto echap = [module](QWidget* w) -> QString {
        auto* vue = w->findChild<VueWeb*>(QStringLiteral("WebBrowser1"));
        if (!vue || !vue->integree())
            return QStringLiteral("no page in the window");
        if (module) {
            QSignalSpy chargee(vue, &VueWeb::chargee);
            if (!chargee.wait(60000))
                return QStringLiteral("page not loaded");
        }
        QApplication::setActiveWindow(w);
        if (!QTest::qWaitForWindowActive(w))
            return QStringLiteral("window not active");
        QWidget* page = vue->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).value(0);
        if (!page)
            return QStringLiteral("no page");
        page->setFocus();
        QWidget* focus = QApplication::focusWidget();
        if (!focus || (focus != page && !page->isAncestorOf(focus)))
            return QStringLiteral("the page has not the focus");
        QTest::keyClick(focus, Qt::Key_Escape);
        return w->isVisible() ? QStringLiteral("still open") : QString();
    };

    QString faute;
    if (fenetre == QStringLiteral("Liste_KZT1")) {
        QTimer::singleShot(0, this, [&] {
            QWidget* liste = QApplication::activeModalWidget();
            if (!liste || liste->objectName() != fenetre) {
                faute = QStringLiteral("no modal list");
                return;
            }
            faute = echap(liste);
            if (liste->isVisible())
                qobject_cast<QDialog*>(liste)->reject();
        });
        QWidget principale;
        principale.show();
        Liste_KZT1::ouvreFenetre(services(), &principale);
    } else {
        QPointer<QWidget> w;
        if (fenetre == QStringLiteral("Cluster"))
            w = Cluster::ouvreFenetre(services(), stationFixe(QStringLiteral("F5ECH")));
        else
            w = Reglement::ouvreFenetre(services());
        QVERIFY(w);
        faute = echap(w);
        if (w)
            delete w;
    }
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
}

QTEST_MAIN(TestWeb)
#include "tst_web.moc"

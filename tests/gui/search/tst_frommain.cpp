// The search, the ADIF export and the web pages as the main window opens
// them.

#include "app/AppBench.h"

#include "core/web/Sites.h"
#include "gui/entry/EntryArea.h"
#include "gui/entry/LogList.h"
#include "gui/platform/WebView.h"
#include "gui/search/Recherche_Indicatif.h"
#include "gui/web/Cluster.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

class TestFromMain : public QObject {
    Q_OBJECT

    QList<QUrl> m_pages;

    static Recherche_Indicatif* recherche(Main& m)
    {
        return m.findChild<Recherche_Indicatif*>(QStringLiteral("Recherche_Indicatif"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Here the pages go to a stand-in for the system browser.
        VueWeb::Dossier_Module(QStringLiteral("/nonexistent"));
        VueWeb::Navigateur([this](const QUrl& u) {
            m_pages.append(u);
            return true;
        });
    }

    void searchLeadsBackToTheQso();
    void adifMenuExportsTheLog();
    void webPagesOpenFromMenusAndButton();
};

void TestFromMain::searchLeadsBackToTheQso()
{
    AppBench b;
    b.choisitStation("F1ABC");
    b.ecritLog("F1ABC", 20);
    Main m(b.services());
    QVERIFY(m.Demarre());
    EntryArea* saisie = m.Saisie();

    QTest::mouseClick(saisie->Rechercher, Qt::LeftButton);
    QPointer<Recherche_Indicatif> f = recherche(m);
    QVERIFY(f && f->isVisible() && f->isWindow());
    QTest::mouseClick(saisie->Rechercher, Qt::LeftButton);
    QCOMPARE(m.findChildren<Recherche_Indicatif*>().size(), 1);

    QTest::keyClicks(f->Indica, "7ab");
    QTest::keyClick(f->Indica, Qt::Key_Return);
    QCOMPARE(f->Resultats().size(), 2); // F7AB and F17AB
    QListView* v = f->QSO_Effectues;
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {},
                       v->visualRect(v->model()->index(1, 0)).center());
    QTRY_VERIFY(f.isNull());
    QCOMPARE(m.Liste()->Index_Selection(), 16);
    QCOMPARE(saisie->Ind_A->text(), QStringLiteral("F17AB"));
    QVERIFY(saisie->Annule_Saisie->isEnabled());
    QVERIFY(b.messages.texts().isEmpty());
}

void TestFromMain::adifMenuExportsTheLog()
{
    AppBench b;
    b.choisitStation("F1ABC");
    const QByteArray log = b.ecritLog("F1ABC", 20);
    Main m(b.services());
    QVERIFY(m.Demarre());
    QAction* adif = enfant<QAction>(&m, "Mnu_ADIF");
    QVERIFY(adif->isEnabled());
    adif->trigger();
    QCOMPARE(b.messages.texts(),
             QStringList{"Le fichier a été enregistré sous le nom : F1ABC_KZT.adi"});
    QCOMPARE(AppBench::lit(b.chemin("F1ABC_KZT.adi")).count("<eor>\r\n"), 20);
    QCOMPARE(AppBench::lit(b.cheminLog("F1ABC")), log);

    // The log gone meanwhile: a message, and the main window goes on.
    QFile::remove(b.cheminLog("F1ABC"));
    b.messages.clear();
    adif->trigger();
    QCOMPARE(b.messages.shown().size(), 1);
    QVERIFY(b.messages.lastText().startsWith("L'exportation au format ADIF n'a pas pu se faire"));
    QVERIFY(m.isVisible());
}

void TestFromMain::webPagesOpenFromMenusAndButton()
{
    AppBench b;
    b.choisitStation("F1ABC");
    b.ecritLog("F1ABC", 3);
    b.reglages.write(Reglages::Section_Station("F1ABC"), Reglages::Bande_Cluster, "5");
    Main m(b.services());
    QVERIFY(m.Demarre());
    m_pages.clear();

    enfant<QAction>(&m, "Mnu_Cluster")->trigger();
    enfant<QAction>(&m, "Mnu_Cluster")->trigger();
    QCOMPARE(m.findChildren<Cluster*>().size(), 1);
    QCOMPARE(m_pages.size(), 1);
    QCOMPARE(m_pages.last().path(), QStringLiteral("/dxc/top_50_14_MHz.html"));

    enfant<QAction>(&m, "Mnu_Reglement")->trigger();
    QCOMPARE(m_pages.last().toString(), Web::Site_KZT + Web::Chemin_Reglement);

    bool modale = false;
    auto attente = surModal("Liste_KZT1", [&](QWidget* w) {
        modale = true;
        w->close();
    });
    QTest::mouseClick(m.Saisie()->Command1, Qt::LeftButton);
    QVERIFY(modale);
    QCOMPARE(m_pages.last().toString(), Web::Site_KZT + Web::Chemin_Liste_KZT);
}

QTEST_MAIN(TestFromMain)
#include "tst_frommain.moc"

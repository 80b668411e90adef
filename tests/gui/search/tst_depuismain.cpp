// The search, the ADIF export and the web pages as the main window opens
// them.

#include "app/BancProgramme.h"

#include "core/web/Web.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/VueWeb.h"
#include "gui/search/Recherche_Indicatif.h"
#include "gui/web/Cluster.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

class TestDepuisMain : public QObject {
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
        VueWeb::dossierDuModule(QStringLiteral("/nonexistent"));
        VueWeb::creeNavigateur([this](const QUrl& u) {
            m_pages.append(u);
            return true;
        });
    }

    void rechercheRameneAuQso();
    void menuAdifExporteLeLog();
    void pagesWebOuvertesDepuisMenusEtBouton();
};

void TestDepuisMain::rechercheRameneAuQso()
{
    BancProgramme b;
    b.choisitStation("F1ABC");
    b.ecritLog("F1ABC", 20);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    ZoneSaisie* saisie = m.zoneDeSaisie();

    QTest::mouseClick(saisie->Rechercher, Qt::LeftButton);
    QPointer<Recherche_Indicatif> f = recherche(m);
    QVERIFY(f && f->isVisible() && f->isWindow());
    QTest::mouseClick(saisie->Rechercher, Qt::LeftButton);
    QCOMPARE(m.findChildren<Recherche_Indicatif*>().size(), 1);

    QTest::keyClicks(f->Indica, "7ab");
    QTest::keyClick(f->Indica, Qt::Key_Return);
    QCOMPARE(f->listeResultats().size(), 2); // F7AB and F17AB
    QListView* v = f->QSO_Effectues;
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {},
                       v->visualRect(v->model()->index(1, 0)).center());
    QTRY_VERIFY(f.isNull());
    QCOMPARE(m.listeLog()->indexSelection(), 16);
    QCOMPARE(saisie->Ind_A->text(), QStringLiteral("F17AB"));
    QVERIFY(saisie->Annule_Saisie->isEnabled());
    QVERIFY(b.messages.textes().isEmpty());
}

void TestDepuisMain::menuAdifExporteLeLog()
{
    BancProgramme b;
    b.choisitStation("F1ABC");
    const QByteArray log = b.ecritLog("F1ABC", 20);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QAction* adif = enfant<QAction>(&m, "Mnu_ADIF");
    QVERIFY(adif->isEnabled());
    adif->trigger();
    QCOMPARE(b.messages.textes(),
             QStringList{"Le fichier a été enregistré sous le nom : F1ABC_KZT.adi"});
    QCOMPARE(BancProgramme::lit(b.chemin("F1ABC_KZT.adi")).count("<eor>\r\n"), 20);
    QCOMPARE(BancProgramme::lit(b.cheminLog("F1ABC")), log);

    // The log gone meanwhile: a message, and the main window goes on.
    QFile::remove(b.cheminLog("F1ABC"));
    b.messages.vide();
    adif->trigger();
    QCOMPARE(b.messages.affichees().size(), 1);
    QVERIFY(
        b.messages.dernierTexte().startsWith("L'exportation au format ADIF n'a pas pu se faire"));
    QVERIFY(m.isVisible());
}

void TestDepuisMain::pagesWebOuvertesDepuisMenusEtBouton()
{
    BancProgramme b;
    b.choisitStation("F1ABC");
    b.ecritLog("F1ABC", 3);
    b.reglages.ecrit(Reglages::sectionStation("F1ABC"), Reglages::bandeCluster, "5");
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    m_pages.clear();

    enfant<QAction>(&m, "Mnu_Cluster")->trigger();
    enfant<QAction>(&m, "Mnu_Cluster")->trigger();
    QCOMPARE(m.findChildren<Cluster*>().size(), 1);
    QCOMPARE(m_pages.size(), 1);
    QCOMPARE(m_pages.last().path(), QStringLiteral("/dxc/top_50_14_MHz.html"));

    enfant<QAction>(&m, "Mnu_Reglement")->trigger();
    QCOMPARE(m_pages.last().toString(), Web::siteKzt + Web::cheminReglement);

    bool modale = false;
    auto attente = surModal("Liste_KZT1", [&](QWidget* w) {
        modale = true;
        w->close();
    });
    QTest::mouseClick(m.zoneDeSaisie()->Command1, Qt::LeftButton);
    QVERIFY(modale);
    QCOMPARE(m_pages.last().toString(), Web::siteKzt + Web::cheminListeKzt);
}

QTEST_MAIN(TestDepuisMain)
#include "tst_depuismain.moc"

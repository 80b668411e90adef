#include "support/JeuxEssaiRecherche.h"

#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/entry/ListeLog.h"
#include "gui/search/Recherche_Indicatif.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiRecherche;

class TestFenetreRecherche : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossierTemporaire;
    StockReglages m_reglages{m_dossierTemporaire.filePath(QStringLiteral("KZT.ini"))};
    HorlogeReglee m_horloge;
    BoiteMessageScriptee m_messages;
    ListeLog* m_liste = nullptr;

    Services services()
    {
        return {m_dossierTemporaire.path(), m_reglages, m_horloge, m_messages, [] {}};
    }

    static QStringList numeros(const Recherche_Indicatif& f)
    {
        QStringList n;
        for (const QString& l : f.listeResultats())
            n.append(l.left(5).trimmed());
        return n;
    }

    // A double-click on the result at that row, or below the last one.
    static void doubleClique(Recherche_Indicatif& f, int rangee)
    {
        QListView* v = f.QSO_Effectues;
        const QPoint p = rangee >= 0 ? v->visualRect(v->model()->index(rangee, 0)).center()
                                     : QPoint(5, v->viewport()->height() - 5);
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, p);
    }

private Q_SLOTS:
    void init()
    {
        m_messages.vide();
        m_liste = new ListeLog;
        m_liste->remplitListe(Affichage::Journal::depuisLignesLog(journalLog()));
        m_liste->selectionneDerniere();
    }
    void cleanup() { delete m_liste; }

    void charge();
    void touchesTapees_data();
    void touchesTapees();
    void entreeSuitLOptionChoisie();
    void optionDeplaceLeFocus();
    void doubleClicSelectionneDansLaListe_data();
    void doubleClicSelectionneDansLaListe();
    void caractereDeControleColleRefuse_data();
    void caractereDeControleColleRefuse();
    void doubleClicSurLigneLanceLeGestionnaire();
    void doubleClicSansResultatNeChangeRien();
    void ouverteUneFois();
    void selectionListeDiteUneFois_data();
    void selectionListeDiteUneFois();
    void chaqueParentASaFenetre();
    void uneFenetreFermeeNeRevientPas();
    void rechercheLitLaListeDerniereRemplie_data();
    void rechercheLitLaListeDerniereRemplie();
};

void TestFenetreRecherche::charge()
{
    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("Rechercher un QSO"));
    QCOMPARE(f.Label3->text(), QStringLiteral("Rechercher un QSO par ..."));
    QCOMPARE(f.Label13->text(), Recherche::enteteListe);
    QVERIFY(f.Option1[1]->isChecked());
    QCOMPARE(f.Option1[1]->text(), QStringLiteral("Indicatif"));
    QCOMPARE(f.Option1[2]->text(), QStringLiteral("N° KZT"));
    QCOMPARE(f.Option1[3]->text(), QStringLiteral("Dpt"));
    QCOMPARE(f.Command1->text(), QStringLiteral("Quitter"));
    QCOMPARE(f.QSO_Effectues->toolTip(),
             QStringLiteral("Double clique sur le QSO pour retour au log"));
    for (QLineEdit* b : {f.Indica, f.Data, f.Depa})
        QVERIFY(b->text().isEmpty());
    QVERIFY(f.listeResultats().isEmpty());
    QVERIFY(!f.isModal());
}

void TestFenetreRecherche::touchesTapees_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("avantEntree");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("trouve");
    QTest::addColumn<QString>("apresEntree");

    const QStringList aucun;
    QTest::newRow("callsign typed in lower case")
        << 1 << "fx"
        << "FX" << aucun << QStringList{"1", "2", "4", "6"} << "";
    QTest::newRow("callsign too long, searched all the same")
        << 1 << "f1abcdefghijk"
        << "F1ABCDEFGHIJK"
        << QStringList{"12 caracteres maxi pour l'indicatif", "Pas de QSO trouvé"} << aucun << "";
    QTest::newRow("no callsign") << 1 << ""
                                 << "" << QStringList{"Entrez un indicatif"} << aucun << "";
    QTest::newRow("reference") << 2 << "77121"
                               << "77121" << aucun << QStringList{"1"} << "";
    QTest::newRow("reference of four characters")
        << 2 << "7712"
        << "7712" << QStringList{"5 caracteres maxi pour la référence ex: 77121"} << aucun
        << "7712";
    QTest::newRow("department typed in upper case") << 3 << "2A"
                                                    << "2A" << aucun << QStringList{"2"} << "";
    QTest::newRow("department of one character") << 3 << "7"
                                                 << "7" << aucun << QStringList{"3"} << "";
    QTest::newRow("department too long")
        << 3 << "777"
        << "777" << QStringList{"2 caracteres maxi pour le département"} << aucun << "777";
    QTest::newRow("no department") << 3 << ""
                                   << "" << QStringList{"Entrez un Canton"} << aucun << "";
    QTest::newRow("department not in the log")
        << 3 << "13"
        << "13" << QStringList{"Pas de QSO trouvé"} << aucun << "";
}

void TestFenetreRecherche::touchesTapees()
{
    QFETCH(int, option);
    QFETCH(QString, tape);
    QFETCH(QString, avantEntree);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, trouve);
    QFETCH(QString, apresEntree);

    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QLineEdit* boite = option == 1 ? f.Indica : option == 2 ? f.Data : f.Depa;
    QTest::mouseClick(boite, Qt::LeftButton);
    QVERIFY(f.Option1[option]->isChecked());
    QTest::keyClicks(boite, tape);
    QCOMPARE(boite->text(), avantEntree);
    QTest::keyClick(boite, Qt::Key_Return);
    QCOMPARE(m_messages.textes(), messages);
    QCOMPARE(numeros(f), trouve);
    QCOMPARE(boite->text(), apresEntree);
}

void TestFenetreRecherche::entreeSuitLOptionChoisie()
{
    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QTest::mouseClick(f.Depa, Qt::LeftButton);
    QTest::keyClicks(f.Depa, "77");
    // Into the callsign box without a click: the option stays "Dpt".
    f.Indica->setFocus();
    QTest::keyClicks(f.Indica, "F8");
    QTest::keyClick(f.Indica, Qt::Key_Enter);
    QVERIFY(f.Option1[3]->isChecked());
    QCOMPARE(numeros(f), (QStringList{"1", "4"}));
    for (QLineEdit* b : {f.Indica, f.Data, f.Depa})
        QVERIFY(b->text().isEmpty());

    // A new search empties the results first.
    QTest::mouseClick(f.Data, Qt::LeftButton);
    QTest::keyClicks(f.Data, "99999");
    QTest::keyClick(f.Data, Qt::Key_Return);
    QVERIFY(f.listeResultats().isEmpty());
    QCOMPARE(m_messages.dernierTexte(), QStringLiteral("Pas de QSO trouvé"));
}

void TestFenetreRecherche::optionDeplaceLeFocus()
{
    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QLineEdit* boites[] = {nullptr, f.Indica, f.Data, f.Depa};
    for (int i : {3, 2, 1}) {
        // On the button's circle: the rest of its cell does not take clicks.
        QTest::mouseClick(f.Option1[i], Qt::LeftButton, {}, QPoint(6, f.Option1[i]->height() / 2));
        QVERIFY(f.Option1[i]->isChecked());
        QCOMPARE(QApplication::focusWidget(), boites[i]);
    }
}

void TestFenetreRecherche::doubleClicSelectionneDansLaListe_data()
{
    QTest::addColumn<bool>("clavier");
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter on the result") << true;
}

void TestFenetreRecherche::doubleClicSelectionneDansLaListe()
{
    QFETCH(bool, clavier);
    QSignalSpy choisie(m_liste, &ListeLog::aChoisiLigne);
    auto* f = new Recherche_Indicatif(services(), *m_liste);
    QPointer<Recherche_Indicatif> garde(f);
    f->show();
    QTest::keyClicks(f->Indica, "FX");
    QTest::keyClick(f->Indica, Qt::Key_Return);
    QCOMPARE(numeros(*f), (QStringList{"1", "2", "4", "6"}));
    if (clavier) {
        f->QSO_Effectues->setFocus();
        f->QSO_Effectues->setCurrentIndex(f->QSO_Effectues->model()->index(2, 0));
        QTest::keyClick(f->QSO_Effectues, Qt::Key_Return);
    } else {
        doubleClique(*f, 2);
    }
    QTRY_VERIFY(garde.isNull());
    QCOMPARE(m_liste->indexSelection(), 3);
    QVERIFY(!choisie.isEmpty());
    QCOMPARE(choisie.last().first().toInt(), 3);
}

void TestFenetreRecherche::caractereDeControleColleRefuse_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("colle");
    QTest::addColumn<QString>("message");
    QTest::newRow("line break in the callsign")
        << 1 << "FX\n"
        << "Le champ « Indicatif » contient un saut de ligne";
    QTest::newRow("tab in the reference") << 2 << "77\t12"
                                          << "Le champ « N° KZT » contient une tabulation";
    QTest::newRow("control character in the department")
        << 3 << "7\x01"
        << "Le champ « Dpt » contient un caractère de contrôle (U+0001)";
}

void TestFenetreRecherche::caractereDeControleColleRefuse()
{
    QFETCH(int, option);
    QFETCH(QString, colle);
    QFETCH(QString, message);
    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QLineEdit* boite = option == 1 ? f.Indica : option == 2 ? f.Data : f.Depa;
    QTest::mouseClick(boite, Qt::LeftButton);
    boite->setText(colle);
    QTest::keyClick(boite, Qt::Key_Return);
    QVERIFY2(m_messages.dernierTexte().startsWith(message), qPrintable(m_messages.dernierTexte()));
    QCOMPARE(m_messages.textes().size(), 1);
    QVERIFY(f.listeResultats().isEmpty());
    QCOMPARE(boite->text(), colle);
}

void TestFenetreRecherche::doubleClicSurLigneLanceLeGestionnaire()
{
    QCOMPARE(m_liste->indexSelection(), 5);
    QSignalSpy choisie(m_liste, &ListeLog::aChoisiLigne);
    auto* f = new Recherche_Indicatif(services(), *m_liste);
    QPointer<Recherche_Indicatif> garde(f);
    f->show();
    QTest::keyClicks(f->Indica, "F1FX");
    QTest::keyClick(f->Indica, Qt::Key_Return);
    doubleClique(*f, 0);
    QTRY_VERIFY(garde.isNull());
    QCOMPARE(m_liste->indexSelection(), 5);
    QCOMPARE(choisie.size(), 1);
    QCOMPARE(choisie.first().first().toInt(), 5);
}

void TestFenetreRecherche::doubleClicSansResultatNeChangeRien()
{
    QSignalSpy choisie(m_liste, &ListeLog::aChoisiLigne);
    auto* f = new Recherche_Indicatif(services(), *m_liste);
    QPointer<Recherche_Indicatif> garde(f);
    f->show();
    QTest::keyClicks(f->Indica, "FX");
    QTest::keyClick(f->Indica, Qt::Key_Return);
    QVERIFY(!f->listeResultats().isEmpty());
    doubleClique(*f, -1);
    QTRY_VERIFY(garde.isNull());
    QCOMPARE(m_liste->indexSelection(), 5);
    QVERIFY(choisie.isEmpty());
}

void TestFenetreRecherche::ouverteUneFois()
{
    Recherche_Indicatif* f = Recherche_Indicatif::ouvreFenetre(services(), *m_liste);
    QVERIFY(f->isVisible());
    QTest::keyClicks(f->Data, "771");
    QCOMPARE(Recherche_Indicatif::ouvreFenetre(services(), *m_liste), f);
    QCOMPARE(f->Data->text(), QStringLiteral("771"));
    QPointer<Recherche_Indicatif> garde(f);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    QTRY_VERIFY(garde.isNull());
    // A new opening starts afresh.
    f = Recherche_Indicatif::ouvreFenetre(services(), *m_liste);
    QVERIFY(f->Data->text().isEmpty());
    QVERIFY(f->Option1[1]->isChecked());
    // Escape closes it as the close box does.
    garde = f;
    QTest::keyClick(f->Data, Qt::Key_Escape);
    QTRY_VERIFY(garde.isNull());
}

// The list tells its listeners once for every line the program selects,
// whether that line was the selected one or not, and never for no line.
void TestFenetreRecherche::selectionListeDiteUneFois_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("dit");
    QTest::newRow("the line already selected") << 5 << QList<int>{5};
    QTest::newRow("another line") << 2 << QList<int>{2};
    QTest::newRow("the first line") << 0 << QList<int>{0};
    QTest::newRow("outside the list") << 6 << QList<int>{};
    QTest::newRow("no line") << -1 << QList<int>{};
}

void TestFenetreRecherche::selectionListeDiteUneFois()
{
    QFETCH(int, index);
    QFETCH(QList<int>, dit);
    QSignalSpy choisie(m_liste, &ListeLog::aChoisiLigne);
    m_liste->selectionne(index);
    QList<int> lignes;
    for (const QList<QVariant>& signal : choisie)
        lignes.append(signal.first().toInt());
    QCOMPARE(lignes, dit);
    QCOMPARE(m_liste->indexSelection(), dit.isEmpty() ? -1 : index);
}

// A window is the one of its main window: a second main window (another list,
// other services) gets a window of its own.
void TestFenetreRecherche::chaqueParentASaFenetre()
{
    QWidget premier;
    QWidget seconde;
    ListeLog autreListe;
    Recherche_Indicatif* a = Recherche_Indicatif::ouvreFenetre(services(), *m_liste, &premier);
    Recherche_Indicatif* b = Recherche_Indicatif::ouvreFenetre(services(), autreListe, &seconde);
    QVERIFY(a != b);
    QCOMPARE(a->parentWidget(), &premier);
    QCOMPARE(b->parentWidget(), &seconde);
    QCOMPARE(Recherche_Indicatif::ouvreFenetre(services(), *m_liste, &premier), a);
    QCOMPARE(Recherche_Indicatif::ouvreFenetre(services(), autreListe, &seconde), b);
}

// Opened again at once after its closing, before it is deleted, the window
// comes new: the closed one would vanish under the user's eyes.
void TestFenetreRecherche::uneFenetreFermeeNeRevientPas()
{
    QWidget principale;
    Recherche_Indicatif* f = Recherche_Indicatif::ouvreFenetre(services(), *m_liste, &principale);
    QPointer<Recherche_Indicatif> garde(f);
    f->close();
    QVERIFY(garde);
    Recherche_Indicatif* g = Recherche_Indicatif::ouvreFenetre(services(), *m_liste, &principale);
    QVERIFY(g != f);
    QTRY_VERIFY(garde.isNull());
    QVERIFY(g->isVisible());
}

// The lines read by a search are those of the list as it was filled last,
// not those an earlier search read.
void TestFenetreRecherche::rechercheLitLaListeDerniereRemplie_data()
{
    QTest::addColumn<bool>("videe");
    QTest::addColumn<QStringList>("trouve");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("filled again with its first line") << false << QStringList{"1"} << QStringList{};
    QTest::newRow("emptied") << true << QStringList{} << QStringList{"Pas de QSO trouvé"};
}

void TestFenetreRecherche::rechercheLitLaListeDerniereRemplie()
{
    QFETCH(bool, videe);
    QFETCH(QStringList, trouve);
    QFETCH(QStringList, messages);

    Recherche_Indicatif f(services(), *m_liste);
    f.show();
    QTest::mouseClick(f.Indica, Qt::LeftButton);
    QTest::keyClicks(f.Indica, "fx");
    QTest::keyClick(f.Indica, Qt::Key_Return);
    QCOMPARE(numeros(f), (QStringList{"1", "2", "4", "6"}));

    if (videe)
        m_liste->videListe();
    else
        m_liste->remplitListe(Affichage::Journal::depuisLignesLog(journalLog().mid(0, 1)));
    m_messages.vide();
    QTest::keyClicks(f.Indica, "fx");
    QTest::keyClick(f.Indica, Qt::Key_Return);
    QCOMPARE(m_messages.textes(), messages);
    QCOMPARE(numeros(f), trouve);
}

QTEST_MAIN(TestFenetreRecherche)
#include "tst_fenetrerecherche.moc"

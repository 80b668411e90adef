#include "SearchFixtures.h"

#include "search/Recherche.h"

#include <QTest>

using Recherche::Cle;
using namespace SearchFixtures;

Q_DECLARE_METATYPE(Recherche::Cle)

class TestRecherche : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void search_data();
    void search();
    void resultLine();
    void backToTheList_data();
    void backToTheList();
    void crlfIsTakenOff();
};

void TestRecherche::search_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<Cle>("cle");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("numeros");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("videBoites");

    const QStringList j = journal();
    const QStringList aucun;
    const QString pasTrouve = QStringLiteral("Pas de QSO trouvé");

    QTest::newRow("callsign holds FX anywhere")
        << j << Cle::Indicatif << "FX" << QStringList{"1", "2", "4", "6"} << "" << true;
    QTest::newRow("callsign in lower case")
        << j << Cle::Indicatif << "fx1" << QStringList{"1"} << "" << true;
    QTest::newRow("whole callsign with its slash")
        << j << Cle::Indicatif << "F1FX/P" << QStringList{"6"} << "" << true;
    QTest::newRow("thirteen characters find nothing")
        << j << Cle::Indicatif << "FX1ABCFX1ABCF" << aucun << pasTrouve << true;
    QTest::newRow("callsign absent") << j << Cle::Indicatif << "K1" << aucun << pasTrouve << true;
    QTest::newRow("no callsign") << j << Cle::Indicatif << "" << aucun << "Entrez un indicatif"
                                 << false;

    QTest::newRow("reference") << j << Cle::Reference << "77122" << QStringList{"4"} << "" << true;
    QTest::newRow("reference in lower case")
        << j << Cle::Reference << "2a001" << QStringList{"2"} << "" << true;
    QTest::newRow("reference is not a piece")
        << j << Cle::Reference << "7712" << aucun << pasTrouve << true;
    QTest::newRow("no reference") << j << Cle::Reference << "" << aucun << "Entrez une référence"
                                  << false;

    QTest::newRow("department") << j << Cle::Departement << "77" << QStringList{"1", "4"} << ""
                                << true;
    QTest::newRow("department stored in lower case")
        << j << Cle::Departement << "2a" << QStringList{"2"} << "" << true;
    QTest::newRow("department keeps its case")
        << j << Cle::Departement << "2A" << aucun << pasTrouve << true;
    QTest::newRow("one-character department")
        << j << Cle::Departement << "7" << QStringList{"3"} << "" << true;
    QTest::newRow("one character is not the start of two")
        << j << Cle::Departement << "2" << aucun << pasTrouve << true;
    QTest::newRow("two characters with a blank")
        << j << Cle::Departement << "7 " << QStringList{"3"} << "" << true;
    QTest::newRow("no department")
        << j << Cle::Departement << "" << aucun << "Entrez un departement" << false;

    QTest::newRow("empty list, empty text")
        << aucun << Cle::Indicatif << "" << aucun << pasTrouve << true;
    QTest::newRow("empty list") << aucun << Cle::Departement << "77" << aucun << pasTrouve << true;
}

void TestRecherche::search()
{
    QFETCH(QStringList, lignes);
    QFETCH(Cle, cle);
    QFETCH(QString, texte);
    QFETCH(QStringList, numeros);
    QFETCH(QString, message);
    QFETCH(bool, videBoites);

    const Recherche::Resultat r = Recherche::Recherche_SP(cle, texte, lignes);
    QStringList trouves;
    for (const QString& l : r.lignes) {
        QCOMPARE(l.size(), Recherche::Longueur_Resultat);
        trouves.append(l.left(5).trimmed());
    }
    QCOMPARE(trouves, numeros);
    QCOMPARE(r.message, message);
    QCOMPARE(r.videBoites, videBoites);
    // The callsign box is emptied whenever the search ends, and when it had
    // no text.
    QCOMPARE(r.videIndica, videBoites || cle == Cle::Indicatif);
}

void TestRecherche::resultLine()
{
    const QString affichage =
        Affichage::Ligne_Affichage(1234, qso("F1ABC", "77", "77121", "MOULIN DE LA TOUR", true));
    const QString attendu = QStringLiteral(
        " 1234  F1ABC         77   05/06/09  14 Mhz    77121  MOULIN DE LA TOUR               *");
    QCOMPARE(Recherche::Ligne_Resultat(affichage), attendu);
    QCOMPARE(attendu.size(), 86);
    QCOMPARE(Recherche::Entete.size(), 104);
}

void TestRecherche::backToTheList_data()
{
    QTest::addColumn<QString>("resultat");
    QTest::addColumn<int>("index");
    const QStringList j = journal();
    QTest::newRow("first") << Recherche::Ligne_Resultat(j.at(0)) << 0;
    QTest::newRow("last") << Recherche::Ligne_Resultat(j.at(5)) << 5;
    QTest::newRow("number not in the list") << QStringLiteral("   99  F1ABC") << -1;
    QTest::newRow("nothing") << QString() << -1;
}

void TestRecherche::backToTheList()
{
    QFETCH(QString, resultat);
    QFETCH(int, index);
    QCOMPARE(Recherche::Ligne_Du_Resultat(resultat, journal()), index);
}

void TestRecherche::crlfIsTakenOff()
{
    QCOMPARE(Recherche::Sans_CRLF("\r\nFX"), QStringLiteral("FX"));
    QCOMPARE(Recherche::Sans_CRLF("FX\r\n"), QStringLiteral("FX\r\n"));
    QCOMPARE(Recherche::Sans_CRLF("\nFX"), QStringLiteral("\nFX"));
}

QTEST_GUILESS_MAIN(TestRecherche)
#include "tst_recherche.moc"

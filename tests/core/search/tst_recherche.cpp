#include "support/JeuxEssaiRecherche.h"

#include "core/search/ModeleRecherche.h"
#include "core/search/Recherche.h"
#include "support/BoiteMessageScriptee.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Recherche::Cle;
using namespace JeuxEssaiRecherche;

Q_DECLARE_METATYPE(Recherche::Cle)

class TestRecherche : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rechercheLignes_data();
    void rechercheLignes();
    void entreeDansUneBoite_data();
    void entreeDansUneBoite();
    void ligneDeResultat();
    void retourALaListe_data();
    void retourALaListe();
    void crlfRetire();
};

void TestRecherche::rechercheLignes_data()
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

void TestRecherche::rechercheLignes()
{
    QFETCH(QStringList, lignes);
    QFETCH(Cle, cle);
    QFETCH(QString, texte);
    QFETCH(QStringList, numeros);
    QFETCH(QString, message);
    QFETCH(bool, videBoites);

    const Recherche::Resultat r = Recherche::Recherche_SP(cle, texte, lignes);
    // The same search over the log file gives the same result.
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
    QFile log(chemin);
    QVERIFY(log.open(QIODevice::WriteOnly));
    if (lignes == journal())
        log.write(journalLog().join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    log.close();
    Affichage::Journal lu;
    QVERIFY(Affichage::Journal::litFichier(chemin, &lu).estOk());
    QCOMPARE(lu.versListe(), lignes);
    const Recherche::Resultat parFichier = Recherche::Recherche_SP(cle, texte, lu);
    QCOMPARE(parFichier.lignes, r.lignes);
    QCOMPARE(parFichier.message, r.message);
    QCOMPARE(parFichier.videIndica, r.videIndica);
    QCOMPARE(parFichier.videBoites, r.videBoites);

    QStringList trouves;
    for (const QString& l : r.lignes) {
        QCOMPARE(l.size(), Recherche::longueurResultat);
        trouves.append(l.left(5).trimmed());
    }
    QCOMPARE(trouves, numeros);
    QCOMPARE(r.message, message);
    QCOMPARE(r.videBoites, videBoites);
    // The callsign box is emptied whenever the search ends, and when it had
    // no text.
    QCOMPARE(r.videIndica, videBoites || cle == Cle::Indicatif);
}

// Enter in a box of the search window: the checks of that box, then the
// search with the key of the chosen option.
void TestRecherche::entreeDansUneBoite_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<Cle>("option");
    QTest::addColumn<Cle>("boite");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("messages");
    // The text of the box as each message is shown, then afterwards.
    QTest::addColumn<QStringList>("vus");
    QTest::addColumn<QString>("apres");
    QTest::addColumn<QStringList>("numeros");

    const QStringList j = journal();
    const QStringList aucun;
    const QString pasTrouve = QStringLiteral("Pas de QSO trouvé");
    const QString long12 = QStringLiteral("12 caracteres maxi pour l'indicatif");
    const QString ref5 = QStringLiteral("5 caracteres maxi pour la référence ex: 77121");

    QTest::newRow("callsign found") << j << Cle::Indicatif << Cle::Indicatif << "FX" << aucun
                                    << aucun << "" << QStringList{"1", "2", "4", "6"};
    QTest::newRow("callsign of 12 characters")
        << j << Cle::Indicatif << Cle::Indicatif << "FX1ABCFX1ABC" << QStringList{pasTrouve}
        << QStringList{"FX1ABCFX1ABC"} << "" << aucun;
    QTest::newRow("callsign of 13 characters: said, then searched")
        << j << Cle::Indicatif << Cle::Indicatif << "FX1ABCFX1ABCF"
        << QStringList{long12, pasTrouve} << QStringList{"FX1ABCFX1ABCF", "FX1ABCFX1ABCF"} << ""
        << aucun;
    QTest::newRow("no callsign") << j << Cle::Indicatif << Cle::Indicatif << ""
                                 << QStringList{"Entrez un indicatif"} << QStringList{""} << ""
                                 << aucun;
    QTest::newRow("reference") << j << Cle::Reference << Cle::Reference << "77121" << aucun << aucun
                               << "" << QStringList{"1"};
    QTest::newRow("reference of 4 characters")
        << j << Cle::Reference << Cle::Reference << "7712" << QStringList{ref5}
        << QStringList{"7712"} << "7712" << aucun;
    QTest::newRow("reference of 6 characters")
        << j << Cle::Reference << Cle::Reference << "771211" << QStringList{ref5}
        << QStringList{"771211"} << "771211" << aucun;
    QTest::newRow("no reference") << j << Cle::Reference << Cle::Reference << ""
                                  << QStringList{ref5} << QStringList{""} << "" << aucun;
    QTest::newRow("department in upper case") << j << Cle::Departement << Cle::Departement << "2A"
                                              << aucun << aucun << "" << QStringList{"2"};
    QTest::newRow("department too long, in lower case")
        << j << Cle::Departement << Cle::Departement << "2AB"
        << QStringList{"2 caracteres maxi pour le département"} << QStringList{"2ab"} << "2ab"
        << aucun;
    QTest::newRow("no department")
        << j << Cle::Departement << Cle::Departement << "" << QStringList{"Entrez un Canton"}
        << QStringList{""} << "" << aucun;
    QTest::newRow("department not found")
        << j << Cle::Departement << Cle::Departement << "13" << QStringList{pasTrouve}
        << QStringList{"13"} << "" << aucun;
    QTest::newRow("empty list") << aucun << Cle::Indicatif << Cle::Indicatif << "FX"
                                << QStringList{pasTrouve} << QStringList{"FX"} << "" << aucun;
    QTest::newRow("line break in the callsign")
        << j << Cle::Indicatif << Cle::Indicatif << "FX\r\n"
        << QStringList{"Le champ « Indicatif » contient un saut de ligne, qui ne peut pas être "
                       "enregistré : retirez-le."}
        << QStringList{"FX\r\n"} << "FX\r\n"
        << aucun;
    QTest::newRow("tab in the reference")
        << j << Cle::Reference << Cle::Reference << "77\t21"
        << QStringList{"Le champ « N° KZT » contient une tabulation, qui ne peut pas être "
                       "enregistré : retirez-le."}
        << QStringList{"77\t21"} << "77\t21" << aucun;
    // The checks are those of the box, the search that of the option.
    QTest::newRow("callsign box, department option")
        << j << Cle::Departement << Cle::Indicatif << "F8" << aucun << aucun << ""
        << QStringList{"1", "4"};
    QTest::newRow("short reference box, callsign option")
        << j << Cle::Indicatif << Cle::Reference << "771" << QStringList{ref5} << QStringList{"771"}
        << "771" << aucun;
}

void TestRecherche::entreeDansUneBoite()
{
    QFETCH(QStringList, lignes);
    QFETCH(Cle, option);
    QFETCH(Cle, boite);
    QFETCH(QString, texte);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, vus);
    QFETCH(QString, apres);
    QFETCH(QStringList, numeros);

    BoiteMessageScriptee boites;
    ModeleRecherche* modele = nullptr;
    QStringList vusReels;
    ModeleRecherche m(
        boites, [&] { return lignes; }, [&] { vusReels << modele->texte(boite); });
    modele = &m;
    // The option's box holds the text found in the department rows: "77".
    if (option != boite)
        m.changeTexte(option, QStringLiteral("77"));
    m.choisitCle(option);
    m.changeTexte(boite, texte);
    m.toucheEntree(boite);

    QCOMPARE(boites.textes(), messages);
    QCOMPARE(vusReels, vus);
    QCOMPARE(m.texte(boite), apres);
    QStringList trouves;
    for (const QString& l : m.resultats())
        trouves.append(l.left(5).trimmed());
    QCOMPARE(trouves, numeros);
    QCOMPARE(m.option(), option);
}

void TestRecherche::ligneDeResultat()
{
    const QString affichage = Affichage::ligneAffichage(
        1234, ligneQso("F1ABC", "77", "77121", "MOULIN DE LA TOUR", true));
    const QString attendu = QStringLiteral(
        " 1234  F1ABC         77   05/06/09  14 Mhz    77121  MOULIN DE LA TOUR               *");
    QCOMPARE(Recherche::ligneResultat(affichage), attendu);
    QCOMPARE(attendu.size(), 86);
    QCOMPARE(Recherche::enteteListe.size(), 104);

    // Each title over its own field, a blank between two titles; the titles
    // are the words of the header the window holds.
    const QString dessous[] = {
        "34", "F1ABC", "77", "05/06/09", "14 Mhz", "77121", "MOULIN DE LA TOUR", "  *"};
    int fin = 0;
    for (size_t i = 0; i < Recherche::titresResultats.size(); ++i) {
        const Affichage::Titre& t = Recherche::titresResultats[i];
        QVERIFY2(attendu.mid(t.colonne - 1).startsWith(dessous[i]), t.texte);
        QVERIFY2(t.colonne > fin + 1, t.texte);
        QVERIFY2(Recherche::enteteListe.contains(QString::fromUtf8(t.texte)), t.texte);
        fin = t.colonne + int(QString::fromUtf8(t.texte).size()) - 1;
    }
    QCOMPARE(fin, Recherche::longueurResultat);
}

void TestRecherche::retourALaListe_data()
{
    QTest::addColumn<QString>("resultat");
    QTest::addColumn<int>("index");
    const QStringList j = journal();
    QTest::newRow("first") << Recherche::ligneResultat(j.at(0)) << 0;
    QTest::newRow("last") << Recherche::ligneResultat(j.at(5)) << 5;
    QTest::newRow("number not in the list") << QStringLiteral("   99  F1ABC") << -1;
    QTest::newRow("nothing") << QString() << -1;
}

void TestRecherche::retourALaListe()
{
    QFETCH(QString, resultat);
    QFETCH(int, index);
    QCOMPARE(Recherche::ligneDuResultat(resultat, journal()), index);
    QCOMPARE(
        Recherche::ligneDuResultat(resultat, Affichage::Journal::depuisLignesLog(journalLog())),
        index);
}

void TestRecherche::crlfRetire()
{
    QCOMPARE(Recherche::sansCrLf("\r\nFX"), QStringLiteral("FX"));
    QCOMPARE(Recherche::sansCrLf("FX\r\n"), QStringLiteral("FX\r\n"));
    QCOMPARE(Recherche::sansCrLf("\nFX"), QStringLiteral("\nFX"));
}

QTEST_GUILESS_MAIN(TestRecherche)
#include "tst_recherche.moc"

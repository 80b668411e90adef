#include "OutilsTest.h"
#include "core/awards/MoulinsContactes.h"
#include "core/platform/Cp1252.h"
#include "support/JeuxEssaiDiplome.h"

#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiDiplome;

class TestListeMoulins : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listage_data();
    void listage();
    void dispositionLigne();
    void titresAuDessusDesColonnes_data();
    void titresAuDessusDesColonnes();
    void logManquant();
    void listeEnregistreeAttendue();
    void listeEnregistreeVide();
    void reenregistrerRemplace();
    void echecEnregistrementGardeAncienneListe();
    void lignesImprimeesAttendues();
    void nomDeFichier_data();
    void nomDeFichier();
};

namespace {

QString bande(const QString& b, bool qsl = false,
              const QString& referenceDonnee = QStringLiteral("77121"),
              const QString& date = QStringLiteral("05/06/09"))
{
    Q q;
    q.bande = b;
    q.qsl = qsl;
    q.reference = referenceDonnee;
    q.departement = referenceDonnee.left(2);
    q.date = date;
    return ligne(q);
}

// The reference of each listed line, in list order.
QStringList references(const QStringList& lignes)
{
    QStringList referencesDonnees;
    for (const QString& l : lignes)
        referencesDonnees << l.mid(1, 5);
    return referencesDonnees;
}

// Twelve QSOs over the groups, out of order, for the saved and printed lists.
QStringList journal()
{
    QStringList l;
    const char* references[] = {"91005", "02001", "77121", "29003", "77121", "13002",
                                "2a001", "45010", "59004", "67002", "33001", "85001"};
    int i = 0;
    for (const char* r : references) {
        Q q;
        q.reference = QString::fromLatin1(r);
        q.departement = q.reference.left(2);
        q.indicatif = QStringLiteral("F%1XYZ").arg(i);
        q.date = QStringLiteral("%1/03/10").arg(10 + i, 2, 10, QLatin1Char('0'));
        q.nom = QStringLiteral("MOULIN NUMÉRO %1").arg(i);
        q.qsl = i % 3 == 0;
        l << ligne(q);
        ++i;
    }
    l << bande(QStringLiteral("144 Mhz")) << bande(QStringLiteral("10 Mhz"), true);
    return l;
}

} // namespace

void TestListeMoulins::listage_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("groupe");
    QTest::addColumn<QStringList>("referencesDonnees");
    QTest::addColumn<int>("contactes");
    QTest::addColumn<int>("confirmes");

    const QStringList vhf = {bande("144 Mhz", false, "77121"), bande("144 Mhz", true, "45001")};
    QTest::newRow("144 only, HF") << vhf << "HF" << QStringList() << 0 << 0;
    QTest::newRow("144 only, VHF") << vhf << "VHF" << QStringList{"45001", "77121"} << 2 << 1;
    QTest::newRow("same windmill three times")
        << QStringList{bande("14 Mhz", false, "77121", "01/01/10"),
                       bande("7.0 Mhz", false, "2A001"), bande("50 Mhz", true, "77121", "03/01/10"),
                       bande("14 Mhz", false, "77121", "02/01/10"), bande("144 Mhz", true, "77121")}
        << "HF" << QStringList{"2A001", "77121", "77121", "77121"} << 4 << 1;
    QTest::newRow("18 in HF, 10 nowhere")
        << QStringList{bande("18 Mhz", true, "33001"), bande("10 Mhz", true, "44001")} << "HF"
        << QStringList{"33001"} << 1 << 1;
    for (const char* g : {"VHF", "UHF"}) {
        QTest::addRow("10 Mhz not in %s", g)
            << QStringList{bande("10 Mhz", true, "44001")} << g << QStringList() << 0 << 0;
    }
    QTest::newRow("432 only in UHF")
        << QStringList{bande("432 Mhz", true, "33001"), bande("144 Mhz", true, "44001")} << "UHF"
        << QStringList{"33001"} << 1 << 1;
    QTest::newRow("band of another case")
        << QStringList{bande("14 MHz", true, "33001")} << "HF" << QStringList() << 0 << 0;
    QTest::newRow("hand-shortened line") << QStringList{bande("14 Mhz", false, "33001").left(66)}
                                         << "HF" << QStringList{"33001"} << 1 << 0;
    QTest::newRow("empty log") << QStringList() << "HF" << QStringList() << 0 << 0;
}

void TestListeMoulins::listage()
{
    QFETCH(QStringList, log);
    QFETCH(QString, groupe);
    QFETCH(QStringList, referencesDonnees);
    QFETCH(int, contactes);
    QFETCH(int, confirmes);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("F1ABC_KZT.log");
    QVERIFY(ecrit(chemin, log));

    MoulinsContactes::Liste liste;
    QVERIFY(MoulinsContactes::construit(chemin, groupe, &liste).estOk());
    QCOMPARE(references(liste.lignes), referencesDonnees);
    QCOMPARE(liste.contactes, contactes);
    QCOMPARE(liste.confirmes, confirmes);
    for (const QString& l : liste.lignes)
        QCOMPARE(l.size(), MoulinsContactes::longueurLigne);
}

void TestListeMoulins::dispositionLigne()
{
    Q q;
    q.indicatif = QStringLiteral("F5ABC_P");
    q.reference = QStringLiteral("77121");
    q.nom = QStringLiteral("moulin de la tour");
    q.date = QStringLiteral("05/06/09");
    q.qsl = true;
    QCOMPARE(MoulinsContactes::ligneDeListe(ligne(q)),
             QStringLiteral(" 77121  MOULIN DE LA TOUR               05/06/09  F5ABC_P       *"));
    q.qsl = false;
    QVERIFY(MoulinsContactes::ligneDeListe(ligne(q)).endsWith(QStringLiteral("F5ABC_P        ")));
}

void TestListeMoulins::titresAuDessusDesColonnes_data()
{
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("dessous");
    // Under each title, the start of its field in a line of the list.
    QTest::newRow("Ref") << "Ref"
                         << "77121";
    QTest::newRow("Nom du Moulin") << "Nom du Moulin"
                                   << "MOULIN DE LA TOUR";
    QTest::newRow("Date") << "Date"
                          << "05/06/09";
    QTest::newRow("Indicatif") << "Indicatif"
                               << "F5ABC_P";
    QTest::newRow("QSL ends over the flag") << "QSL"
                                            << "  *";
}

void TestListeMoulins::titresAuDessusDesColonnes()
{
    QFETCH(QString, titre);
    QFETCH(QString, dessous);
    Q q;
    q.indicatif = QStringLiteral("F5ABC_P");
    q.reference = QStringLiteral("77121");
    q.nom = QStringLiteral("moulin de la tour");
    q.date = QStringLiteral("05/06/09");
    q.qsl = true;
    const QString l = MoulinsContactes::ligneDeListe(ligne(q));
    for (const Affichage::Titre& t : MoulinsContactes::titresListe) {
        if (QString::fromUtf8(t.texte) != titre)
            continue;
        QCOMPARE(l.mid(t.colonne - 1, dessous.size()), dessous);
        // The titles are the words of the header the window holds.
        QVERIFY(MoulinsContactes::enteteListe.contains(titre));
        return;
    }
    QFAIL("no such title");
}

void TestListeMoulins::logManquant()
{
    QTemporaryDir dossier;
    MoulinsContactes::Liste liste;
    liste.contactes = 7;
    const Statut s = MoulinsContactes::construit(dossier.filePath("F1ABC_KZT.log"), "HF", &liste);
    QCOMPARE(s.code, Statut::Absent);
    QVERIFY(!s.message.isEmpty());
    QCOMPARE(liste.contactes, 0);
    QVERIFY(liste.lignes.isEmpty());
}

void TestListeMoulins::listeEnregistreeAttendue()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("FXXXX_KZT.log");
    QVERIFY(ecrit(chemin, journal()));
    MoulinsContactes::Liste liste;
    QVERIFY(MoulinsContactes::construit(chemin, "HF", &liste).estOk());
    QCOMPARE(liste.lignes.size(), 12);

    QString nom;
    const Statut s = MoulinsContactes::enregistre(dossier.path(), "FXXXX", "HF", QDate(2026, 12, 6),
                                                  liste.lignes, &nom);
    QVERIFY2(s.estOk(), qPrintable(s.message));
    QCOMPARE(nom, QStringLiteral("FXXXX_Liste_Moulins_Bande_HF_06_12_26.txt"));
    const QByteArray ecrit = OutilsTest::litOctets(dossier.filePath(nom));
    QCOMPARE(texte(ecrit), texte(attenduGolden("saved_list_HF.txt")));
    QCOMPARE(ecrit, attenduGolden("saved_list_HF.txt"));
    QVERIFY(!QFile::exists(dossier.filePath("Temporaire.txt")));
}

void TestListeMoulins::listeEnregistreeVide()
{
    const QStringList lignes =
        MoulinsContactes::lignesFichier("FXXXX", "UHF", QDate(2026, 12, 6), {});
    QCOMPARE(lignes.size(), 6);
    QVERIFY(lignes.at(0).startsWith(QStringLiteral(" FXXXX Liste alphanumerique")));
    QVERIFY(lignes.at(0).endsWith(QStringLiteral("bande UHF au 06/12/2026")));
    QVERIFY(lignes.at(4).isEmpty());
    QVERIFY(lignes.at(5).startsWith(QString(24, QLatin1Char(' ')) + QStringLiteral("Liste")));
}

void TestListeMoulins::reenregistrerRemplace()
{
    QTemporaryDir dossier;
    QString nom;
    const QDate jour(2026, 12, 6);
    QVERIFY(MoulinsContactes::enregistre(dossier.path(), "FXXXX", "HF", jour,
                                         {MoulinsContactes::ligneDeListe(bande("14 Mhz"))}, &nom));
    const QByteArray premier = OutilsTest::litOctets(dossier.filePath(nom));
    QVERIFY(MoulinsContactes::enregistre(dossier.path(), "FXXXX", "HF", jour, {}, &nom));
    const QByteArray seconde = OutilsTest::litOctets(dossier.filePath(nom));
    QVERIFY(seconde.size() < premier.size());
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 1);
}

void TestListeMoulins::echecEnregistrementGardeAncienneListe()
{
    QTemporaryDir dossier;
    QString nom;
    const QDate jour(2026, 12, 6);
    QVERIFY(MoulinsContactes::enregistre(dossier.path(), "FXXXX", "HF", jour, {}, &nom));
    const QByteArray avant = OutilsTest::litOctets(dossier.filePath(nom));

    QStringList longue;
    for (int i = 0; i < 2000; ++i)
        longue << MoulinsContactes::ligneDeListe(bande("14 Mhz"));
    Statut s;
    {
        EXIGE_LIMITE_TAILLE();
        OutilsTest::LimiteTailleFichier disquePlein(4096);
        s = MoulinsContactes::enregistre(dossier.path(), "FXXXX", "HF", jour, longue, &nom);
    }
    QVERIFY(!s.estOk());
    QVERIFY2(
        s.message.startsWith(QStringLiteral("La liste n'a pas pu être enregistrée sous le "
                                            "nom : FXXXX_Liste_Moulins_Bande_HF_06_12_26.txt")),
        qPrintable(s.message));
    QCOMPARE(OutilsTest::litOctets(dossier.filePath(nom)), avant);
    QVERIFY(!QFile::exists(dossier.filePath("Temporaire.txt")));

    // A folder that is not there is reported, not written around.
    s = MoulinsContactes::enregistre(dossier.filePath("absent"), "FXXXX", "HF", jour, {}, &nom);
    QVERIFY(!s.estOk());
}

void TestListeMoulins::lignesImprimeesAttendues()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("FXXXX_KZT.log");
    QVERIFY(ecrit(chemin, journal()));
    MoulinsContactes::Liste liste;
    QVERIFY(MoulinsContactes::construit(chemin, "HF", &liste).estOk());
    const QStringList lignes =
        MoulinsContactes::lignesImpression("FXXXX", "HF", QDate(2026, 12, 6), liste.lignes);
    QByteArray octets;
    for (const QString& l : lignes) {
        QByteArray b;
        QVERIFY(Cp1252::encode1252(l, &b));
        octets += b + "\r\n";
    }
    QCOMPARE(texte(octets), texte(attenduGolden("printed_list_HF.txt")));
}

void TestListeMoulins::nomDeFichier_data()
{
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("groupe");
    QTest::addColumn<QDate>("jour");
    QTest::addColumn<QString>("nom");
    QTest::newRow("HF") << "FXXXX"
                        << "HF" << QDate(2026, 12, 6)
                        << "FXXXX_Liste_Moulins_Bande_HF_06_12_26.txt";
    QTest::newRow("portable UHF") << "F5ABC_P"
                                  << "UHF" << QDate(2031, 1, 31)
                                  << "F5ABC_P_Liste_Moulins_Bande_UHF_31_01_31.txt";
}

void TestListeMoulins::nomDeFichier()
{
    QFETCH(QString, indicatif);
    QFETCH(QString, groupe);
    QFETCH(QDate, jour);
    QFETCH(QString, nom);
    QCOMPARE(MoulinsContactes::nomFichier(indicatif, groupe, jour), nom);
}

QTEST_GUILESS_MAIN(TestListeMoulins)
#include "tst_listemoulins.moc"

#include "core/awards/CarteDepartements.h"
#include "support/JeuxEssaiDiplome.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace JeuxEssaiDiplome;
using namespace CarteDepartements;

Q_DECLARE_METATYPE(CarteDepartements::Etat)

class TestCarteDepartements : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boiteDepartement_data();
    void boiteDepartement();
    void coloriage_data();
    void coloriage();
    void logManquant();
    void boitesDeSaisie();
};

void TestCarteDepartements::boiteDepartement_data()
{
    QTest::addColumn<QByteArray>("departement");
    QTest::addColumn<int>("index");
    QTest::newRow("2a") << QByteArray("2a") << 96;
    QTest::newRow("2A") << QByteArray("2A") << 96;
    QTest::newRow("2b") << QByteArray("2b") << 97;
    QTest::newRow("2B") << QByteArray("2B") << 97;
    QTest::newRow("7") << QByteArray("7") << 7;
    QTest::newRow("07") << QByteArray("07") << 7;
    QTest::newRow("077") << QByteArray("077") << 77;
    QTest::newRow("95") << QByteArray("95") << 95;
    QTest::newRow("99") << QByteArray("99") << 99;
    QTest::newRow("96 is not 2A's box") << QByteArray("96") << -1;
    QTest::newRow("97 is not 2B's box") << QByteArray("97") << -1;
    QTest::newRow("00") << QByteArray("00") << 0;
    QTest::newRow("100") << QByteArray("100") << -1;
    QTest::newRow("7b") << QByteArray("7b") << -1;
    QTest::newRow("2c") << QByteArray("2c") << -1;
    QTest::newRow("letter first") << QByteArray("b7") << -1;
    QTest::newRow("blank inside") << QByteArray("7 7") << -1;
    QTest::newRow("sign") << QByteArray("-7") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestCarteDepartements::boiteDepartement()
{
    QFETCH(QByteArray, departement);
    QFETCH(int, index);
    QCOMPARE(caseDepartement(departement), index);
}

void TestCarteDepartements::coloriage_data()
{
    using Etats = std::map<int, Etat>;
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("groupe");
    QTest::addColumn<QVariant>("etats");     // boxes that are not yellow
    QTest::addColumn<QList<int>>("comptes"); // contacted, unconfirmed, confirmed, not contacted

    const auto v = [](const Etats& e) { return QVariant::fromValue(e); };
    const Etat R = Etat::Contacte;
    const Etat G = Etat::Confirme;

    QTest::newRow("empty log") << QStringList() << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("77 unconfirmed then confirmed")
        << QStringList{ligneQso("14 Mhz", "77"), ligneQso("14 Mhz", "77", true)} << "HF"
        << v({{77, G}}) << QList<int>{1, 0, 1, 95};
    QTest::newRow("77 confirmed then unconfirmed")
        << QStringList{ligneQso("14 Mhz", "77", true), ligneQso("7.0 Mhz", "77")} << "HF"
        << v({{77, G}}) << QList<int>{1, 0, 1, 95};
    const QStringList corse = {ligneQso("144 Mhz", "2A"), ligneQso("144 Mhz", "2b", true)};
    QTest::newRow("2A on 144, VHF")
        << corse << "VHF" << v({{96, R}, {97, G}}) << QList<int>{2, 1, 1, 94};
    QTest::newRow("2A on 144, HF") << corse << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("7 and 07 on one box")
        << QStringList{ligneQso("14 Mhz", "7"), ligneQso("18 Mhz", "07")} << "HF" << v({{7, R}})
        << QList<int>{1, 1, 0, 95};
    const QStringList uhf = {ligneQso("432 Mhz", "29", true), ligneQso("432 Mhz", "35")};
    QTest::newRow("432 only, HF") << uhf << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("432 only, UHF")
        << uhf << "UHF" << v({{29, G}, {35, R}}) << QList<int>{2, 1, 1, 94};
    QTest::newRow("hidden boxes counted, box 0 not")
        << QStringList{ligneQso("14 Mhz", "20"), ligneQso("14 Mhz", "98", true),
                       ligneQso("14 Mhz", "99"), ligneQso("14 Mhz", "00", true)}
        << "HF" << v({{20, R}, {98, G}, {99, R}, {0, G}}) << QList<int>{3, 2, 1, 93};
    QTest::newRow("96 and 97 beside Corsica")
        << QStringList{ligneQso("14 Mhz", "96", true), ligneQso("14 Mhz", "97"),
                       ligneQso("14 Mhz", "2a")}
        << "HF" << v({{96, R}}) << QList<int>{1, 1, 0, 95};
    QTest::newRow("codes of no department skipped")
        << QStringList{ligneQso("14 Mhz", "7b", true), ligneQso("14 Mhz", "A1"),
                       ligneQso("14 Mhz", ""), ligneQso("14 Mhz", "2c"),
                       ligneQso("14 Mhz", "12", true)}
        << "HF" << v({{12, G}}) << QList<int>{1, 0, 1, 95};
    QTest::newRow("10 Mhz in no group")
        << QStringList{ligneQso("10 Mhz", "77", true)} << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("group typed by hand")
        << QStringList{ligneQso("14 Mhz", "77", true)} << "hf" << v({}) << QList<int>{0, 0, 0, 96};
}

void TestCarteDepartements::coloriage()
{
    using Etats = std::map<int, Etat>;
    QFETCH(QStringList, log);
    QFETCH(QString, groupe);
    QFETCH(QVariant, etats);
    QFETCH(QList<int>, comptes);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("F1ABC_KZT.log");
    QVERIFY(ecrit(chemin, log));

    Carte carte;
    QVERIFY(Colorie_Carte(chemin, groupe, &carte).estOk());
    const Etats attendus = etats.value<Etats>();
    for (int i = 0; i < nombreCases; ++i) {
        const auto it = attendus.find(i);
        const Etat attendu = it == attendus.end() ? Etat::NonContacte : it->second;
        QVERIFY2(carte.cases[size_t(i)] == attendu, qPrintable(QStringLiteral("box %1").arg(i)));
    }
    QCOMPARE(
        (QList<int>{carte.contactes, carte.nonConfirmes, carte.confirmes, carte.nonContactes()}),
        comptes);
}

void TestCarteDepartements::logManquant()
{
    QTemporaryDir dossier;
    Carte carte;
    carte.cases[5] = Etat::Confirme;
    QCOMPARE(Colorie_Carte(dossier.filePath("F1ABC_KZT.log"), "HF", &carte).code, Statut::Absent);
    QCOMPARE(carte.cases[5], Etat::NonContacte);
    QCOMPARE(carte.nonContactes(), 96);
}

void TestCarteDepartements::boitesDeSaisie()
{
    int visibles = 0;
    for (int i = 0; i < nombreCases; ++i) {
        if (caseVisible(i))
            ++visibles;
        const QPoint p = positionCase(i);
        QVERIFY(p.x() >= 0 && p.x() + largeurCase <= 475);
        QVERIFY(p.y() >= 0 && p.y() + hauteurCase <= 510);
    }
    QCOMPARE(visibles, nombreDepartements);
    QCOMPARE(texteCase(1), QStringLiteral("01"));
    QCOMPARE(texteCase(95), QStringLiteral("95"));
    QCOMPARE(texteCase(96), QStringLiteral("2a"));
    QCOMPARE(texteCase(97), QStringLiteral("2b"));
    QCOMPARE(texteCase(0), QStringLiteral("00"));
    for (int cachee : {20, 98, 99}) {
        QCOMPARE(texteCase(cachee), QStringLiteral("X"));
        QVERIFY(!caseVisible(cachee));
    }
    QCOMPARE(positionCase(75), QPoint(24, 32));
    QCOMPARE(positionCase(97), QPoint(448, 448));
}

QTEST_GUILESS_MAIN(TestCarteDepartements)
#include "tst_cartedepartements.moc"

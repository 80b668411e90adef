#include "core/awards/CarteDepartements.h"
#include "support/AwardFixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace AwardFixtures;
using namespace CarteDepartements;

Q_DECLARE_METATYPE(CarteDepartements::Etat)

class TestDepartmentMap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void departmentBox_data();
    void departmentBox();
    void colouring_data();
    void colouring();
    void missingLog();
    void boxes();
};

void TestDepartmentMap::departmentBox_data()
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
    QTest::newRow("00") << QByteArray("00") << 0;
    QTest::newRow("100") << QByteArray("100") << -1;
    QTest::newRow("7b") << QByteArray("7b") << -1;
    QTest::newRow("2c") << QByteArray("2c") << -1;
    QTest::newRow("letter first") << QByteArray("b7") << -1;
    QTest::newRow("blank inside") << QByteArray("7 7") << -1;
    QTest::newRow("sign") << QByteArray("-7") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestDepartmentMap::departmentBox()
{
    QFETCH(QByteArray, departement);
    QFETCH(int, index);
    QCOMPARE(Case_Departement(departement), index);
}

void TestDepartmentMap::colouring_data()
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
        << QStringList{qso("14 Mhz", "77"), qso("14 Mhz", "77", true)} << "HF" << v({{77, G}})
        << QList<int>{1, 0, 1, 95};
    QTest::newRow("77 confirmed then unconfirmed")
        << QStringList{qso("14 Mhz", "77", true), qso("7.0 Mhz", "77")} << "HF" << v({{77, G}})
        << QList<int>{1, 0, 1, 95};
    const QStringList corse = {qso("144 Mhz", "2A"), qso("144 Mhz", "2b", true)};
    QTest::newRow("2A on 144, VHF")
        << corse << "VHF" << v({{96, R}, {97, G}}) << QList<int>{2, 1, 1, 94};
    QTest::newRow("2A on 144, HF") << corse << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("7 and 07 on one box") << QStringList{qso("14 Mhz", "7"), qso("18 Mhz", "07")}
                                         << "HF" << v({{7, R}}) << QList<int>{1, 1, 0, 95};
    const QStringList uhf = {qso("432 Mhz", "29", true), qso("432 Mhz", "35")};
    QTest::newRow("432 only, HF") << uhf << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("432 only, UHF")
        << uhf << "UHF" << v({{29, G}, {35, R}}) << QList<int>{2, 1, 1, 94};
    QTest::newRow("hidden boxes counted, box 0 not")
        << QStringList{qso("14 Mhz", "20"), qso("14 Mhz", "98", true), qso("14 Mhz", "99"),
                       qso("14 Mhz", "00", true)}
        << "HF" << v({{20, R}, {98, G}, {99, R}, {0, G}}) << QList<int>{3, 2, 1, 93};
    QTest::newRow("codes of no department skipped")
        << QStringList{qso("14 Mhz", "7b", true), qso("14 Mhz", "A1"), qso("14 Mhz", ""),
                       qso("14 Mhz", "2c"), qso("14 Mhz", "12", true)}
        << "HF" << v({{12, G}}) << QList<int>{1, 0, 1, 95};
    QTest::newRow("10 Mhz in no group")
        << QStringList{qso("10 Mhz", "77", true)} << "HF" << v({}) << QList<int>{0, 0, 0, 96};
    QTest::newRow("group typed by hand")
        << QStringList{qso("14 Mhz", "77", true)} << "hf" << v({}) << QList<int>{0, 0, 0, 96};
}

void TestDepartmentMap::colouring()
{
    using Etats = std::map<int, Etat>;
    QFETCH(QStringList, log);
    QFETCH(QString, groupe);
    QFETCH(QVariant, etats);
    QFETCH(QList<int>, comptes);
    QTemporaryDir dir;
    const QString chemin = dir.filePath("F1ABC_KZT.log");
    QVERIFY(ecrit(chemin, log));

    Carte carte;
    QVERIFY(Colorie_Carte(chemin, groupe, &carte).isOk());
    const Etats attendus = etats.value<Etats>();
    for (int i = 0; i < Nombre_Cases; ++i) {
        const auto it = attendus.find(i);
        const Etat attendu = it == attendus.end() ? Etat::Non_Contacte : it->second;
        QVERIFY2(carte.cases[size_t(i)] == attendu, qPrintable(QStringLiteral("box %1").arg(i)));
    }
    QCOMPARE(
        (QList<int>{carte.contactes, carte.non_confirmes, carte.confirmes, carte.non_contactes()}),
        comptes);
}

void TestDepartmentMap::missingLog()
{
    QTemporaryDir dir;
    Carte carte;
    carte.cases[5] = Etat::Confirme;
    QCOMPARE(Colorie_Carte(dir.filePath("F1ABC_KZT.log"), "HF", &carte).code, Status::Missing);
    QCOMPARE(carte.cases[5], Etat::Non_Contacte);
    QCOMPARE(carte.non_contactes(), 96);
}

void TestDepartmentMap::boxes()
{
    int visibles = 0;
    for (int i = 0; i < Nombre_Cases; ++i) {
        if (Case_Visible(i))
            ++visibles;
        const QPoint p = Position_Case(i);
        QVERIFY(p.x() >= 0 && p.x() + Largeur_Case <= 475);
        QVERIFY(p.y() >= 0 && p.y() + Hauteur_Case <= 510);
    }
    QCOMPARE(visibles, Nombre_Departements);
    QCOMPARE(Texte_Case(1), QStringLiteral("01"));
    QCOMPARE(Texte_Case(95), QStringLiteral("95"));
    QCOMPARE(Texte_Case(96), QStringLiteral("2a"));
    QCOMPARE(Texte_Case(97), QStringLiteral("2b"));
    QCOMPARE(Texte_Case(0), QStringLiteral("00"));
    for (int cachee : {20, 98, 99}) {
        QCOMPARE(Texte_Case(cachee), QStringLiteral("X"));
        QVERIFY(!Case_Visible(cachee));
    }
    QCOMPARE(Position_Case(75), QPoint(24, 32));
    QCOMPARE(Position_Case(97), QPoint(448, 448));
}

QTEST_GUILESS_MAIN(TestDepartmentMap)
#include "tst_departmentmap.moc"

#include "core/awards/Scores.h"
#include "support/AwardFixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace AwardFixtures;

class TestScores : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scores_data();
    void scores();
    void missingLog();
};

void TestScores::scores_data()
{
    QTest::addColumn<QStringList>("log");
    // HF contacted, confirmed, VHF..., UHF...
    QTest::addColumn<QList<int>>("attendus");
    QTest::newRow("empty") << QStringList() << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("1.8, 50 and 18")
        << QStringList{qso("1.8 Mhz", "77", true), qso("50 Mhz", "77"), qso("18 Mhz", "77", true)}
        << QList<int>{3, 2, 0, 0, 0, 0};
    QTest::newRow("10 Mhz with QSL")
        << QStringList{qso("10 Mhz", "77", true)} << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("one windmill three times on 144")
        << QStringList{qso("144 Mhz"), qso("144 Mhz", "77", true), qso("144 Mhz")}
        << QList<int>{0, 0, 3, 1, 0, 0};
    QTest::newRow("every group") << QStringList{qso("28 Mhz", "2A", true),
                                                qso("432 Mhz", "2B", true),
                                                qso("432 Mhz"),
                                                qso("144 Mhz"),
                                                qso("21 Mhz"),
                                                qso("14 MHz", "77", true)}
                                 << QList<int>{2, 1, 1, 0, 2, 1};
}

void TestScores::scores()
{
    QFETCH(QStringList, log);
    QFETCH(QList<int>, attendus);
    QTemporaryDir dir;
    const QString chemin = dir.filePath("F1ABC_KZT.log");
    QVERIFY(ecrit(chemin, log));
    Scores::Tableau s;
    QVERIFY(Scores::Calcule(chemin, &s).isOk());
    QCOMPARE((QList<int>{s.hf.contactes, s.hf.confirmes, s.vhf.contactes, s.vhf.confirmes,
                         s.uhf.contactes, s.uhf.confirmes}),
             attendus);
}

void TestScores::missingLog()
{
    QTemporaryDir dir;
    Scores::Tableau s;
    s.hf.contactes = 4;
    QCOMPARE(Scores::Calcule(dir.filePath("F1ABC_KZT.log"), &s).code, Status::Missing);
    QCOMPARE(s, Scores::Tableau());
}

QTEST_GUILESS_MAIN(TestScores)
#include "tst_scores.moc"

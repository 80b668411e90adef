#include "core/awards/Scores.h"
#include "support/JeuxEssaiDiplome.h"

#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiDiplome;

class TestScores : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoresCalcules_data();
    void scoresCalcules();
    void logManquant();
};

void TestScores::scoresCalcules_data()
{
    QTest::addColumn<QStringList>("log");
    // HF contacted, confirmed, VHF..., UHF...
    QTest::addColumn<QList<int>>("attendus");
    QTest::newRow("empty") << QStringList() << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("1.8, 50 and 18")
        << QStringList{ligneQso("1.8 Mhz", "77", true), ligneQso("50 Mhz", "77"),
                       ligneQso("18 Mhz", "77", true)}
        << QList<int>{3, 2, 0, 0, 0, 0};
    QTest::newRow("10 Mhz with QSL")
        << QStringList{ligneQso("10 Mhz", "77", true)} << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("one windmill three times on 144")
        << QStringList{ligneQso("144 Mhz"), ligneQso("144 Mhz", "77", true), ligneQso("144 Mhz")}
        << QList<int>{0, 0, 3, 1, 0, 0};
    QTest::newRow("every group") << QStringList{ligneQso("28 Mhz", "2A", true),
                                                ligneQso("432 Mhz", "2B", true),
                                                ligneQso("432 Mhz"),
                                                ligneQso("144 Mhz"),
                                                ligneQso("21 Mhz"),
                                                ligneQso("14 MHz", "77", true)}
                                 << QList<int>{2, 1, 1, 0, 2, 1};
}

void TestScores::scoresCalcules()
{
    QFETCH(QStringList, log);
    QFETCH(QList<int>, attendus);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("F1ABC_KZT.log");
    QVERIFY(ecrit(chemin, log));
    Scores::Tableau s;
    QVERIFY(Scores::calcule(chemin, &s).estOk());
    QCOMPARE((QList<int>{s.hf.contactes, s.hf.confirmes, s.vhf.contactes, s.vhf.confirmes,
                         s.uhf.contactes, s.uhf.confirmes}),
             attendus);
}

void TestScores::logManquant()
{
    QTemporaryDir dossier;
    Scores::Tableau s;
    s.hf.contactes = 4;
    QCOMPARE(Scores::calcule(dossier.filePath("F1ABC_KZT.log"), &s).code, Statut::Absent);
    QCOMPARE(s, Scores::Tableau());
}

QTEST_GUILESS_MAIN(TestScores)
#include "tst_scores.moc"

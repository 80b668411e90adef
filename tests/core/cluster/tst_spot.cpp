// The lines of a cluster node as the windmill hunt reads them: the spots in
// both forms, with their windmill reference and their status against a log.
#include "JeuxEssaiChasse.h"
#include "core/cluster/IndexMoulins.h"
#include "core/cluster/Spot.h"

#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiChasse;

class TestSpot : public BancLog {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ecritLog(); }

    void lignesDeSpot_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("spotteur");
        QTest::addColumn<QString>("khz");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("commentaire");
        QTest::addColumn<QString>("heure");
        QTest::addColumn<QString>("lieu");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<int>("rang"); // the spot's place among those of the line
        const QString deja14 = QStringLiteral("Déjà contacté le 01/02/08 sur 14 Mhz");
        const QString nouveau = QStringLiteral("Nouveau moulin");
        const QString departement = QStringLiteral("Nouveau département");
        const QString hors = QStringLiteral("Hors groupe");

        QTest::newRow("live, contacted in the group")
            << QByteArray("DX de F5ABC:     14250.0  F4XYZ        KZT 77121 Moulin Galette     "
                          "1359Z")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77121 Moulin Galette"
            << "1359Z"
            << ""
            << "77121"
            << "14 Mhz" << deja14 << 0;
        QTest::newRow("contacted: the first QSO of the file, not that band's")
            << QByteArray("DX de F5ABC:     21250.0  F4XYZ        KZT 77121                    "
                          "1400Z")
            << "F5ABC"
            << "21250.0"
            << "F4XYZ"
            << "KZT 77121"
            << "1400Z"
            << ""
            << "77121"
            << "21 Mhz" << deja14 << 0;
        QTest::newRow("long spotter against the frequency, grid after the time")
            << QByteArray("DX de DL1ABC-12:14250.0 F4XYZ KZT-77122 1359Z JN18") << "DL1ABC-12"
            << "14250.0"
            << "F4XYZ"
            << "KZT-77122"
            << "1359Z"
            << "JN18"
            << "77122"
            << "14 Mhz" << nouveau << 0;
        QTest::newRow("department contacted in another group only")
            << QByteArray("DX de F5ABC:      7012.0  F4AAA        kzt78001 cw                  "
                          "0812Z")
            << "F5ABC"
            << "7012.0"
            << "F4AAA"
            << "kzt78001 cw"
            << "0812Z"
            << ""
            << "78001"
            << "7.0 Mhz" << departement << 0;
        QTest::newRow("department contacted in that group")
            << QByteArray("DX de F5ABC:    144300.0  F4AAA        KZT 78001 FM                 "
                          "0812Z")
            << "F5ABC"
            << "144300.0"
            << "F4AAA"
            << "KZT 78001 FM"
            << "0812Z"
            << ""
            << "78001"
            << "144 Mhz" << nouveau << 0;
        QTest::newRow("10 MHz, in no group")
            << QByteArray("DX de F5ABC:     10120.0  F4AAA        KZT 77123                    "
                          "0812Z")
            << "F5ABC"
            << "10120.0"
            << "F4AAA"
            << "KZT 77123"
            << "0812Z"
            << ""
            << "77123"
            << "10 Mhz" << hors << 0;
        QTest::newRow("a windmill contacted on 10 MHz counts for no group")
            << QByteArray("DX de F5ABC:     14120.0  F4AAA        KZT 59001                    "
                          "0812Z")
            << "F5ABC"
            << "14120.0"
            << "F4AAA"
            << "KZT 59001"
            << "0812Z"
            << ""
            << "59001"
            << "14 Mhz" << departement << 0;
        QTest::newRow("60 m, in no band of the log")
            << QByteArray("DX de F5ABC:      5357.0  F4AAA        KZT 77123                    "
                          "0812Z")
            << "F5ABC"
            << "5357.0"
            << "F4AAA"
            << "KZT 77123"
            << "0812Z"
            << ""
            << "77123"
            << "" << hors << 0;
        QTest::newRow("10 GHz, an eight-digit frequency")
            << QByteArray("DX de G4ABC:  10368000.0  G3XYZ        moulin 77-124                "
                          "0812Z IO91")
            << "G4ABC"
            << "10368000.0"
            << "G3XYZ"
            << "moulin 77-124"
            << "0812Z"
            << "IO91"
            << "77124"
            << "" << hors << 0;
        QTest::newRow("160 m, lowest band edge")
            << QByteArray("DX de F5ABC:      1810.0  F4AAA        KZT 77125                    "
                          "2359Z")
            << "F5ABC"
            << "1810.0"
            << "F4AAA"
            << "KZT 77125"
            << "2359Z"
            << ""
            << "77125"
            << "1.8 Mhz" << nouveau << 0;
        QTest::newRow("bells and colours")
            << QByteArray("\a\aDX de F5ABC:\x1b[1;33m    14250.0\x1b[0m  F4XYZ        KZT 2A003   "
                          "                 1359Z\a")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 2A003"
            << "1359Z"
            << ""
            << "2a003"
            << "14 Mhz" << departement << 0;
        QTest::newRow("Corsica contacted in UHF")
            << QByteArray("DX de F5ABC:    432200.0  F4XYZ        kzt 2a003                    "
                          "1359Z")
            << "F5ABC"
            << "432200.0"
            << "F4XYZ"
            << "kzt 2a003"
            << "1359Z"
            << ""
            << "2a003"
            << "432 Mhz"
            << "Déjà contacté le 07/08/10 sur 432 Mhz" << 0;
        QTest::newRow("no windmill")
            << QByteArray("DX de W3LPL:     14025.0  JA1ABC       up 2                         "
                          "  1359Z EU")
            << "W3LPL"
            << "14025.0"
            << "JA1ABC"
            << "up 2"
            << "1359Z"
            << "EU"
            << ""
            << "14 Mhz"
            << "" << 0;
        QTest::newRow("five digits without KZT or moulin")
            << QByteArray("DX de F5ABC:     14250.0  F4XYZ        QSY 77121 tnx                "
                          "1359Z")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "QSY 77121 tnx"
            << "1359Z"
            << ""
            << ""
            << "14 Mhz"
            << "" << 0;
        QTest::newRow("comment cut by the node against the time")
            << QByteArray(
                   "DX de F5ABC:     14250.0  F4XYZ        KZT 77126 Moulin de la Grande1359Z")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77126 Moulin de la Grande"
            << "1359Z"
            << ""
            << "77126"
            << "14 Mhz" << nouveau << 0;
        QTest::newRow("time written in the comment, then the spot's")
            << QByteArray("DX de F5ABC:     14250.0  F4XYZ        KZT 77127 QRT 1400Z          "
                          "1359Z")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77127 QRT 1400Z"
            << "1359Z"
            << ""
            << "77127"
            << "14 Mhz" << nouveau << 0;
        QTest::newRow("no time") << QByteArray("DX de F5ABC: 14250.0 F4XYZ KZT 77127") << "F5ABC"
                                 << "14250.0"
                                 << "F4XYZ"
                                 << "KZT 77127"
                                 << ""
                                 << ""
                                 << "77127"
                                 << "14 Mhz" << nouveau << 0;
        QTest::newRow("after a prompt left without a line end")
            << QByteArray("F4ABC de KZT-1  7-Dec-2026 1359Z dxspider >DX de F5ABC:  14250.0  "
                          "F4XYZ  KZT 77121  1359Z")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77121"
            << "1359Z"
            << ""
            << "77121"
            << "14 Mhz" << deja14 << 0;
        QTest::newRow("history")
            << QByteArray(
                   "14250.0  F4XYZ        7-Dec-2026 1359Z KZT 78001 moulin de Saint-Cyr <F5ABC>")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 78001 moulin de Saint-Cyr"
            << "1359Z"
            << ""
            << "78001"
            << "14 Mhz" << departement << 0;
        QTest::newRow("history, long spotter, portable call")
            << QByteArray("  7020.5  DL1ABC/P    07-Dec-2026 1352Z cq contest                   "
                          "<DL2XYZ-12>")
            << "DL2XYZ-12"
            << "7020.5"
            << "DL1ABC/P"
            << "cq contest"
            << "1352Z"
            << ""
            << ""
            << "7.0 Mhz"
            << "" << 0;
        QTest::newRow("history without a comment")
            << QByteArray("144300.0 F4XYZ 7-Dec-2026 0001Z <F5ABC>") << "F5ABC"
            << "144300.0"
            << "F4XYZ"
            << ""
            << "0001Z"
            << ""
            << ""
            << "144 Mhz"
            << "" << 0;
        QTest::newRow("long spotter without a colon")
            << QByteArray("DX de EI55WAW     7046.5  EI55WAW  ses rtty  1604Z") << "EI55WAW"
            << "7046.5"
            << "EI55WAW"
            << "ses rtty"
            << "1604Z"
            << ""
            << ""
            << "7.0 Mhz"
            << "" << 0;
        QTest::newRow("spotter without a colon, short")
            << QByteArray("DX de F5ABC 14250.0 F4XYZ KZT 77121 1359Z") << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77121"
            << "1359Z"
            << ""
            << "77121"
            << "14 Mhz" << deja14 << 0;
        const QByteArray colles = "7160.0 GB70RS 7-Dec-2026 1600Z KZT 77124 <2E0MNG> 50313.0 "
                                  "TZ1CE 7-Dec-2026 1558Z FT8 <GW7SMV>";
        QTest::newRow("two history spots glued, the first") << colles << "2E0MNG"
                                                            << "7160.0"
                                                            << "GB70RS"
                                                            << "KZT 77124"
                                                            << "1600Z"
                                                            << ""
                                                            << "77124"
                                                            << "7.0 Mhz" << nouveau << 0;
        QTest::newRow("two history spots glued, the second") << colles << "GW7SMV"
                                                             << "50313.0"
                                                             << "TZ1CE"
                                                             << "FT8"
                                                             << "1558Z"
                                                             << ""
                                                             << ""
                                                             << "50 Mhz"
                                                             << "" << 1;
        QTest::newRow("history after a prompt left without a line end")
            << QByteArray("F4ABC de KZT-1  7-Dec-2026 1359Z dxspider >14250.0  F4XYZ  "
                          "7-Dec-2026 1358Z KZT 77121 <F5ABC>")
            << "F5ABC"
            << "14250.0"
            << "F4XYZ"
            << "KZT 77121"
            << "1358Z"
            << ""
            << "77121"
            << "14 Mhz" << deja14 << 0;
        // A live spot after bytes that ended no line: bells, the tail of a
        // burst of garbage, another live spot.
        const QByteArray apresDesOctets = "\a\a\x87\x9b#q!x DX de F5ABC: 14250.0 F4XYZ KZT 77125 "
                                          "1359Z";
        QTest::newRow("live after the tail of some garbage") << apresDesOctets << "F5ABC"
                                                             << "14250.0"
                                                             << "F4XYZ"
                                                             << "KZT 77125"
                                                             << "1359Z"
                                                             << ""
                                                             << "77125"
                                                             << "14 Mhz" << nouveau << 0;
        QTest::newRow("live right after some text, grid at the end")
            << QByteArray("ok\aDX de F5ABC-2: 7012.0 F4XYZ KZT 78001 cw 1359Z JN18") << "F5ABC-2"
            << "7012.0"
            << "F4XYZ"
            << "KZT 78001 cw"
            << "1359Z"
            << "JN18"
            << "78001"
            << "7.0 Mhz" << departement << 0;
        const QByteArray directsColles = "DX de F5ABC: 14250.0 F4XYZ KZT 77125 0800ZDX de F5BBB: "
                                         "  144300.0 F4AAA KZT 78002 0801Z";
        QTest::newRow("two live spots glued, the first") << directsColles << "F5ABC"
                                                         << "14250.0"
                                                         << "F4XYZ"
                                                         << "KZT 77125"
                                                         << "0800Z"
                                                         << ""
                                                         << "77125"
                                                         << "14 Mhz" << nouveau << 0;
        QTest::newRow("two live spots glued, the second") << directsColles << "F5BBB"
                                                          << "144300.0"
                                                          << "F4AAA"
                                                          << "KZT 78002"
                                                          << "0801Z"
                                                          << ""
                                                          << "78002"
                                                          << "144 Mhz" << nouveau << 1;
    }

    void lignesDeSpot()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(QString, spotteur);
        QFETCH(QString, khz);
        QFETCH(QString, indicatif);
        QFETCH(QString, commentaire);
        QFETCH(QString, heure);
        QFETCH(QString, lieu);
        QFETCH(QString, reference);
        QFETCH(QString, bande);
        QFETCH(QString, etat);
        QFETCH(int, rang);
        // Each piece of the line read on its own, as the hunt reads them.
        const QByteArray propre = Spot::nettoie(ligne);
        QList<Spot> spots;
        for (const QByteArrayView morceau : Spot::morceaux(propre)) {
            if (const std::optional<Spot> lu = Spot::lit(morceau))
                spots.append(*lu);
            else // a prompt, bytes of garbage: never a spot left unread
                QVERIFY2(!Spot::texte(morceau).contains(QLatin1String("DX de")), morceau.data());
        }
        QVERIFY(rang < spots.size());
        const std::optional<Spot> s = spots.at(rang);
        QCOMPARE(s->spotteur, spotteur);
        QCOMPARE(s->texteKhz(), khz);
        QCOMPARE(s->indicatif, indicatif);
        QCOMPARE(s->commentaire, commentaire);
        QCOMPARE(s->heure, heure);
        QCOMPARE(s->lieu, lieu);
        QCOMPARE(s->reference, reference);
        const IndexMoulins::Marque m = m_index.marque(s->reference, s->hz);
        QCOMPARE(m.bande ? QString::fromUtf16(m.bande->libelle) : QString(), bande);
        QCOMPARE(m.texte, etat);
        // The status is never said by its colour alone.
        QCOMPARE(m.texte.isEmpty(), m.etat == IndexMoulins::Etat::SansMoulin);
    }
};

QTEST_GUILESS_MAIN(TestSpot)
#include "tst_spot.moc"

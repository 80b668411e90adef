// The lines of a cluster node as the windmill hunt reads them: the spots in
// both forms, their windmill reference and their status against a log, the
// other lines, the cutting of what the node sends into lines, and the list
// of the last spots with its alerts.
#include "core/cluster/DecoupeLignes.h"
#include "core/cluster/IndexMoulins.h"
#include "core/cluster/ReglagesCluster.h"
#include "core/cluster/Spot.h"
#include "core/cluster/TableauChasse.h"
#include "core/platform/StockReglages.h"
#include "support/HorlogeReglee.h"
#include "support/LignesQso.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

LogLine::Champs qso(const char* reference, const char* departement, const char* bande,
                    const char* date)
{
    LogLine::Champs c = LignesQso::ordinaire();
    c.reference = QString::fromLatin1(reference);
    c.departement = QString::fromLatin1(departement);
    c.bande = QString::fromLatin1(bande);
    c.date = QString::fromLatin1(date);
    return c;
}

// The log the statuses are read against: 77121 in HF (first on 14 MHz,
// then on 21 MHz), department 78 only in VHF, Corsica (2a) only in UHF, and
// 59001 on 10 MHz, which counts for no group.
QStringList lignesDuLog()
{
    return {LignesQso::ligne(qso("77121", "77", "14 Mhz", "01/02/08")),
            LignesQso::ligne(qso("77121", "77", "21 Mhz", "03/04/09")),
            LignesQso::ligne(qso("78005", "78", "144 Mhz", "05/06/09")),
            LignesQso::ligne(qso("2a003", "2a", "432 Mhz", "07/08/10")),
            LignesQso::ligne(qso("59001", "59", "10 Mhz", "09/10/11"))};
}

bool ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

} // namespace

class TestSpot : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString m_log;
    IndexMoulins m_index;

private Q_SLOTS:
    void initTestCase()
    {
        m_log = m_dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
        QVERIFY(ecrit(m_log, LignesQso::fichier(lignesDuLog())));
        QVERIFY(m_index.construit(m_log).estOk());
    }

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
            else
                QVERIFY2(Spot::texte(morceau).contains(QLatin1String("dxspider >")),
                         morceau.data());
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

    void autresLignes_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::newRow("announcement with a windmill")
            << QByteArray("To ALL de F5ABC: moulin 77121 QRV ce soir sur 40m");
        QTest::newRow("announcement quoting a spot")
            << QByteArray("To ALL de F5ABC: DX de F4XYZ: 14250.0 F4AAA KZT 77121 1359Z");
        QTest::newRow("WWV") << QByteArray(
            "WWV de W0MU <18>:   SFI=150, A=8, K=2, No Storms -> No Storms");
        QTest::newRow("WCY") << QByteArray(
            "WCY de DK0WCY-1 <17> : K=2 expK=0 A=8 R=98 SFI=150 SA=qui GMF=qui Au=no");
        QTest::newRow("prompt") << QByteArray("F4ABC de KZT-1  7-Dec-2026 1359Z dxspider >");
        QTest::newRow("login") << QByteArray("login: ");
        QTest::newRow("greeting") << QByteArray("Hello F4ABC, this is KZT-1 in Paris");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("DX de alone") << QByteArray("DX de");
        QTest::newRow("no colon, no frequency") << QByteArray("DX de F5ABC F4XYZ KZT 77121 1359Z");
        QTest::newRow("frequency not a number") << QByteArray("DX de F5ABC: abc F4XYZ 1359Z");
        QTest::newRow("no callsign") << QByteArray("DX de F5ABC:  14250.0");
        QTest::newRow("frequency too low") << QByteArray("DX de F5ABC: 0.5 F4XYZ x 1359Z");
        QTest::newRow("frequency beyond 300 GHz")
            << QByteArray("DX de F5ABC: 300000001.0 F4XYZ x 1359Z");
        QTest::newRow("four decimals") << QByteArray("DX de F5ABC: 14250.0001 F4XYZ x 1359Z");
        QTest::newRow("callsign of signs") << QByteArray("DX de F5ABC: 14250.0 ----- x 1359Z");
        QTest::newRow("callsign of letters only") << QByteArray("DX de F5ABC: 14250.0 QRZ x 1359Z");
        QTest::newRow("history with a bad date")
            << QByteArray("14250.0  F4XYZ  7-Dec 1359Z KZT 77121 <F5ABC>");
        QTest::newRow("history with a bad time")
            << QByteArray("14250.0  F4XYZ  7-Dec-2026 2460Z KZT 77121 <F5ABC>");
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x01\x80 garbage \xc3\x28");
    }
    void autresLignes()
    {
        QFETCH(QByteArray, ligne);
        QVERIFY(!Spot::lit(Spot::nettoie(ligne)));
    }

    void references_data()
    {
        QTest::addColumn<QString>("commentaire");
        QTest::addColumn<QString>("reference");
        const auto ligne = [](const char* c, const char* r) {
            QTest::newRow(c) << QString::fromUtf8(c) << QString::fromLatin1(r);
        };
        // Every form of a reference.
        ligne("KZT 77121", "77121");
        ligne("KZT-77121", "77121");
        ligne("KZT77121", "77121");
        ligne("kzt 2a003", "2a003");
        ligne("Kzt-2A003", "2a003");
        ligne("KZT 2B003 moulin", "2b003");
        ligne("KZT 01001", "01001");
        ligne("KZT 95999", "95999");
        ligne("moulin 77-121", "77121");
        ligne("Moulin 77121", "77121");
        ligne("MOULINS 2A-003", "2a003");
        ligne("KZT ref 77-121", "77121");
        ligne("77121 kzt", "77121");
        ligne("QRV from 77121, KZT!", "77121");
        ligne("KZT  77121", "77121");
        ligne("KZT 2a-003", "2a003");
        ligne("Moulin à vent 77121 (KZT)", "77121");
        ligne("77122 moulin KZT 77121", "77121");
        ligne("KZT 77121.", "77121");
        // What looks like one and is not.
        ligne("77121", "");
        ligne("77-121", "");
        ligne("QSY 77121 tnx", "");
        ligne("KZT 20123", "");
        ligne("KZT 96123", "");
        ligne("KZT 98123", "");
        ligne("KZT 00123", "");
        ligne("KZT 2C003", "");
        ligne("KZT 7712", "");
        ligne("KZT 771212", "");
        ligne("KZT 77 121", "");
        ligne("KZT 77121A", "");
        ligne("KZTX 77121", "");
        ligne("AKZT 77121", "");
        ligne("F4KZT 77121", "");
        ligne("TM5KZT77121", "");
        ligne("remoulin 77121", "");
        ligne("moulin 14250.5", "");
        ligne("moulin 3.77121", "");
        ligne("moulin A77121", "");
        ligne("kzt 77121.5", "");
        ligne("", "");
    }
    void references()
    {
        QFETCH(QString, commentaire);
        QFETCH(QString, reference);
        QCOMPARE(Spot::referenceDans(commentaire), reference);
    }

    // The mode word of a comment, and the radio's mode of a spot: that
    // word, otherwise the band plan at its frequency.
    void modes_data()
    {
        QTest::addColumn<QString>("commentaire");
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("mode");  // the log's, from the word alone
        QTest::addColumn<QString>("radio"); // the radio's
        QTest::newRow("cw") << "KZT 77121 cw" << qint64(14250000) << "CW"
                            << "CW";
        QTest::newRow("USB") << "USB KZT 77121" << qint64(7100000) << "SSB"
                             << "USB";
        QTest::newRow("lsb") << "lsb up 5" << qint64(14250000) << "SSB"
                             << "LSB";
        QTest::newRow("SSB below 10 MHz") << "ssb" << qint64(3700000) << "SSB"
                                          << "LSB";
        QTest::newRow("FM") << "FM 145.500" << qint64(145500000) << "FM"
                            << "FM";
        QTest::newRow("first one") << "SSB/CW" << qint64(14250000) << "SSB"
                                   << "USB";
        QTest::newRow("FT8 on 40 m") << "ft8 -12dB" << qint64(7074000) << "SSB"
                                     << "USB";
        QTest::newRow("RTTY") << "ses rtty" << qint64(7046500) << "SSB"
                              << "USB";
        QTest::newRow("FT4") << "FT4" << qint64(14080000) << "SSB"
                             << "USB";
        QTest::newRow("in a word") << "CWT test" << qint64(14025000) << ""
                                   << "CW";
        QTest::newRow("none, CW segment") << "KZT 77121" << qint64(7012000) << ""
                                          << "CW";
        QTest::newRow("none, SSB on 40 m") << "KZT 77121" << qint64(7150000) << ""
                                           << "LSB";
        QTest::newRow("none, SSB on 20 m") << "KZT 77121" << qint64(14270000) << ""
                                           << "USB";
        QTest::newRow("none, CW edge of 20 m") << "" << qint64(14070000) << ""
                                               << "CW";
        QTest::newRow("none, 2 m SSB") << "" << qint64(144300000) << ""
                                       << "USB";
        QTest::newRow("none, 2 m FM") << "" << qint64(145500000) << ""
                                      << "FM";
        QTest::newRow("none, 70 cm FM") << "" << qint64(433500000) << ""
                                        << "FM";
        QTest::newRow("none, 70 cm CW") << "" << qint64(432050000) << ""
                                        << "CW";
        QTest::newRow("none, 70 cm SSB") << "" << qint64(432200000) << ""
                                         << "USB";
    }
    void modes()
    {
        QFETCH(QString, commentaire);
        QFETCH(qint64, hz);
        QFETCH(QString, mode);
        QFETCH(QString, radio);
        QCOMPARE(Spot::modeDans(commentaire), mode);
        QCOMPARE(Spot::modeRadioDans(commentaire, hz), radio);
        // A spot gives the log the mode the radio is tuned to.
        const std::optional<Spot> s = Spot::lit(QStringLiteral("DX de F5ABC: %1 F4XYZ %2 1359Z")
                                                    .arg(Spot::texteKhz(hz), commentaire)
                                                    .toUtf8());
        QVERIFY(s);
        QCOMPARE(s->modeRadio, radio);
        QCOMPARE(s->mode, radio.endsWith(QLatin1String("SB")) ? QStringLiteral("SSB") : radio);
    }

    void frequences_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<qint64>("hz"); // -1: refused
        QTest::newRow("whole kHz") << "14250" << qint64(14250000);
        QTest::newRow("one decimal") << "14250.0" << qint64(14250000);
        QTest::newRow("French") << "14 250,5" << qint64(14250500);
        QTest::newRow("Hz") << "7012.345" << qint64(7012345);
        QTest::newRow("10 GHz") << "10368000.0" << qint64(10368000000);
        QTest::newRow("longwave") << "136.0" << qint64(136000);
        QTest::newRow("MHz typed") << "14.25" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("letters") << "abc" << qint64(-1);
        QTest::newRow("sub-Hz") << "14250.0001" << qint64(-1);
        QTest::newRow("negative") << "-14250" << qint64(-1);
        QTest::newRow("exponent") << "1e4" << qint64(-1);
        QTest::newRow("two points") << "14.250.0" << qint64(-1);
        QTest::newRow("huge") << "99999999999999" << qint64(-1);
    }
    void frequences()
    {
        QFETCH(QString, texte);
        QFETCH(qint64, hz);
        qint64 lu = -1;
        const bool pris = Spot::frequenceKhz(texte, &lu);
        QCOMPARE(pris, hz >= 0);
        if (pris)
            QCOMPARE(lu, hz);
    }

    void nettoyage_data()
    {
        QTest::addColumn<QByteArray>("brut");
        QTest::addColumn<QByteArray>("propre");
        QTest::newRow("bells") << QByteArray("\a\aDX\a") << QByteArray("DX");
        QTest::newRow("colours") << QByteArray("\x1b[1;31mRED\x1b[0m!") << QByteArray("RED!");
        QTest::newRow("tab") << QByteArray("A\tB") << QByteArray("A B");
        QTest::newRow("telnet option")
            << QByteArray("\xff\xfb\x01login: ") << QByteArray("login: ");
        QTest::newRow("telnet negotiation")
            << QByteArray("\xff\xfa\x18\x01\xff\xf0ok") << QByteArray("ok");
        QTest::newRow("byte 255") << QByteArray("a\xff\xff") << QByteArray("a\xff");
        QTest::newRow("CR") << QByteArray("x\r") << QByteArray("x");
        QTest::newRow("escape at the end") << QByteArray("x\x1b") << QByteArray("x");
        QTest::newRow("escape unfinished") << QByteArray("x\x1b[12;") << QByteArray("x");
        QTest::newRow("NUL and DEL") << QByteArray("a\0b\x7f", 4) << QByteArray("ab");
        QTest::newRow("accents kept")
            << QByteArray("Moulin de l'\xc3\xa9tang") << QByteArray("Moulin de l'\xc3\xa9tang");
    }
    void nettoyage()
    {
        QFETCH(QByteArray, brut);
        QFETCH(QByteArray, propre);
        QCOMPARE(Spot::nettoie(brut), propre);
    }

    // What a node sends, in the pieces the socket gives.
    void decoupage_data()
    {
        QTest::addColumn<QList<QByteArray>>("morceaux");
        QTest::addColumn<QList<QByteArray>>("lignes");
        QTest::addColumn<QByteArray>("partiel");
        using L = QList<QByteArray>;
        QTest::newRow("CR LF") << L{"a\r\nb\r\n"} << L{"a", "b"} << QByteArray();
        QTest::newRow("LF") << L{"a\nb\n"} << L{"a", "b"} << QByteArray();
        QTest::newRow("empty lines") << L{"\r\n\n"} << L{"", ""} << QByteArray();
        QTest::newRow("split line") << L{"DX de F5A", "BC: 14250.0", " F4XYZ\r", "\nWWV"}
                                    << L{"DX de F5ABC: 14250.0 F4XYZ"} << QByteArray("WWV");
        QTest::newRow("bare CR") << L{"a\rb\r\rc"} << L{"a", "b", ""} << QByteArray("c");
        QTest::newRow("CR LF cut between two reads")
            << L{"a\r", "\nb\r", "", "\n"} << L{"a", "b"} << QByteArray();
        QTest::newRow("LF CR: two ends") << L{"a\n\rb\n"} << L{"a", "", "b"} << QByteArray();
        QTest::newRow("prompt without end") << L{"login: "} << L{} << QByteArray("login: ");
        QTest::newRow("longest line kept")
            << L{QByteArray(DecoupeLignes::longueurMax - 1, 'x') + "\r\n"}
            << L{QByteArray(DecoupeLignes::longueurMax - 1, 'x')} << QByteArray();
        QTest::newRow("10,000 bytes without end")
            << L{QByteArray(10000, 'x')} << L{} << QByteArray(DecoupeLignes::longueurMax, 'x');
        QTest::newRow("too long, dropped at its end")
            << L{QByteArray(10000, 'x'), QByteArray(10000, 'y'), "\r\nok\r\n"} << L{"ok"}
            << QByteArray();
    }
    void decoupage()
    {
        QFETCH(QList<QByteArray>, morceaux);
        QFETCH(QList<QByteArray>, lignes);
        QFETCH(QByteArray, partiel);
        DecoupeLignes d;
        QList<QByteArray> lues;
        for (const QByteArray& m : morceaux)
            d.ajoute(m, &lues);
        QCOMPARE(lues, lignes);
        QCOMPARE(d.partiel(), partiel);
    }

    // A node that never ends its line: what is kept stays bounded.
    void ligneSansFinBornee()
    {
        DecoupeLignes d;
        QList<QByteArray> lues;
        const QByteArray bloc(65536, 'z');
        for (int i = 0; i < 300; ++i) {
            d.ajoute(bloc, &lues);
            QVERIFY(d.partiel().size() <= DecoupeLignes::longueurMax);
        }
        QVERIFY(d.partiel().capacity() <= 4 * DecoupeLignes::longueurMax);
        d.ajoute("\nDX de F5ABC: 14250.0 F4XYZ KZT 77121 1359Z\n", &lues);
        QCOMPARE(lues.size(), 1);
        QCOMPARE(d.lignesTropLongues(), 1);
        QVERIFY(Spot::lit(lues.first()));
    }

    void indexDuLog()
    {
        QTemporaryDir dossier;
        IndexMoulins index;
        QCOMPARE(index.construit(dossier.filePath(QStringLiteral("absent.log"))).code,
                 Statut::Absent);
        QCOMPARE(index.marque(QStringLiteral("77121"), 14250000).etat,
                 IndexMoulins::Etat::NouveauDepartement);
        // A hand-edited department in capitals, a line cut short, a band
        // typed by hand: read as the award windows read them.
        const QString chemin = dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
        QByteArray octets =
            LignesQso::fichier({LignesQso::ligne(qso("2b001", "2B", "14 Mhz", "01/01/20"))});
        octets += "F1XYZ        33   PAUL            33001\r\n";
        octets += LignesQso::fichier({LignesQso::ligne(qso("64001", "64", "14 MHZ", "01/01/20"))});
        QVERIFY(ecrit(chemin, octets));
        QVERIFY(index.construit(chemin).estOk());
        QCOMPARE(index.nombreReferences(), 1);
        QCOMPARE(index.marque(QStringLiteral("2b002"), 14000000).etat,
                 IndexMoulins::Etat::NouveauMoulin);
        QCOMPARE(index.marque(QStringLiteral("2b001"), 28500000).texte,
                 QStringLiteral("Déjà contacté le 01/01/20 sur 14 Mhz"));
        QCOMPARE(index.marque(QStringLiteral("33001"), 14000000).etat,
                 IndexMoulins::Etat::NouveauDepartement);
        QCOMPARE(index.marque(QStringLiteral("64001"), 14000000).etat,
                 IndexMoulins::Etat::NouveauDepartement);
        QCOMPARE(index.marque(QString(), 14000000).etat, IndexMoulins::Etat::SansMoulin);
    }

    // The list keeps the last 500 spots, each one once.
    void derniersSpotsGardes()
    {
        HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
        TableauChasse chasse(horloge);
        QList<QByteArray> lignes;
        for (int i = 0; i < 600; ++i)
            lignes << QStringLiteral("DX de F5ABC: %1.0 F4X%2 up  1359Z")
                          .arg(14000 + i)
                          .arg(i)
                          .toLatin1();
        const TableauChasse::Reception r = chasse.recoit(lignes);
        QCOMPARE(r.spots, 600);
        QCOMPARE(qsizetype(chasse.lignes().size()), TableauChasse::spotsMax);
        QCOMPARE(chasse.lignes().front().spot.indicatif, QStringLiteral("F4X100"));
        QCOMPARE(chasse.lignes().front().numero, quint64(101));
        QCOMPARE(chasse.lignes().back().spot.indicatif, QStringLiteral("F4X599"));
        // A spot is found by its order of arrival, whatever left the list.
        QCOMPARE(chasse.ligneNumero(101)->spot.indicatif, QStringLiteral("F4X100"));
        QCOMPARE(chasse.ligneNumero(600)->spot.indicatif, QStringLiteral("F4X599"));
        QVERIFY(!chasse.ligneNumero(100));
        QVERIFY(!chasse.ligneNumero(601));

        // Sent again (a history after a new login): kept once.
        QCOMPARE(chasse.recoit({lignes.last(), lignes.at(550)}).spots, 0);
        // Gone from the list: it may come back.
        QCOMPARE(chasse.recoit({lignes.first()}).spots, 1);
        QCOMPARE(chasse.lignes().back().spot.indicatif, QStringLiteral("F4X0"));
        QCOMPARE(qsizetype(chasse.lignes().size()), TableauChasse::spotsMax);
    }

    // When a spot was made, and its age as the list shows it.
    void ages_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("maintenant"); // UTC, ISO
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("age");
        QTest::newRow("live, 3 min ago")
            << QByteArray("DX de F5ABC: 14250.0 F4XYZ x 1357Z") << "2026-12-07T14:00:30"
            << "2026-12-07T13:57:00"
            << "il y a 3 min";
        QTest::newRow("live, just now")
            << QByteArray("DX de F5ABC: 14250.0 F4XYZ x 1400Z") << "2026-12-07T14:00:30"
            << "2026-12-07T14:00:00"
            << "à l'instant";
        QTest::newRow("live, before midnight")
            << QByteArray("DX de F5ABC: 14250.0 F4XYZ x 2350Z") << "2026-12-08T00:10:00"
            << "2026-12-07T23:50:00"
            << "il y a 20 min";
        QTest::newRow("live, node's clock a little ahead")
            << QByteArray("DX de F5ABC: 14250.0 F4XYZ x 1402Z") << "2026-12-07T14:00:00"
            << "2026-12-07T14:02:00"
            << "à l'instant";
        QTest::newRow("history, its own date")
            << QByteArray("14250.0 F4XYZ 5-Dec-2026 0930Z x <F5ABC>") << "2026-12-07T14:00:00"
            << "2026-12-05T09:30:00"
            << "il y a 2 j";
        QTest::newRow("history, hours")
            << QByteArray("14250.0 F4XYZ 07-Dec-2026 1155Z <F5ABC>") << "2026-12-07T14:00:00"
            << "2026-12-07T11:55:00"
            << "il y a 2 h 05";
        QTest::newRow("no time") << QByteArray("DX de F5ABC: 14250.0 F4XYZ x")
                                 << "2026-12-07T14:00:00"
                                 << "2026-12-07T14:00:00"
                                 << "à l'instant";
    }
    void ages()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(QString, maintenant);
        QFETCH(QString, moment);
        QFETCH(QString, age);
        const auto utc = [](const QString& t) {
            QDateTime d = QDateTime::fromString(t, Qt::ISODate);
            d.setTimeSpec(Qt::UTC);
            return d;
        };
        HorlogeReglee horloge(utc(maintenant));
        TableauChasse chasse(horloge);
        QCOMPARE(chasse.recoit({ligne}).spots, 1);
        QCOMPARE(chasse.lignes().back().moment, utc(moment));
        QCOMPARE(TableauChasse::age(chasse.lignes().back().moment, utc(maintenant)), age);
    }

    void messagesDuNoeud()
    {
        HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
        TableauChasse chasse(horloge);
        QList<QByteArray> lignes = {"  Hello F4ABC  ", "", "   ",
                                    "DX de F5ABC: 14250.0 F4XYZ KZT 77121 1359Z"};
        for (int i = 0; i < 150; ++i)
            lignes << "WWV " + QByteArray::number(i);
        const TableauChasse::Reception r = chasse.recoit(lignes);
        QCOMPARE(r.spots, 1);
        QCOMPARE(r.messages.size(), TableauChasse::messagesMax);
        QCOMPARE(r.messages.first(), QStringLiteral("WWV 50"));
        QCOMPARE(r.messages.last(), QStringLiteral("WWV 149"));
        QCOMPARE(chasse.recoit({"  Hello F4ABC  "}).messages, QStringList{"Hello F4ABC"});
        // A line of garbage costs no more to show than a line of text.
        QCOMPARE(chasse.recoit({QByteArray(2000, 'g')}).messages.value(0).size(),
                 TableauChasse::longueurMessageMax);
    }

    // Each step: minutes since the start, the spot's line, the alerts due.
    void alertes_data()
    {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<QByteArray>>("lignes");
        QTest::addColumn<QList<int>>("alertes");
        using L = QList<QByteArray>;
        const QByteArray hf = "DX de F5ABC: 14250.0 F4XYZ KZT 77122 1359Z";
        const QByteArray hfAutre = "DX de F5XYZ: 21250.0 F4XYZ KZT 77122 1401Z";
        const QByteArray vhf = "DX de F5ABC: 144300.0 F4XYZ KZT 77122 1359Z";
        const QByteArray deja = "DX de F5ABC: 14250.0 F4XYZ KZT 77121 1359Z";
        const QByteArray dix = "DX de F5ABC: 10120.0 F4XYZ KZT 77122 1359Z";
        QTest::newRow("needed windmill") << QList<int>{0} << L{hf} << QList<int>{1};
        QTest::newRow("again within 30 min, other band of the group")
            << QList<int>{0, 29} << L{hf, hfAutre} << QList<int>{1, 0};
        QTest::newRow("again after 30 min")
            << QList<int>{0, 30} << L{hf, hfAutre} << QList<int>{1, 1};
        QTest::newRow("another group") << QList<int>{0, 1} << L{hf, vhf} << QList<int>{1, 1};
        QTest::newRow("contacted, or in no group")
            << QList<int>{0, 0} << L{deja, dix} << QList<int>{0, 0};
    }
    void alertes()
    {
        QFETCH(QList<int>, minutes);
        QFETCH(QList<QByteArray>, lignes);
        QFETCH(QList<int>, alertes);
        const QDateTime debut(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC);
        HorlogeReglee horloge(debut);
        TableauChasse chasse(horloge);
        chasse.changeLog(m_log);
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            horloge.changeUtc(debut.addSecs(minutes.at(i) * 60));
            QCOMPARE(chasse.recoit({lignes.at(i)}).alertes, alertes.at(i));
        }
    }

    // A node that floods the list with needed windmills: the last ones rung
    // for are remembered, the oldest forgotten beyond alertesMax.
    void alertesBornees()
    {
        HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
        TableauChasse chasse(horloge);
        const auto spot = [](int i) {
            return QStringLiteral("DX de F5ABC: 14250.0 F4XYZ KZT %1%2 1359Z")
                .arg(i / 1000 + 1, 2, 10, QLatin1Char('0'))
                .arg(i % 1000, 3, 10, QLatin1Char('0'))
                .toLatin1();
        };
        const int n = int(TableauChasse::alertesMax) + 1000;
        QList<QByteArray> lignes;
        for (int i = 0; i < n; ++i)
            lignes << spot(i);
        QCOMPARE(chasse.recoit(lignes).alertes, n);
        QCOMPARE(chasse.recoit({spot(n - 1).replace("F4XYZ", "F4AAA")}).alertes, 0);
        QCOMPARE(chasse.recoit({spot(0).replace("F4XYZ", "F4AAA")}).alertes, 1);
    }

    // A QSO saved, then deleted: the status of the listed spots follows.
    void etatSuitLeLog()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
        QVERIFY(ecrit(chemin, LignesQso::fichier(lignesDuLog())));
        HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
        TableauChasse chasse(horloge);
        QVERIFY(chasse.changeLog(chemin).estOk());
        chasse.recoit({"DX de F5ABC: 7012.0 F4AAA KZT 78001 1359Z",
                       "DX de F5ABC: 14250.0 F4XYZ KZT 77122 1359Z"});
        const auto etats = [&] {
            QStringList e;
            for (const TableauChasse::Ligne& l : chasse.lignes())
                e << l.marque.texte;
            return e;
        };
        QCOMPARE(etats(), (QStringList{"Nouveau département", "Nouveau moulin"}));

        QStringList avec = lignesDuLog();
        avec << LignesQso::ligne(qso("78001", "78", "7.0 Mhz", "07/12/26"));
        QVERIFY(ecrit(chemin, LignesQso::fichier(avec)));
        QVERIFY(chasse.changeLog(chemin).estOk());
        QCOMPARE(etats(), (QStringList{"Déjà contacté le 07/12/26 sur 7.0 Mhz", "Nouveau moulin"}));

        QVERIFY(ecrit(chemin, LignesQso::fichier(lignesDuLog().mid(2))));
        QVERIFY(chasse.changeLog(chemin).estOk());
        QCOMPARE(etats(), (QStringList{"Nouveau département", "Nouveau département"}));
    }

    void annonces_data()
    {
        QTest::addColumn<QString>("frequence");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("erreur"); // the start of the message
        QTest::newRow("typed") << "14250"
                               << "f4xyz"
                               << "77121"
                               << "DX 14250.0 F4XYZ KZT 77121"
                               << "";
        QTest::newRow("Corsica, from the radio") << "7012.3"
                                                 << "F4XYZ/P"
                                                 << "2a003"
                                                 << "DX 7012.3 F4XYZ/P KZT 2A003"
                                                 << "";
        QTest::newRow("no frequency") << ""
                                      << "F4XYZ"
                                      << "77121"
                                      << ""
                                      << "Indiquez la fréquence";
        QTest::newRow("frequency in MHz") << "14.25"
                                          << "F4XYZ"
                                          << "77121"
                                          << ""
                                          << "Indiquez la fréquence";
        QTest::newRow("no callsign") << "14250"
                                     << ""
                                     << "77121"
                                     << ""
                                     << "Le QSO en cours n'a pas d'indicatif";
        QTest::newRow("two words") << "14250"
                                   << "F4 XYZ"
                                   << "77121"
                                   << ""
                                   << "L'indicatif « F4 XYZ »";
        QTest::newRow("no reference") << "14250"
                                      << "F4XYZ"
                                      << ""
                                      << ""
                                      << "Le QSO en cours n'a pas de référence";
        QTest::newRow("department 20") << "14250"
                                       << "F4XYZ"
                                       << "20123"
                                       << ""
                                       << "Le QSO en cours n'a pas de référence";
    }
    void annonces()
    {
        QFETCH(QString, frequence);
        QFETCH(QString, indicatif);
        QFETCH(QString, reference);
        QFETCH(QString, ligne);
        QFETCH(QString, erreur);
        const TableauChasse::Annonce a = TableauChasse::annonce(frequence, indicatif, reference);
        QCOMPARE(a.ligne, ligne);
        QVERIFY2(erreur.isEmpty() ? a.erreur.isEmpty() : a.erreur.startsWith(erreur),
                 qPrintable(a.erreur));
        // What is announced is read back as a spot of that windmill.
        if (!ligne.isEmpty()) {
            const std::optional<Spot> s =
                Spot::lit(("DX de F1ABC: " + ligne.mid(3) + " 1400Z").toUtf8());
            QVERIFY(s);
            QCOMPARE(s->reference, reference.toLower());
        }
    }

    void reglages()
    {
        QTemporaryDir dossier;
        StockReglages stock(dossier.filePath(QStringLiteral("KZT.ini")));
        ReglagesCluster r = ReglagesCluster::lit(stock, QStringLiteral("F_P1ABC"));
        QCOMPARE(r.hote, QString());
        QCOMPARE(r.port, 7300);
        QCOMPARE(r.indicatif, QStringLiteral("F/P1ABC"));
        QCOMPARE(r.commandes, QStringLiteral("sh/dx 30"));
        QCOMPARE(r.listeCommandes(), QStringList{"sh/dx 30"});
        QVERIFY(!r.defaut().isEmpty());

        r.hote = QStringLiteral("dxc.example.org");
        r.port = 8000;
        r.indicatif = QStringLiteral("F4ABC");
        r.commandes = QStringLiteral(" sh/dx 30; set/page 0 ;; ");
        QVERIFY(r.defaut().isEmpty());
        QVERIFY(r.ecrit(stock).estOk());
        const ReglagesCluster relu = ReglagesCluster::lit(stock, QStringLiteral("F_P1ABC"));
        QCOMPARE(relu, r);
        QCOMPARE(relu.listeCommandes(), (QStringList{"sh/dx 30", "set/page 0"}));
        QCOMPARE(stock.lit(QStringLiteral("Cluster"), QStringLiteral("Port"), QString()),
                 QStringLiteral("8000"));

        stock.ecrit(QStringLiteral("Cluster"), QStringLiteral("Port"), QStringLiteral("x"));
        QCOMPARE(ReglagesCluster::lit(stock, QString()).port, 7300);
    }

    void reglagesRefuses_data()
    {
        QTest::addColumn<QString>("hote");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("commandes");
        QTest::newRow("no host") << "" << 7300 << "F4ABC"
                                 << "sh/dx 30";
        QTest::newRow("host with a blank") << "dxc example" << 7300 << "F4ABC"
                                           << "sh/dx 30";
        QTest::newRow("port 0") << "dxc" << 0 << "F4ABC"
                                << "sh/dx 30";
        QTest::newRow("port too high") << "dxc" << 70000 << "F4ABC"
                                       << "sh/dx 30";
        QTest::newRow("no callsign") << "dxc" << 7300 << ""
                                     << "sh/dx 30";
        QTest::newRow("callsign with a blank") << "dxc" << 7300 << "F4ABC x"
                                               << "sh/dx 30";
        QTest::newRow("callsign with a line end") << "dxc" << 7300 << "F4ABC\r\nbye"
                                                  << "";
        QTest::newRow("commands with a line end") << "dxc" << 7300 << "F4ABC"
                                                  << "sh/dx\nbye";
    }
    void reglagesRefuses()
    {
        QFETCH(QString, hote);
        QFETCH(int, port);
        QFETCH(QString, indicatif);
        QFETCH(QString, commandes);
        ReglagesCluster r;
        r.hote = hote;
        r.port = port;
        r.indicatif = indicatif;
        r.commandes = commandes;
        QVERIFY(!r.defaut().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSpot)
#include "tst_spot.moc"

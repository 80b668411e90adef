// What a spot's line is made of: the other lines of a node, the windmill
// reference and the mode of a comment, the frequencies, the cleaning of the
// bytes received and their cutting into lines.
#include "core/cluster/DecoupeLignes.h"
#include "core/cluster/Spot.h"

#include <QTemporaryDir>
#include <QTest>

class TestSpotCommentaire : public QObject {
    Q_OBJECT

private Q_SLOTS:

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
        // After other text, only a whole spot is one.
        QTest::newRow("text, then a spot without its time")
            << QByteArray("qrx DX de F5ABC: 14250.0 F4XYZ KZT 77121");
        QTest::newRow("text, then a spot in no band of the log")
            << QByteArray("qrx DX de F5ABC: 5357.0 F4XYZ KZT 77121 1359Z");
        QTest::newRow("text, then a spotter of signs")
            << QByteArray("qrx DX de ---: 14250.0 F4XYZ KZT 77121 1359Z");
        QTest::newRow("talk quoting a spot")
            << QByteArray("F4ABC de F5ABC: DX de F4XYZ: 14250.0 F4AAA KZT 77121 1359Z");
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
        QTest::newRow("FT8 on 40 m") << "ft8 -12dB" << qint64(7074000) << "FT8"
                                     << "PKTUSB";
        QTest::newRow("RTTY") << "ses rtty" << qint64(7046500) << "RTY"
                              << "PKTUSB";
        QTest::newRow("FT4") << "FT4" << qint64(14080000) << "FT4"
                             << "PKTUSB";
        QTest::newRow("PSK31") << "KZT 77125 psk31" << qint64(14070000) << "PSK"
                               << "PKTUSB";
        QTest::newRow("a data mode the log cannot hold")
            << "JT65 KZT 77125" << qint64(14076000) << "JT65"
            << "PKTUSB";
        QTest::newRow("KZT then FT8, SSB segment")
            << "KZT 77125 FT8 -10dB" << qint64(14074000) << "FT8"
            << "PKTUSB";
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
        QCOMPARE(s->mode, !mode.isEmpty()                       ? mode
                          : radio.endsWith(QLatin1String("SB")) ? QStringLiteral("SSB")
                                                                : radio);
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
};

QTEST_GUILESS_MAIN(TestSpotCommentaire)
#include "tst_spotcommentaire.moc"

// The list of the last spots of the windmill hunt: the index of the log,
// the ages, the node's messages, the alerts, the spot announced for a QSO,
// and the settings of the connection.
#include "JeuxEssaiChasse.h"
#include "core/cluster/IndexMoulins.h"
#include "core/cluster/ReglagesCluster.h"
#include "core/cluster/Spot.h"
#include "core/cluster/TableauChasse.h"
#include "core/platform/StockReglages.h"
#include "support/HorlogeReglee.h"

#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiChasse;

class TestTableauChasse : public BancLog {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ecritLog(); }

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
        // The modes seen, for the mode filter: the log's list first.
        chasse.recoit({"DX de F5ABC: 14074.0 F4AAA KZT 77125 FT8 -10dB 1400Z",
                       "DX de F5ABC: 7046.5 F4BBB rtty KZT 77126 1401Z",
                       "DX de F5ABC: 7012.0 F4CCC KZT 77127 1402Z",
                       "DX de F5ABC: 14076.0 F4DDD FT8 1403Z"});
        QCOMPARE(chasse.modesVus(), (QStringList{"SSB", "CW", "FT8", "RTY"}));
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

QTEST_GUILESS_MAIN(TestTableauChasse)
#include "tst_tableauchasse.moc"

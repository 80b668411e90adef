// The connection to a cluster node, against a node on loopback that speaks
// as real nodes do: the login at either prompt, the start commands, the
// spots as the node writes them, and the way back after a dropped
// connection, a node that went down and a node gone silent.
#include "core/cluster/ClientCluster.h"
#include "core/cluster/ConnexionCluster.h"
#include "core/cluster/TableauChasse.h"
#include "support/HorlogeReglee.h"
#include "support/NoeudCluster.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

namespace {

// Delays short enough for a test, in the same proportions.
ClientCluster::Delais delaisCourts()
{
    ClientCluster::Delais d;
    d.premier = 100;
    d.deuxieme = 300;
    d.suivants = 600;
    d.silence = 1500;
    d.connexion = 2000;
    d.invite = 500;
    return d;
}

ReglagesCluster reglagesDe(const NoeudCluster& noeud, const QString& commandes = "sh/dx 30")
{
    ReglagesCluster r;
    r.hote = QStringLiteral("127.0.0.1");
    r.port = noeud.port();
    r.indicatif = QStringLiteral("F4ABC");
    r.commandes = commandes;
    return r;
}

// Every line received by the client, in order.
struct Reception {
    explicit Reception(ClientCluster& client)
    {
        QObject::connect(&client, &ClientCluster::lignesRecues, [this](const QList<QByteArray>& l) {
            lignes += l;
            ++lectures;
        });
    }
    QList<QByteArray> lignes;
    int lectures = 0;
};

} // namespace

class TestClientCluster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void invites_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<bool>("identification");
        QTest::addColumn<bool>("commande");
        QTest::newRow("login") << QByteArray("login: ") << true << false;
        QTest::newRow("call") << QByteArray("Please enter your call: ") << true << false;
        QTest::newRow("callsign") << QByteArray("Please enter your callsign:") << true << false;
        QTest::newRow("DXSpider prompt")
            << QByteArray("F4ABC de KZT-1  7-Dec-2026 1359Z dxspider >") << false << true;
        QTest::newRow("history line")
            << QByteArray("14250.0 F4XYZ 7-Dec-2026 1359Z x <F5ABC>") << false << false;
        QTest::newRow("greeting") << QByteArray("Hello F4ABC, this is KZT-1") << false << false;
        QTest::newRow("empty") << QByteArray() << false << false;
    }
    void invites()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(bool, identification);
        QFETCH(bool, commande);
        QCOMPARE(ConnexionCluster::inviteIdentification(ligne), identification);
        QCOMPARE(ConnexionCluster::inviteCommande(ligne), commande);
    }

    // Both prompts, and a node that asks nothing: the callsign is given,
    // then the start commands once the node has greeted.
    void identification_data()
    {
        QTest::addColumn<int>("invite");
        QTest::newRow("login: ") << int(NoeudCluster::Invite::Login);
        QTest::newRow("Please enter your call: ") << int(NoeudCluster::Invite::Indicatif);
        QTest::newRow("no prompt") << int(NoeudCluster::Invite::Aucune);
    }
    void identification()
    {
        QFETCH(int, invite);
        NoeudCluster noeud{NoeudCluster::Invite(invite)};
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        Reception recus(client);
        QSignalSpy connexion(&client, &ClientCluster::connexionChange);
        QVERIFY(client.connecte(reglagesDe(noeud, "sh/dx 30; set/page 0 ;")).estOk());
        QVERIFY(client.estActif());
        QTRY_COMPARE_WITH_TIMEOUT(noeud.commandes().size(), 2, 5000);
        QCOMPARE(noeud.indicatifs(), QStringList{"F4ABC"});
        QCOMPARE(noeud.commandes(), (QStringList{"sh/dx 30", "set/page 0"}));
        QTRY_VERIFY(client.estConnecte());
        QCOMPARE(connexion.size(), 1);
        QCOMPARE(client.statut(),
                 QStringLiteral("Connecté au cluster 127.0.0.1:%1 sous l'indicatif F4ABC.")
                     .arg(noeud.port()));
        // The greeting and the history came; the prompts were answered, not shown.
        QTRY_VERIFY(recus.lignes.contains(noeud.historique.first()));
        QVERIFY(recus.lignes.contains("Hello F4ABC, this is KZT-1 in Paris"));
        for (const QByteArray& l : std::as_const(recus.lignes))
            QVERIFY2(!l.contains("login:") && !l.contains("your call"), l.constData());
        QCOMPARE(noeud.connexions(), 1);
    }

    // Spots written as nodes write them, one of them split over two writes.
    void spotsRecus()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        Reception recus(client);
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        QTRY_VERIFY(recus.lignes.contains(noeud.historique.last()));

        const QByteArray long_ = "DX de DL1ABC-12:14250.0 F4XYZ KZT-77122 1359Z JN18\r\n";
        const QByteArray cloches = "\a\aDX de F5ABC:\x1b[1;33m    7012.0\x1b[0m  F4AAA        kzt "
                                   "2a003 cw         0812Z\a\r\n";
        const QByteArray coupe =
            "DX de F5ABC:     14250.0  F4XYZ        KZT 77121 Moulin Galette     1359Z\n";
        noeud.envoie(long_ + cloches);
        noeud.envoieEnDeux(coupe, 30);
        noeud.envoie(QByteArray(10000, 'x'));
        noeud.envoie("\r\nWWV de W0MU <18>:   SFI=150, A=8, K=2\r\n");
        QTRY_VERIFY(recus.lignes.contains("WWV de W0MU <18>:   SFI=150, A=8, K=2"));

        HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
        TableauChasse chasse(horloge);
        chasse.recoit(recus.lignes);
        QStringList vus;
        for (const TableauChasse::Ligne& l : chasse.lignes())
            vus << l.spot.indicatif + QLatin1Char(' ') + l.spot.reference;
        QCOMPARE(vus, (QStringList{"F4XYZ 78001", "DL1ABC/P ", "F4XYZ 77122", "F4AAA 2a003",
                                   "F4XYZ 77121"}));
        // The line of 10,000 bytes is not among them, nor anything of it.
        for (const QByteArray& l : std::as_const(recus.lignes))
            QVERIFY(!l.contains("xxxxxxxxxx"));
    }

    // The connection drops: the client comes back after the first delay,
    // logs in again and sends its commands again.
    void reconnexionApresCoupure()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        QStringList statuts;
        connect(&client, &ClientCluster::statutChange, [&](const QString& s) { statuts << s; });
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        statuts.clear();
        noeud.coupe();
        QTRY_COMPARE_WITH_TIMEOUT(noeud.indicatifs().size(), 2, 5000);
        QCOMPARE(statuts.value(0),
                 QStringLiteral("Cluster 127.0.0.1:%1 : le cluster a fermé la connexion. Nouvel "
                                "essai dans 1 s.")
                     .arg(noeud.port()));
        QTRY_VERIFY(client.estConnecte());
        QCOMPARE(noeud.commandes(), (QStringList{"sh/dx 30", "sh/dx 30"}));
        QCOMPARE(noeud.connexions(), 2);
    }

    // The node goes down: refused connections, tried again after each
    // delay in turn; back up on the same port, the client logs in again.
    void noeudArreteEtRedemarre()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ClientCluster::Delais d = delaisCourts();
        d.premier = 200;
        d.deuxieme = 400;
        d.suivants = 800;
        ClientCluster client(d, nullptr);
        QStringList statuts;
        connect(&client, &ClientCluster::statutChange, [&](const QString& s) { statuts << s; });
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        noeud.arrete();
        QTRY_VERIFY_WITH_TIMEOUT(statuts.filter(QStringLiteral("Nouvel essai")).size() >= 4, 10000);
        const QStringList essais = statuts.filter(QStringLiteral("Nouvel essai"));
        // 0.2 s after the loss, 0.4 s after the first refusal, then 0.8 s.
        QVERIFY2(essais.at(0).endsWith(QStringLiteral("dans 1 s.")), qPrintable(essais.at(0)));
        QVERIFY2(essais.at(1).contains(QStringLiteral("connexion refusée")),
                 qPrintable(essais.at(1)));
        QVERIFY(!client.estConnecte());
        QVERIFY(noeud.demarre());
        QTRY_COMPARE_WITH_TIMEOUT(noeud.indicatifs(), QStringList{"F4ABC"}, 5000);
        QTRY_VERIFY(client.estConnecte());
    }

    // The link stays up but the node says nothing more: after the silence
    // delay the client takes the connection for lost and comes back.
    void reconnexionApresSilence()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        QStringList statuts;
        connect(&client, &ClientCluster::statutChange, [&](const QString& s) { statuts << s; });
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        statuts.clear();
        noeud.tait();
        QTRY_COMPARE_WITH_TIMEOUT(noeud.connexions(), 2, 5000);
        QCOMPARE(statuts.value(0),
                 QStringLiteral("Cluster 127.0.0.1:%1 : aucune donnée depuis 2 s. Nouvel essai "
                                "dans 1 s.")
                     .arg(noeud.port()));
        QTRY_VERIFY(client.estConnecte());
        QCOMPARE(noeud.indicatifs().size(), 2);
    }

    // The event loop of the windows never waits for the network, even
    // with a node that answers nothing at all.
    void rienNeBloque()
    {
        QTcpServer muet;
        QVERIFY(muet.listen(QHostAddress::LocalHost, 0));
        ClientCluster client(delaisCourts(), nullptr);
        ReglagesCluster r;
        r.hote = QStringLiteral("127.0.0.1");
        r.port = muet.serverPort();
        r.indicatif = QStringLiteral("F4ABC");
        QElapsedTimer total, depuis;
        qint64 pire = 0;
        QTimer battement;
        connect(&battement, &QTimer::timeout, [&] { pire = qMax(pire, depuis.restart()); });
        total.start();
        depuis.start();
        battement.start(10);
        QVERIFY(client.connecte(r).estOk());
        while (total.elapsed() < 1500)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QVERIFY2(pire < 200, qPrintable(QString::number(pire)));
        // The port took the connection, but no node spoke: not connected.
        QTRY_COMPARE(client.statut(),
                     QStringLiteral("Cluster 127.0.0.1:%1 : connexion établie, le cluster ne "
                                    "répond pas.")
                         .arg(muet.serverPort()));
        QVERIFY(!client.estConnecte());
    }

    // A node that says nothing until the callsign is given, then greets:
    // connected only once it spoke.
    void connecteQuandLeNoeudParle()
    {
        NoeudCluster noeud{NoeudCluster::Invite::Aucune};
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        QStringList statuts;
        connect(&client, &ClientCluster::statutChange, [&](const QString& s) { statuts << s; });
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        const QStringList avant = statuts.mid(0, statuts.size() - 1);
        QVERIFY2(avant.filter(QStringLiteral("Connecté")).isEmpty(), qPrintable(avant.join('|')));
        QCOMPARE(avant.value(1), QStringLiteral("Cluster 127.0.0.1:%1 : connexion établie, en "
                                                "attente de l'invite…")
                                     .arg(noeud.port()));
    }

    // A line sent is said sent once it left; a line given after the link
    // dropped is said lost, with the reason.
    void envoiTermine()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ConnexionCluster connexion(delaisCourts());
        QSignalSpy etats(&connexion, &ConnexionCluster::etat);
        QSignalSpy envois(&connexion, &ConnexionCluster::envoiTermine);
        connexion.connecte(reglagesDe(noeud));
        QTRY_VERIFY(!etats.isEmpty() && etats.last().at(0).toBool());
        connexion.envoie("DX 14250.0 F4XYZ KZT 77121");
        QTRY_COMPARE(envois.size(), 1);
        QCOMPARE(envois.at(0), (QVariantList{"DX 14250.0 F4XYZ KZT 77121", QString()}));
        QTRY_COMPARE(noeud.commandes().last(), QStringLiteral("DX 14250.0 F4XYZ KZT 77121"));

        noeud.coupe();
        QTRY_VERIFY(etats.last().at(1).toString().contains(QStringLiteral("Nouvel essai")));
        connexion.envoie("DX 14250.0 F4XYZ KZT 77122");
        QCOMPARE(envois.size(), 2);
        QCOMPARE(envois.at(1), (QVariantList{"DX 14250.0 F4XYZ KZT 77122",
                                             QStringLiteral("le cluster n'est pas connecté")}));
        connexion.arrete();
    }

    void envoi()
    {
        NoeudCluster noeud;
        QVERIFY(noeud.demarre());
        ClientCluster client(delaisCourts(), nullptr);
        QVERIFY(!client.envoie(QStringLiteral("DX 14250.0 F4XYZ KZT 77121")).estOk());
        QVERIFY(client.connecte(reglagesDe(noeud)).estOk());
        QTRY_VERIFY(client.estConnecte());
        QVERIFY(!client.envoie(QStringLiteral("DX 14250.0 F4XYZ\r\nbye")).estOk());
        QVERIFY(client.envoie(QStringLiteral("DX 14250.0 F4XYZ KZT 77121")).estOk());
        QTRY_COMPARE(noeud.commandes().size(), 2);
        QCOMPARE(noeud.commandes().last(), QStringLiteral("DX 14250.0 F4XYZ KZT 77121"));

        // Disconnected by the operator: no new try, however soon it would
        // come. A connection to a closed port after it is refused: by then
        // a try left behind would have reached the node.
        client.changeDelais({1, 1, 1, 1500, 2000, 500});
        client.deconnecte();
        QTRY_COMPARE(client.statut(), QStringLiteral("Déconnecté du cluster."));
        QVERIFY(!client.estConnecte());
        NoeudCluster ferme;
        QVERIFY(ferme.demarre());
        ReglagesCluster r = reglagesDe(ferme);
        ferme.arrete();
        QVERIFY(client.connecte(r).estOk());
        QTRY_VERIFY(client.statut().contains(QStringLiteral("connexion refusée")));
        QCOMPARE(noeud.connexions(), 1);
        client.deconnecte();
    }

    // The waits before a new try: 5 s, 15 s, then 60 s after each loss.
    void attentes_data()
    {
        QTest::addColumn<int>("echecs");
        QTest::addColumn<int>("attente");
        QTest::newRow("first loss") << 0 << 5000;
        QTest::newRow("second") << 1 << 15000;
        QTest::newRow("third") << 2 << 60000;
        QTest::newRow("tenth") << 9 << 60000;
    }
    void attentes()
    {
        QFETCH(int, echecs);
        QFETCH(int, attente);
        QCOMPARE(ClientCluster::Delais().attente(echecs), attente);
        // The client says the first one.
        if (echecs == 0) {
            QTcpServer ferme;
            QVERIFY(ferme.listen(QHostAddress::LocalHost, 0));
            ReglagesCluster r;
            r.hote = QStringLiteral("127.0.0.1");
            r.port = ferme.serverPort();
            r.indicatif = QStringLiteral("F4ABC");
            ferme.close();
            ClientCluster client;
            QVERIFY(client.connecte(r).estOk());
            QTRY_VERIFY(client.statut().endsWith(QStringLiteral("Nouvel essai dans 5 s.")));
        }
    }

    void reglagesRefuses()
    {
        ClientCluster client(delaisCourts(), nullptr);
        ReglagesCluster r;
        r.indicatif = QStringLiteral("F4ABC");
        const Statut s = client.connecte(r);
        QVERIFY(!s.estOk());
        QVERIFY(s.message.startsWith(QStringLiteral("Indiquez l'hôte")));
        QVERIFY(!client.estActif());
    }
};

QTEST_GUILESS_MAIN(TestClientCluster)
#include "tst_clientcluster.moc"

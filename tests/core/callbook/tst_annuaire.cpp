#include "core/callbook/Annuaire.h"
#include "core/callbook/ReponseAnnuaire.h"
#include "core/log/FirstNameMemory.h"
#include "support/AnnuaireBoucle.h"
#include "support/CertificatEssai.h"

#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTest>

using Genre = ReponseAnnuaire::Genre;
Q_DECLARE_METATYPE(Genre)

class TestAnnuaire : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each answer of the two services, and what is not their XML.
    void reponses_data()
    {
        using namespace Annuaires;
        QTest::addColumn<bool>("qrz");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<Genre>("genre");
        QTest::addColumn<QString>("prenom"); // as the log keeps it
        QTest::addColumn<QString>("session");
        const QString idHamQth = "09b0ae90050be03c452ad235a1f2915ad684393c";
        const QString cleQrz = "2331uf894c4bd29f3923f3bacf02c532d7bd9";
        QTest::newRow("HamQTH login") << false << hamQthSession << Genre::Session << "" << idHamQth;
        QTest::newRow("HamQTH record, nick")
            << false << hamQthFiche("OK7AN", "Petr", "Petr Hlozek") << Genre::Fiche << "PETR"
            << "";
        QTest::newRow("HamQTH record, no nick: first word of the name")
            << false << hamQthFiche("SP9XYZ", "", "Łukasz Kowalski") << Genre::Fiche << "LUKASZ"
            << "";
        QTest::newRow("HamQTH not found")
            << false << hamQthErreur("Callsign not found") << Genre::Introuvable << ""
            << "";
        QTest::newRow("HamQTH session expired")
            << false << hamQthErreur("Session does not exist or expired") << Genre::SessionExpiree
            << ""
            << "";
        QTest::newRow("HamQTH wrong password")
            << false << hamQthErreur("Wrong user name or password") << Genre::Refuse << ""
            << "";
        QTest::newRow("QRZ login") << true << qrzSession << Genre::Session << "" << cleQrz;
        QTest::newRow("QRZ record")
            << true << qrzFiche("AA7BQ", "FRED L") << Genre::Fiche << "FRED L" << cleQrz;
        QTest::newRow("QRZ not found")
            << true << qrzErreur("Not found: G1SRDD") << Genre::Introuvable << ""
            << "";
        QTest::newRow("QRZ session timeout")
            << true << qrzErreur("Session Timeout") << Genre::SessionExpiree << ""
            << "";
        QTest::newRow("QRZ invalid key")
            << true << qrzErreur("Invalid session key") << Genre::SessionExpiree << ""
            << "";
        QTest::newRow("QRZ wrong password")
            << true << qrzErreur("Username/password incorrect ") << Genre::Refuse << ""
            << "";
        QTest::newRow("QRZ other error")
            << true << qrzErreur("Connection refused") << Genre::Erreur << ""
            << "";
        QTest::newRow("HTML error page")
            << false << QByteArray("<html><body><h1>502 Bad Gateway</h1></body></html>")
            << Genre::Illisible << ""
            << "";
        QTest::newRow("cut short")
            << true << qrzFiche("AA7BQ", "FRED").left(200) << Genre::Illisible << ""
            << "";
        QTest::newRow("the other service's XML")
            << true << hamQthFiche("OK7AN", "Petr", "Petr Hlozek") << Genre::Illisible << ""
            << "";
        QTest::newRow("entities and CDATA in a name")
            << false << hamQthFiche("F5ABC", "Jean-Fran&#231;<![CDATA[ois]]>", "x") << Genre::Fiche
            << "JEAN-FRANÇOIS"
            << "";
    }
    void reponses()
    {
        QFETCH(bool, qrz);
        QFETCH(QByteArray, xml);
        QFETCH(Genre, genre);
        QFETCH(QString, prenom);
        QFETCH(QString, session);
        const ReponseAnnuaire r = qrz ? ReponseAnnuaire::qrz(xml) : ReponseAnnuaire::hamQth(xml);
        QCOMPARE(r.genre, genre);
        QCOMPARE(FirstNameMemory::prenomDe(r.prenom), prenom);
        QCOMPARE(r.session, session);
        if (genre == Genre::Introuvable || genre == Genre::Refuse || genre == Genre::Erreur)
            QVERIFY(!r.message.isEmpty());
    }

    // The settings that cannot be asked, and those that can.
    void reglages_data()
    {
        QTest::addColumn<int>("service");
        QTest::addColumn<QString>("utilisateur");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("defaut"); // empty: the service can be asked
        const int hamQth = int(ReglagesAnnuaire::Service::HamQth);
        QTest::newRow("none") << int(ReglagesAnnuaire::Service::Aucun) << "f4kzt"
                              << ""
                              << "aucun annuaire n'est choisi";
        QTest::newRow("no user name") << hamQth << ""
                                      << ""
                                      << "l'identifiant de HamQTH manque";
        QTest::newRow("the real service") << hamQth << "f4kzt"
                                          << ""
                                          << "";
        QTest::newRow("http on the loopback") << hamQth << "f4kzt"
                                              << "http://127.0.0.1:8080/x"
                                              << "";
        QTest::newRow("http elsewhere") << hamQth << "f4kzt"
                                        << "http://proxy.example.org/xml.php"
                                        << "n'est pas chiffrée (https)";
        QTest::newRow("not a web address") << hamQth << "f4kzt"
                                           << "file:///etc/passwd"
                                           << "n'est pas celle d'un service web";
    }
    void reglages()
    {
        QFETCH(int, service);
        QFETCH(QString, utilisateur);
        QFETCH(QString, adresse);
        QFETCH(QString, defaut);
        ReglagesAnnuaire r;
        r.service = ReglagesAnnuaire::Service(service);
        r.utilisateur = utilisateur;
        if (!adresse.isEmpty())
            r.adresseHamQth = adresse;
        QVERIFY2(defaut.isEmpty() ? r.defaut().isEmpty() : r.defaut().contains(defaut),
                 qPrintable(r.defaut()));
    }

    // A look-up through the loopback callbook: the name found, the answers of
    // the session kept, each fault said once, nothing more asked after a
    // refused password.
    void recherche_data()
    {
        QTest::addColumn<bool>("qrz");
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("prenom");  // found; empty: none
        QTest::addColumn<QString>("message"); // in the status line; empty: none
        QTest::addColumn<int>("connexions");
        QTest::newRow("HamQTH: logged in, then the name") << false << ""
                                                          << "OK7AN"
                                                          << "PETR"
                                                          << "" << 1;
        QTest::newRow("QRZ.com: the name") << true << ""
                                           << "AA7BQ"
                                           << "FRED L"
                                           << "" << 1;
        QTest::newRow("not found") << false << ""
                                   << "F9ZZZ"
                                   << ""
                                   << "" << 1;
        QTest::newRow("session expired: logged in again once") << true << "expiree"
                                                               << "AA7BQ"
                                                               << "FRED L"
                                                               << "" << 2;
        QTest::newRow("wrong password") << false << "refus"
                                        << "OK7AN"
                                        << ""
                                        << "Annuaire : identifiant ou mot de passe refusé" << 1;
        QTest::newRow("slow answer, dropped") << false << "lente"
                                              << "OK7AN"
                                              << ""
                                              << "Annuaire : pas de réponse à temps (HamQTH)" << 1;
        QTest::newRow("5 MB answer") << true << "enorme"
                                     << "AA7BQ"
                                     << ""
                                     << "Annuaire : réponse trop longue, refusée (QRZ.com)" << 1;
        QTest::newRow("HTML error page") << false << "illisible"
                                         << "OK7AN"
                                         << ""
                                         << "Annuaire : réponse illisible (HamQTH)" << 1;
        QTest::newRow("redirect to another host")
            << false << "redirection"
            << "OK7AN"
            << ""
            << "Annuaire : le service renvoie ailleurs : refusé (HamQTH)" << 1;
        QTest::newRow("certificate no authority signed")
            << false << "certificat"
            << "OK7AN"
            << ""
            << "Annuaire : certificat du service refusé (connexion non sûre) (HamQTH)" << 0;
        QTest::newRow("network down")
            << true << "coupe"
            << "AA7BQ"
            << ""
            << "Annuaire : service injoignable (réseau coupé ?) (QRZ.com)" << 0;
    }
    void recherche()
    {
        QFETCH(bool, qrz);
        QFETCH(QString, cas);
        QFETCH(QString, indicatif);
        QFETCH(QString, prenom);
        QFETCH(QString, message);
        QFETCH(int, connexions);
        AnnuaireBoucle boucle;
        ReglagesAnnuaire r;
        r.service = qrz ? ReglagesAnnuaire::Service::Qrz : ReglagesAnnuaire::Service::HamQth;
        r.utilisateur = boucle.utilisateur;
        r.adresseHamQth = boucle.hamQth();
        r.adresseQrz = boucle.qrz();
        if (cas == "coupe") {
            QTcpServer ferme;
            QVERIFY(ferme.listen(QHostAddress::LocalHost, 0));
            r.adresseQrz =
                QStringLiteral("http://127.0.0.1:%1/xml/current/").arg(ferme.serverPort());
        }
        // A server of https whose certificate no authority signed.
        QSslServer chiffre;
        if (cas == "certificat") {
#ifdef Q_OS_WIN
            QSKIP("the test's TLS server gets no handshake under Wine's schannel");
#endif
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            tls.setLocalCertificate(QSslCertificate(CertificatEssai::certificat));
            tls.setPrivateKey(QSslKey(CertificatEssai::cle, QSsl::Rsa));
            chiffre.setSslConfiguration(tls);
            QVERIFY(chiffre.listen(QHostAddress::LocalHost, 0));
            r.adresseHamQth =
                QStringLiteral("https://127.0.0.1:%1/xml.php").arg(chiffre.serverPort());
        }
        boucle.sessionExpiree = cas == "expiree";
        if (cas == "lente") {
            boucle.panne = AnnuaireBoucle::Panne::Lente;
            boucle.lenteurMs = 5000;
        }
        if (cas == "enorme")
            boucle.panne = AnnuaireBoucle::Panne::Enorme;
        if (cas == "illisible")
            boucle.panne = AnnuaireBoucle::Panne::Illisible;
        if (cas == "redirection")
            boucle.panne = AnnuaireBoucle::Panne::Redirection;
        Annuaire annuaire;
        annuaire.configure(r, cas == "refus" ? "faux" : boucle.motDePasse, 2000);
        QSignalSpy trouves(&annuaire, &Annuaire::prenomTrouve);
        QSignalSpy messages(&annuaire, &Annuaire::message);
        QSignalSpy reponses(&annuaire, &Annuaire::repondu);
        QVERIFY(annuaire.cherche(indicatif));
        QVERIFY(reponses.wait(10000));
        QCOMPARE(trouves.isEmpty() ? QString() : trouves.first().at(1).toString(), prenom);
        QCOMPARE(messages.isEmpty() ? QString() : messages.first().first().toString(), message);
        QCOMPARE(boucle.connexions, connexions);

        // Asked again: from the session's answers, or not at all after a
        // refusal; a fault is not said twice.
        const int demandes = boucle.connexions + boucle.recherches;
        const bool garde = cas.isEmpty() || cas == "expiree";
        QCOMPARE(annuaire.cherche(indicatif), cas != "refus");
        if (cas != "refus")
            QTRY_COMPARE_WITH_TIMEOUT(reponses.size(), 2, 10000);
        if (garde) {
            QCOMPARE(boucle.connexions + boucle.recherches, demandes);
            QCOMPARE(trouves.size(), prenom.isEmpty() ? 0 : 2);
        }
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestAnnuaire)
#include "tst_annuaire.moc"

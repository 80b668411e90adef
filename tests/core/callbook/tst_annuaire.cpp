#include "core/callbook/ReponseAnnuaire.h"
#include "core/log/FirstNameMemory.h"
#include "support/Annuaires.h"

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
};

QTEST_GUILESS_MAIN(TestAnnuaire)
#include "tst_annuaire.moc"

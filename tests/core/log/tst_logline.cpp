#include "Fixtures.h"
#include "core/log/DisplayLine.h"
#include "core/log/LogLine.h"

#include <QTest>

namespace {

LogLine::Champs exemple()
{
    LogLine::Champs c;
    c.indicatif = "F1ABC";
    c.departement = "77";
    c.prenom = "jean-loïc";
    c.reference = "77121";
    c.date = "05/06/09";
    c.heure = "14:05";
    c.mode = "CW";
    c.bande = "144 Mhz";
    c.rstRecu = "599";
    c.rstEnvoye = "57";
    c.nomMoulin = "  moulin de la galette  ";
    c.qsl = true;
    return c;
}

const QString kLigne = "F1ABC        77   JEAN-LOÏC       77121 05/06/09 14:05 CW  144 Mhz 599 57  "
                       "MOULIN DE LA GALETTE           *";

} // namespace

class TestLogLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formsTheStoredLine()
    {
        const LogLine::Formee f = LogLine::forme(exemple());
        QVERIFY2(f.ok(), qPrintable(f.erreur));
        QCOMPARE(f.ligne, kLigne);
        QCOMPARE(f.ligne.size(), 107);
        QCOMPARE(f.ligne.at(12), QLatin1Char(' '));
        QCOMPARE(LogLine::champ(f.ligne, LogLine::Departement), QStringLiteral("77  "));

        LogLine::Champs sansQsl = exemple();
        sansQsl.qsl = false;
        sansQsl.prenom.clear();
        const QString l = LogLine::forme(sansQsl).ligne;
        QCOMPARE(l.size(), 107);
        QCOMPARE(l.at(106), QLatin1Char(' '));
        QCOMPARE(LogLine::champ(l, LogLine::Prenom), QString(15, QLatin1Char(' ')));
    }

    void longWindmillNameIsCutTo30()
    {
        LogLine::Champs c = exemple();
        c.nomMoulin = " le grand moulin de la butte a l'ane";
        const QString l = LogLine::forme(c).ligne;
        QCOMPARE(LogLine::champ(l, LogLine::Nom_Moulin),
                 QStringLiteral("LE GRAND MOULIN DE LA BUTTE A "));
        QCOMPARE(l.size(), 107);
    }

    void refusesWhatCannotBeStored_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("named");
        QTest::newRow("mode of 4") << "mode"
                                   << "SSTV"
                                   << "le mode « SSTV » dépasse 3";
        QTest::newRow("callsign of 13") << "indicatif"
                                        << "F1ABCDEFGHIJK"
                                        << "l'indicatif";
        QTest::newRow("department of 5") << "departement"
                                         << "77777"
                                         << "le département";
        QTest::newRow("first name of 16") << "prenom"
                                          << "ABCDEFGHIJKLMNOP"
                                          << "le prénom";
        QTest::newRow("band of 8") << "bande"
                                   << "1296 Mhz"
                                   << "la bande";
        QTest::newRow("report of 4") << "rstRecu"
                                     << "5999"
                                     << "le report reçu";
        QTest::newRow("date of 9") << "date"
                                   << "05/06/200"
                                   << "la date";
        QTest::newRow("cyrillic name") << "nomMoulin"
                                       << "Мельница"
                                       << "U+041C";
        QTest::newRow("emoji first name") << "prenom"
                                          << "Jo😀"
                                          << "U+1F600";
    }
    void refusesWhatCannotBeStored()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, named);
        LogLine::Champs c = exemple();
        QHash<QString, QString*> fields = {
            {"mode", &c.mode},     {"indicatif", &c.indicatif}, {"departement", &c.departement},
            {"prenom", &c.prenom}, {"bande", &c.bande},         {"rstRecu", &c.rstRecu},
            {"date", &c.date},     {"nomMoulin", &c.nomMoulin}};
        *fields.value(field) = value;
        const LogLine::Formee f = LogLine::forme(c);
        QVERIFY(!f.ok());
        QVERIFY(f.ligne.isEmpty());
        QVERIFY2(f.erreur.contains(named), qPrintable(f.erreur));
    }

    void displayLineNumbersAndColumns_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("7") << 7 << "    7  F1ABC       ";
        QTest::newRow("1234") << 1234 << " 1234  F1ABC       ";
        QTest::newRow("12345") << 12345 << "12345  F1ABC       ";
        QTest::newRow("99999") << 99999 << "99999  F1ABC       ";
    }
    void displayLineNumbersAndColumns()
    {
        QFETCH(int, number);
        QFETCH(QString, prefix);
        const QString expected =
            prefix + "  77   JEAN-LOÏC       77121  05/06/09  14:05  CW   144 Mhz  599  57  "
                     "MOULIN DE LA GALETTE            *";
        QCOMPARE(Affichage::Ligne_Affichage(number, kLigne), expected);
        QCOMPARE(expected.size(), 122);
        const QByteArray bytes = kLigne.toLatin1(); // Latin-1 letters only
        QCOMPARE(Affichage::Ligne_Affichage(number, bytes.constData(), bytes.size()), expected);
    }

    void shortStoredLineStillLinesUp()
    {
        // An editor took the blanks off the end of the line.
        const QString court = kLigne.left(96); // up to "GALETTE"
        const QString affichage = Affichage::Ligne_Affichage(3, court);
        QCOMPARE(affichage.size(), 122);
        QCOMPARE(affichage, Affichage::Ligne_Affichage(3, kLigne).left(121) + " ");
    }

    void rebuildsTheStoredLine()
    {
        const QString affichage = Affichage::Ligne_Affichage(42, kLigne);
        QCOMPARE(Affichage::LogLine_Depuis_Affichage(affichage, false), kLigne);

        QString minuscules = kLigne;
        minuscules.replace("MOULIN DE LA GALETTE", "moulin de la galette");
        const QString aff = Affichage::Ligne_Affichage(1, minuscules);
        QCOMPARE(Affichage::LogLine_Depuis_Affichage(aff, false), minuscules);
        QCOMPARE(Affichage::LogLine_Depuis_Affichage(aff, true), kLigne);
    }

    void fieldsOfADisplayLine()
    {
        const LogLine::Champs c =
            Affichage::Champs_Depuis_Affichage(Affichage::Ligne_Affichage(5, kLigne));
        LogLine::Champs attendu = exemple();
        attendu.prenom = "JEAN-LOÏC";
        attendu.nomMoulin = "MOULIN DE LA GALETTE";
        QCOMPARE(c, attendu);
        QCOMPARE(Affichage::Champs_Depuis_Affichage(
                     Affichage::Ligne_Affichage(5, Fixtures::qso("F5XYZ")))
                     .qsl,
                 false);
    }
};

QTEST_GUILESS_MAIN(TestLogLine)
#include "tst_logline.moc"

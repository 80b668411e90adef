#include "JeuxEssai.h"
#include "core/log/Affichage.h"
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
    void formeLaLigneEnregistree()
    {
        const LogLine::Formee f = LogLine::forme(exemple());
        QVERIFY2(f.valide(), qPrintable(f.erreur));
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

    void nomDeMoulinLongCoupeA30()
    {
        LogLine::Champs c = exemple();
        c.nomMoulin = " le grand moulin de la butte a l'ane";
        const QString l = LogLine::forme(c).ligne;
        QCOMPARE(LogLine::champ(l, LogLine::Nom_Moulin),
                 QStringLiteral("LE GRAND MOULIN DE LA BUTTE A "));
        QCOMPARE(l.size(), 107);
    }

    void refuseCeQuiNePeutEtreEnregistre_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("nomme");
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
        // The field after "le caractère", with its article joined to "de".
        QTest::newRow("cyrillic in callsign") << "indicatif"
                                              << "FЖ1ABC"
                                              << "(U+0416) de l'indicatif ne peut pas";
        QTest::newRow("cyrillic in department") << "departement"
                                                << "7Ж"
                                                << "(U+0416) du département ne peut pas";
        QTest::newRow("cyrillic in first name") << "prenom"
                                                << "Жан"
                                                << "(U+0416) du prénom ne peut pas";
        QTest::newRow("cyrillic in reference") << "reference"
                                               << "77Ж21"
                                               << "(U+0416) de la référence du moulin ne peut pas";
        QTest::newRow("cyrillic in date") << "date"
                                          << "Ж5/06/09"
                                          << "(U+0416) de la date ne peut pas";
        QTest::newRow("cyrillic in time") << "heure"
                                          << "1Ж:05"
                                          << "(U+0416) de l'heure ne peut pas";
        QTest::newRow("cyrillic in mode") << "mode"
                                          << "CЖ"
                                          << "(U+0416) du mode ne peut pas";
        QTest::newRow("cyrillic in band") << "bande"
                                          << "14 Ж"
                                          << "(U+0416) de la bande ne peut pas";
        QTest::newRow("cyrillic in received report") << "rstRecu"
                                                     << "5Ж9"
                                                     << "(U+0416) du report reçu ne peut pas";
        QTest::newRow("cyrillic in sent report") << "rstEnvoye"
                                                 << "5Ж9"
                                                 << "(U+0416) du report envoyé ne peut pas";
        QTest::newRow("cyrillic in windmill name") << "nomMoulin"
                                                   << "Ж"
                                                   << "(U+0416) du nom du moulin ne peut pas";
    }
    void refuseCeQuiNePeutEtreEnregistre()
    {
        QFETCH(QString, champ);
        QFETCH(QString, valeur);
        QFETCH(QString, nomme);
        LogLine::Champs c = exemple();
        QHash<QString, QString*> champsLus = {{"mode", &c.mode},
                                              {"indicatif", &c.indicatif},
                                              {"departement", &c.departement},
                                              {"prenom", &c.prenom},
                                              {"bande", &c.bande},
                                              {"rstRecu", &c.rstRecu},
                                              {"date", &c.date},
                                              {"nomMoulin", &c.nomMoulin},
                                              {"heure", &c.heure},
                                              {"reference", &c.reference},
                                              {"rstEnvoye", &c.rstEnvoye}};
        *champsLus.value(champ) = valeur;
        const LogLine::Formee f = LogLine::forme(c);
        QVERIFY(!f.valide());
        QVERIFY(f.ligne.isEmpty());
        QVERIFY2(f.erreur.contains(nomme), qPrintable(f.erreur));
    }

    void ligneAfficheeNumerosEtColonnes_data()
    {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("7") << 7 << "    7  F1ABC       ";
        QTest::newRow("1234") << 1234 << " 1234  F1ABC       ";
        QTest::newRow("12345") << 12345 << "12345  F1ABC       ";
        QTest::newRow("99999") << 99999 << "99999  F1ABC       ";
    }
    void ligneAfficheeNumerosEtColonnes()
    {
        QFETCH(int, numero);
        QFETCH(QString, prefix);
        const QString attendu =
            prefix + "  77   JEAN-LOÏC       77121  05/06/09  14:05  CW   144 Mhz  599  57  "
                     "MOULIN DE LA GALETTE            *";
        QCOMPARE(Affichage::ligneAffichage(numero, kLigne), attendu);
        QCOMPARE(attendu.size(), 122);
        const QByteArray octets = kLigne.toLatin1(); // Latin-1 letters only
        QCOMPARE(Affichage::ligneAffichage(numero, octets.constData(), octets.size()), attendu);
    }

    void ligneCourteResteAlignee()
    {
        // An editor took the blanks off the end of the line.
        const QString court = kLigne.left(96); // up to "GALETTE"
        const QString affichage = Affichage::ligneAffichage(3, court);
        QCOMPARE(affichage.size(), 122);
        QCOMPARE(affichage, Affichage::ligneAffichage(3, kLigne).left(121) + " ");
    }

    void reconstruitLaLigneEnregistree()
    {
        const QString affichage = Affichage::ligneAffichage(42, kLigne);
        QCOMPARE(Affichage::logLineDepuisAffichage(affichage, false), kLigne);

        QString minuscules = kLigne;
        minuscules.replace("MOULIN DE LA GALETTE", "moulin de la galette");
        const QString aff = Affichage::ligneAffichage(1, minuscules);
        QCOMPARE(Affichage::logLineDepuisAffichage(aff, false), minuscules);
        QCOMPARE(Affichage::logLineDepuisAffichage(aff, true), kLigne);
    }

    // What a screen reader says of a line of the list.
    void ligneLisible_data()
    {
        QTest::addColumn<QString>("stocke");
        QTest::addColumn<QString>("said");
        QTest::newRow("every field") << kLigne
                                     << "QSO 5, F1ABC, département 77, JEAN-LOÏC, moulin 77121, le "
                                        "05/06/09, à 14:05, CW, 144 Mhz, RST reçu 599, RST envoyé "
                                        "57, MOULIN DE LA GALETTE, QSL reçue";
        QString sansOptions = kLigne;
        sansOptions.replace("JEAN-LOÏC", "         ")
            .replace("MOULIN DE LA GALETTE           *", QString(32, ' '));
        QTest::newRow("blank first name and windmill, no QSL")
            << sansOptions
            << "QSO 5, F1ABC, département 77, moulin 77121, le 05/06/09, à 14:05, CW, 144 Mhz, RST "
               "reçu 599, RST envoyé 57";
        QTest::newRow("hand-edited short line")
            << kLigne.left(48)
            << "QSO 5, F1ABC, département 77, JEAN-LOÏC, moulin 77121, le 05/06/09";
    }
    void ligneLisible()
    {
        QFETCH(QString, stocke);
        QFETCH(QString, said);
        QCOMPARE(Affichage::texteLisible(Affichage::ligneAffichage(5, stocke)), said);
    }

    // The titles over the list: each over its own field, none over another.
    void titlesOverTheirFields()
    {
        const QString affichage = Affichage::ligneAffichage(12345, kLigne);
        const QString valeurs[] = {"45",      "F1ABC", "77",    "JEAN-LOÏC",
                                   "77121",   "05/06", "14:05", "CW",
                                   "144 Mhz", " 599",  " 57",   "MOULIN DE LA GALETTE",
                                   "  *"};
        int fin = 0;
        for (size_t i = 0; i < Affichage::titresListe.size(); ++i) {
            const Affichage::Titre& t = Affichage::titresListe[i];
            QVERIFY2(affichage.mid(t.colonne - 1).startsWith(valeurs[i]), t.texte);
            QVERIFY2(t.colonne > fin + 1, t.texte); // a blank between two titles
            fin = t.colonne + int(QString::fromUtf8(t.texte).size()) - 1;
        }
        QVERIFY(fin <= Affichage::Longueur);
    }

    void champsDUneLigneAffichee()
    {
        const LogLine::Champs c =
            Affichage::champsDepuisAffichage(Affichage::ligneAffichage(5, kLigne));
        LogLine::Champs attendu = exemple();
        attendu.prenom = "JEAN-LOÏC";
        attendu.nomMoulin = "MOULIN DE LA GALETTE";
        QCOMPARE(c, attendu);
        QCOMPARE(Affichage::champsDepuisAffichage(
                     Affichage::ligneAffichage(5, JeuxEssai::ligneQso("F5XYZ")))
                     .qsl,
                 false);
    }
};

QTEST_GUILESS_MAIN(TestLogLine)
#include "tst_logline.moc"

// The import of an ADIF file, record by record: what is read, converted,
// skipped and adapted.
#include "JeuxEssaiAdif.h"
#include "OutilsTest.h"

#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/exchange/Lecture.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "support/AttenteScriptee.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "BancImport.h"

using namespace JeuxEssaiAdif;
using namespace BancImport;

class TestImportAdif : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lecture_data();
    void lecture();
    void conversion_data();
    void conversion();
    void rejets_data();
    void rejets();
    void adaptations_data();
    void adaptations();
};

// The fields read from a file: "CALL/NAME" of each record, and whether the
// file ends inside a record.
void TestImportAdif::lecture_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QStringList>("attendus");
    QTest::addColumn<bool>("tronque");
    const QStringList un = {"F6XYZ/Paul"};
    QTest::newRow("no header") << QByteArray("<CALL:5>F6XYZ<NAME:4>Paul<EOR>") << un << false;
    QTest::newRow("header") << QByteArray("Made by X <ADIF_VER:5>3.1.0\r\n<EOH>\r\n"
                                          "<CALL:5>F6XYZ<NAME:4>Paul<EOR>\r\n")
                            << un << false;
    QTest::newRow("header with tag-like text") << QByteArray("Log <by> me <EOH><CALL:5>F6XYZ"
                                                             "<NAME:4>Paul<EOR>")
                                               << un << false;
    QTest::newRow("header without its eoh")
        << QByteArray("Log\n<ADIF_VER:5>3.1.0 <CALL:5>F6XYZ<NAME:4>Paul<EOR>") << un << false;
    QTest::newRow("lower-case tags")
        << QByteArray("x<eoh><call:5>F6XYZ<name:4>Paul<eor>") << un << false;
    QTest::newRow("type indicators")
        << QByteArray("<CALL:5:S>F6XYZ<NAME:4:s>Paul<EOR>") << un << false;
    QTest::newRow("text and line ends between fields")
        << QByteArray("<CALL:5>F6XYZ junk\r\n <NAME:4>Paul\n<EOR>\n\n") << un << false;
    QTest::newRow("value holding angle brackets")
        << QByteArray("<CALL:5>F6XYZ<NAME:6><EOR>><EOR>") << QStringList{"F6XYZ/<EOR>>"} << false;
    QTest::newRow("value longer than its length")
        << QByteArray("<CALL:5>F6XYZW<NAME:4>Paul<EOR>") << un << false;
    QTest::newRow("application-defined field")
        << QByteArray("<APP_LOGGER_X:3>abc<CALL:5>F6XYZ<NAME:4>Paul<USERDEF1:2>zz<EOR>") << un
        << false;
    QTest::newRow("same field twice: the last one")
        << QByteArray("<CALL:4>F6AB<CALL:5>F6XYZ<NAME:4>Paul<EOR>") << un << false;
    QTest::newRow("UTF-8: lengths in characters")
        << QByteArray("<CALL:5>F6XYZ<NAME:6>H\xc3\xa9l\xc3\xa8ne<EOR>")
        << QStringList{"F6XYZ/Hélène"} << false;
    // Some programs count the bytes of a UTF-8 value: it ends where a tag
    // starts once its bytes are read, and never swallows the next field.
    QTest::newRow("UTF-8: lengths in bytes")
        << QByteArray("<CALL:5>F6XYZ<NAME:6>Agn\xc3\xa8s<SIG:3>KZT<EOR>")
        << QStringList{"F6XYZ/Agnès"} << false;
    QTest::newRow("UTF-8: lengths in bytes, last field of the record")
        << QByteArray("<CALL:5>F6XYZ<NAME:8>H\xc3\xa9l\xc3\xa8ne<EOR><CALL:5>F1AAA<EOR>")
        << QStringList{"F6XYZ/Hélène", "F1AAA/"} << false;
    QTest::newRow("UTF-8: lengths in characters, a tag after the value")
        << QByteArray("<CALL:5>F6XYZ<NAME:5>Agn\xc3\xa8s<SIG:3>KZT<EOR>")
        << QStringList{"F6XYZ/Agnès"} << false;
    QTest::newRow("UTF-8 with a byte-order mark")
        << QByteArray("\xef\xbb\xbf<CALL:5>F6XYZ<NAME:6>H\xc3\xa9l\xc3\xa8ne<EOR>")
        << QStringList{"F6XYZ/Hélène"} << false;
    QTest::newRow("UTF-8 outside the basic plane: one character")
        << QByteArray("<NAME:3>A\xf0\x9f\x98\x80"
                      "B<CALL:5>F6XYZ<EOR>")
        << QStringList{"F6XYZ/A\U0001F600B"} << false;
    QTest::newRow("Windows-1252") << QByteArray("<CALL:5>F6XYZ<NAME:7>\x8c"
                                                "dipe\x80\xe9<EOR>")
                                  << QStringList{"F6XYZ/Œdipe€é"} << false;
    QTest::newRow("records without fields are none")
        << QByteArray("<EOR><CALL:5>F6XYZ<NAME:4>Paul<EOR><EOR>") << un << false;
    QTest::newRow("empty file") << QByteArray() << QStringList() << false;
    QTest::newRow("no eor after the last fields")
        << QByteArray("<CALL:5>F6XYZ<NAME:4>Paul<EOR><CALL:4>F1AA\r\n") << un << true;
    QTest::newRow("value cut by the end of the file")
        << QByteArray("<CALL:5>F6XYZ<NAME:4>Paul<EOR><CALL:5>F1A") << un << true;
    QTest::newRow("huge length") << QByteArray("<CALL:5>F6XYZ<NAME:4>Paul<EOR><CALL:999999999>F")
                                 << un << true;
    // A "<" that opens no tag is over at the next "<".
    QTest::newRow("many < before a record")
        << QByteArray(5000, '<') + "CALL:5>F6XYZ<NAME:4>Paul<EOR>" << un << false;
    QTest::newRow("< without its > before a record")
        << QByteArray("<CALL:5 <note <CALL:5>F6XYZ<NAME:4>Paul<EOR> <<") << un << false;
    QTest::newRow("< without its > at the end")
        << QByteArray("<CALL:5>F6XYZ<NAME:4>Paul<EOR><CALL:4>F1AA<NAME:3") << un << true;
    QTest::newRow("> alone between fields")
        << QByteArray("<CALL:5>F6XYZ > <NAME:4>Paul>>\r\n<EOR>") << un << false;
}

void TestImportAdif::lecture()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QStringList, attendus);
    QFETCH(bool, tronque);
    const Adif::Lecture l = Adif::litOctets(fichier);
    QStringList lus;
    for (const Adif::Enregistrement& e : l.enregistrements) {
        lus << e.valeur(QLatin1StringView("call")).toString() + '/' +
                   e.valeur(QLatin1StringView("Name")).toString();
    }
    QCOMPARE(lus, attendus);
    QCOMPARE(l.tronque, tronque);
    // The same records and the same cut text whatever the pieces the file
    // is read in (a piece may end inside a tag, a value or a character).
    for (const qsizetype morceau : {1, 2, 3, 5, 7, 64}) {
        const Adif::Lecture m = Adif::litOctets(fichier, morceau);
        QCOMPARE(m.enregistrements.size(), l.enregistrements.size());
        for (size_t i = 0; i < m.enregistrements.size(); ++i) {
            QCOMPARE(m.enregistrements[i].texte, l.enregistrements[i].texte);
            QCOMPARE(m.enregistrements[i].valeur(QLatin1StringView("name")),
                     l.enregistrements[i].valeur(QLatin1StringView("name")));
        }
        QCOMPARE(m.tronque, tronque);
        QCOMPARE(m.texteTronque, l.texteTronque);
    }
}

// A record and the stored fields it gives: call, department, first name,
// reference, date, time, mode, band, reports, windmill name and QSL.
void TestImportAdif::conversion_data()
{
    QTest::addColumn<QString>("enregistrement");
    QTest::addColumn<QString>("attendu");
    const QString base = "F6XYZ|77|PAUL|77121|17/02/23|17:26|SSB|14 Mhz|59|57|MOULIN|";
    QTest::newRow("the export's convention") << kRecord << base;
    QTest::newRow("SIG KZT: SIG_INFO is the reference")
        << avec(avec(kRecord, "SIG", "kzt"), "SIG_INFO", "77121")
        << "F6XYZ|77|PAUL|77121|17/02/23|17:26|SSB|14 Mhz|59|57||";
    QTest::newRow("department from the reference when STATE is none")
        << avec(kRecord, "STATE", QString()) << base;
    QTest::newRow("department from the reference when STATE is no department")
        << avec(kRecord, "STATE", "NY") << base;
    QTest::newRow("Corsica in lower case")
        << avec(avec(kRecord, "STATE", "2A"), "SIG", "2A001")
        << "F6XYZ|2a|PAUL|2a001|17/02/23|17:26|SSB|14 Mhz|59|57|MOULIN|";
    QTest::newRow("lower-case callsign, seconds in the time, QSL V")
        << avec(avec(avec(kRecord, "CALL", "f6xyz"), "TIME_ON", "172659"), "QSL_RCVD", "V")
        << "F6XYZ|77|PAUL|77121|17/02/23|17:26|SSB|14 Mhz|59|57|MOULIN|*";
    QTest::newRow("year of the last century")
        << avec(kRecord, "QSO_DATE", "19991231")
        << "F6XYZ|77|PAUL|77121|31/12/99|17:26|SSB|14 Mhz|59|57|MOULIN|";
    const struct {
        const char* mode;
        const char* sousMode;
        const char* stocke;
    } modes[] = {{"USB", nullptr, "SSB"},   {"lsb", nullptr, "SSB"},  {"SSB", "LSB", "SSB"},
                 {"CW", nullptr, "CW"},     {"fm", nullptr, "FM"},    {"psk", "PSK31", "PSK"},
                 {"MFSK", "FT4", "FT4"},    {"RTTY", nullptr, "RTY"}, {"PSK31", nullptr, "PSK"},
                 {"psk63", nullptr, "PSK"}, {"MFSK", "JS8", "JS8"},   {"FT8", nullptr, "FT8"}};
    for (const auto& m : modes) {
        QString r = avec(kRecord, "MODE", m.mode);
        if (m.sousMode)
            r = avec(r, "SUBMODE", m.sousMode);
        QTest::addRow("mode %s %s", m.mode, m.sousMode ? m.sousMode : "")
            << r << QString(base).replace("|SSB|", QStringLiteral("|%1|").arg(m.stocke));
    }
    const struct {
        const char* champ;
        const char* valeur;
        const char* bande;
    } bandes[] = {{"BAND", "160m", "1.8 Mhz"}, {"BAND", "30M", "10 Mhz"},
                  {"BAND", "17m", "18 Mhz"},   {"BAND", "12m", "24 Mhz"},
                  {"BAND", "6m", "50 Mhz"},    {"BAND", "2m", "144 Mhz"},
                  {"BAND", "70CM", "432 Mhz"}, {"FREQ", "14.2", "14 Mhz"},
                  {"FREQ", "1.8", "1.8 Mhz"},  {"FREQ", "432.2", "432 Mhz"}};
    for (const auto& b : bandes) {
        QString r = avec(kRecord, "BAND", QString());
        r = avec(r, b.champ, b.valeur);
        QTest::addRow("%s %s", b.champ, b.valeur)
            << r << QString(base).replace("|14 Mhz|", QStringLiteral("|%1|").arg(b.bande));
    }
    QTest::newRow("empty BAND, FREQ given") << avec(avec(kRecord, "BAND", ""), "FREQ", "50.1")
                                            << QString(base).replace("|14 Mhz|", "|50 Mhz|");
}

void TestImportAdif::conversion()
{
    QFETCH(QString, enregistrement);
    QFETCH(QString, attendu);
    const Adif::Lecture l = Adif::litOctets(enregistrement.toUtf8());
    QCOMPARE(l.enregistrements.size(), size_t(1));
    const Importation::Qso q = Importation::convertit(l.enregistrements.front());
    QCOMPARE(q.raison, QString());
    const LogLine::Champs& c = q.champs;
    const QStringList champs = {c.indicatif,
                                c.departement,
                                c.prenom.toUpper(),
                                c.reference,
                                c.date,
                                c.heure,
                                c.mode,
                                c.bande,
                                c.rstRecu,
                                c.rstEnvoye,
                                c.nomMoulin.toUpper(),
                                c.qsl ? "*" : ""};
    QCOMPARE(champs.join('|'), attendu);
}

// Every reason a record is skipped for: a good record is imported beside
// it, and the report names the reason with the record.
void TestImportAdif::rejets_data()
{
    QTest::addColumn<QString>("enregistrement");
    QTest::addColumn<QString>("raison");
    const QString pasKzt = "Pas de référence de moulin KZT (SIG, SIG_INFO) : pas un QSO du diplôme";
    QTest::newRow("no SIG") << avec(kRecord, "SIG", QString()) << pasKzt;
    QTest::newRow("SIG of another award") << avec(kRecord, "SIG", "POTA") << pasKzt;
    QTest::newRow("no SIG, a bare reference in SIG_INFO")
        << avec(avec(kRecord, "SIG", QString()), "SIG_INFO", "77-121") << pasKzt;
    QTest::newRow("SIG KZT without SIG_INFO")
        << avec(avec(kRecord, "SIG", "KZT"), "SIG_INFO", QString()) << pasKzt;
    QTest::newRow("reference of no department") << avec(kRecord, "SIG", "96001") << pasKzt;
    QTest::newRow("reference with letters") << avec(kRecord, "SIG", "77A21") << pasKzt;
    QTest::newRow("no CALL") << avec(kRecord, "CALL", QString()) << "Champ CALL absent";
    QTest::newRow("CALL too long")
        << avec(kRecord, "CALL", "F6XYZ/P/MM/QRP") << "12 caracteres maxi pour l'indicatif";
    QTest::newRow("no QSO_DATE") << avec(kRecord, "QSO_DATE", QString()) << "Champ QSO_DATE absent";
    QTest::newRow("not a calendar date")
        << avec(kRecord, "QSO_DATE", "20230230")
        << "Date QSO_DATE « 20230230 » invalide (AAAAMMJJ attendu)";
    QTest::newRow("year the log cannot hold")
        << avec(kRecord, "QSO_DATE", "20500101")
        << "Date QSO_DATE « 20500101 » hors des années 1950 à 2049 que le log enregistre";
    QTest::newRow("no TIME_ON") << avec(kRecord, "TIME_ON", QString()) << "Champ TIME_ON absent";
    QTest::newRow("hour 24") << avec(kRecord, "TIME_ON", "2400")
                             << "Heure TIME_ON « 2400 » invalide (HHMM attendu)";
    QTest::newRow("no MODE") << avec(kRecord, "MODE", QString()) << "Champ MODE absent";
    QTest::newRow("mode too long")
        << avec(kRecord, "MODE", "OLIVIA") << "Mode « OLIVIA » de plus de 3 caractères";
    QTest::newRow("SUBMODE with no short form")
        << avec(avec(kRecord, "MODE", "MFSK"), "SUBMODE", "MFSK16")
        << "Mode « MFSK » de plus de 3 caractères";
    QTest::newRow("band of no QSO of the log")
        << avec(kRecord, "BAND", "60m") << "Bande BAND « 60m » absente de la liste des bandes";
    QTest::newRow("no band, no frequency")
        << avec(kRecord, "BAND", QString()) << "Champs BAND et FREQ absents";
    QTest::newRow("frequency outside the bands")
        << avec(avec(kRecord, "BAND", QString()), "FREQ", "5.3")
        << "Fréquence FREQ « 5.3 » hors des bandes de la liste";
    QTest::newRow("line break in the callsign")
        << avec(kRecord, "CALL", "F6\r\nXY")
        << "Le champ « Indicatif » contient un saut de ligne, qui ne peut pas être enregistré : "
           "retirez-le.";
    // The report writes a long record a piece at a time: a CR LF across two
    // pieces stays one line end.
    QTest::newRow("long record, CR LF where the report cuts it")
        << "<APP_X_PAD:65518>" + QString(65518, 'p') + "\r\n" + avec(kRecord, "MODE", "OLIVIA")
        << "Mode « OLIVIA » de plus de 3 caractères";
}

void TestImportAdif::rejets()
{
    QFETCH(QString, enregistrement);
    QFETCH(QString, raison);
    Dossier d;
    QVERIFY(d.ecritLog({}));
    const QString bon = avec(kRecord, "CALL", "F1AAA");
    const Importation::Bilan b = d.importe("x<eoh>" + (bon + enregistrement).toUtf8());
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.importes, 1);
    QCOMPARE(b.rejets.size(), size_t(1));
    QCOMPARE(b.rejets.front().raison, raison);
    QCOMPARE(b.rejets.front().numero, 2);
    QVERIFY(b.resume().contains("1 × " + raison));
    QVERIFY(b.resume().contains("« F5ABC_KZT_import.txt »"));
    QByteArray rapport;
    QVERIFY(FichierTexte::litTout(d.chemin(Importation::nomRapport(kStation)), &rapport).estOk());
    const QString texte = Cp1252::decode1252(rapport);
    // The report is in the log's code page: what it cannot hold is "?".
    QVERIFY2(texte.contains("Enregistrement 2 : " + QString(raison).replace("Ж", "?")),
             qPrintable(texte));
    QVERIFY(texte.contains(
        QString(enregistrement).replace("\r\n", "\n").replace('\n', "\r\n").replace("Жан", "???")));
}

// A field that the entry would refuse but that is none of the callsign,
// date, time, mode, band and windmill: the QSO is imported with the field
// adapted, the summary counts it and the report gives one line for it.
void TestImportAdif::adaptations_data()
{
    QTest::addColumn<QString>("enregistrement");
    QTest::addColumn<QString>("attendu"); // the stored line, field by field
    QTest::addColumn<QString>("rapport");
    const QString base = "F6XYZ|77|PAUL|77121|17/02/23|17:26|SSB|14 Mhz|59|57|MOULIN|";
    const QString kzt = avec(kRecord, "SIG", "KZT");
    const QString parKzt = "F6XYZ|77|PAUL|77121|17/02/23|17:26|SSB|14 Mhz|59|57||";
    QTest::newRow("STATE of another department")
        << avec(kRecord, "STATE", "75") << base
        << "STATE « 75 » remplacé par le département « 77 » de la référence";
    QTest::newRow("STATE of a US state")
        << avec(kRecord, "STATE", "NY") << base
        << "STATE « NY » remplacé par le département « 77 » de la référence";
    QTest::newRow("no RST_RCVD") << avec(kRecord, "RST_RCVD", QString()) << base
                                 << "RST_RCVD absent : « 59 »";
    QTest::newRow("no RST_SENT") << avec(kRecord, "RST_SENT", QString())
                                 << QString(base).replace("|59|57|", "|59|59|")
                                 << "RST_SENT absent : « 59 »";
    QTest::newRow("no report at all (LoTW)")
        << avec(avec(kRecord, "RST_SENT", QString()), "RST_RCVD", QString())
        << QString(base).replace("|59|57|", "|59|59|")
        << "RST_RCVD absent : « 59 » ; RST_SENT absent : « 59 »";
    QTest::newRow("report of a digital mode")
        << avec(avec(kRecord, "RST_SENT", "-10"), "MODE", "FT8")
        << QString(base).replace("|SSB|", "|FT8|").replace("|59|57|", "|59|59|")
        << "RST_SENT « -10 » remplacé par « 59 »";
    QTest::newRow("RTTY shortened")
        << avec(kRecord, "MODE", "RTTY") << QString(base).replace("|SSB|", "|RTY|")
        << "MODE « RTTY » enregistré comme « RTY »";
    QTest::newRow("FT4 as WSJT-X writes it")
        << avec(avec(kRecord, "MODE", "MFSK"), "SUBMODE", "FT4")
        << QString(base).replace("|SSB|", "|FT4|")
        << "MODE « MFSK » et SUBMODE « FT4 » enregistrés comme « FT4 »";
    QTest::newRow("report of a digital mode, with its sign")
        << avec(kRecord, "RST_RCVD", "+03") << base << "RST_RCVD « +03 » remplacé par « 59 »";
    QTest::newRow("report too long")
        << avec(kRecord, "RST_RCVD", "5999") << base << "RST_RCVD « 5999 » remplacé par « 59 »";
    QTest::newRow("whole name from a callbook")
        << avec(kRecord, "NAME", "Jean-Pierre Dupont")
        << QString(base).replace("|PAUL|", "|JEAN-PIERRE|")
        << "NAME « Jean-Pierre Dupont » pris comme prénom « JEAN-PIERRE »";
    QTest::newRow("first name too long")
        << avec(kRecord, "NAME", "Jean-Christophe-Marie")
        << QString(base).replace("|PAUL|", "|JEAN-CHRISTOPHE|")
        << "NAME « Jean-Christophe-Marie » pris comme prénom « JEAN-CHRISTOPHE »";
    QTest::newRow("line break in a field")
        << avec(kRecord, "NAME", "Pa\r\nul") << QString(base).replace("|PAUL|", "|PA UL|")
        << "NAME « Pa??ul » pris comme prénom « PA UL »";
    QTest::newRow("letters the log lacks, as their base letter")
        << avec(kRecord, "NAME", "Łukasz") << QString(base).replace("|PAUL|", "|LUKASZ|")
        << "NAME « ?ukasz » pris comme prénom « LUKASZ »"; // the report is in Windows-1252
    QTest::newRow("accents the log lacks, dropped")
        << avec(kRecord, "NAME", "Đorđe Ţuţea") << QString(base).replace("|PAUL|", "|DORDE TUTEA|")
        << "NAME « ?or?e ?u?ea » pris comme prénom « DORDE TUTEA »";
    QTest::newRow("character the log cannot hold")
        << avec(kRecord, "NAME", "Жан") << QString(base).replace("|PAUL|", "||")
        << "NAME « Жан » que le log ne peut pas enregistrer : pas de prénom";
    QTest::newRow("windmill name too long")
        << avec(kRecord, "SIG_INFO", "Moulin de la Galette du Nord et du Sud")
        << QString(base).replace("|MOULIN|", "|MOULIN DE LA GALETTE DU NORD E|")
        << "nom du moulin « Moulin de la Galette du Nord et du Sud » enregistré comme « Moulin de "
           "la Galette du Nord e »";
    QTest::newRow("SIG_INFO 77-121") << avec(kzt, "SIG_INFO", "77-121") << parKzt
                                     << "SIG_INFO « 77-121 » lu comme la référence « 77121 »";
    QTest::newRow("SIG_INFO KZT-77121") << avec(kzt, "SIG_INFO", "KZT-77121") << parKzt
                                        << "SIG_INFO « KZT-77121 » lu comme la référence « 77121 »";
    QTest::newRow("no SIG, SIG_INFO KZT 77121")
        << avec(avec(kRecord, "SIG", QString()), "SIG_INFO", "KZT 77121") << parKzt
        << "SIG_INFO « KZT 77121 » lu comme la référence « 77121 »";
    QTest::newRow("SIG_INFO kzt 2A003") << avec(avec(kzt, "SIG_INFO", "kzt 2A003"), "STATE", "2A")
                                        << "F6XYZ|2a|PAUL|2a003|17/02/23|17:26|SSB|14 Mhz|59|57||"
                                        << "SIG_INFO « kzt 2A003 » lu comme la référence « 2a003 »";
}

void TestImportAdif::adaptations()
{
    QFETCH(QString, enregistrement);
    QFETCH(QString, attendu);
    QFETCH(QString, rapport);
    Dossier d;
    QVERIFY(d.ecritLog({}));
    const Importation::Bilan b = d.importe("x<eoh>" + enregistrement.toUtf8());
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.importes, 1);
    QCOMPARE(b.rejets.size(), size_t(0));
    QCOMPARE(b.adaptes.size(), size_t(1));
    QVERIFY2(b.resume().contains("\r\n1 QSO adapté (voir le rapport)\r\n"), qPrintable(b.resume()));
    QVERIFY(b.resume().contains("Les QSO adaptés sont décrits dans le fichier « "
                                "F5ABC_KZT_import.txt »."));
    // The stored line of the adapted QSO, field by field.
    const QStringList lignes = Cp1252::decode1252(d.log()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), 1);
    const QString stockee = lignes.at(0);
    QStringList champs;
    for (const LogLine::Colonne c :
         {LogLine::Indicatif, LogLine::Departement, LogLine::Prenom, LogLine::Reference,
          LogLine::Date, LogLine::Heure, LogLine::Mode, LogLine::Bande, LogLine::RST_Recu,
          LogLine::RST_Envoye, LogLine::Nom_Moulin})
        champs << LogLine::champ(stockee, c).trimmed();
    champs << LogLine::champ(stockee, LogLine::QSL).trimmed();
    QCOMPARE(champs.join('|'), attendu);
    QByteArray octets;
    QVERIFY(FichierTexte::litTout(d.chemin(Importation::nomRapport(kStation)), &octets).estOk());
    const QString texte = Cp1252::decode1252(octets);
    QVERIFY2(texte.contains("\r\nQSO adaptés : 1\r\n"), qPrintable(texte));
    // One line for the record; what the log's code page cannot hold is "?".
    const QString ligne = "Enregistrement 1 adapté : " + rapport;
    const QString attendue = QString(ligne).replace("Жан", "???");
    QVERIFY2(texte.contains(attendue + "\r\n"), qPrintable(texte));
}

QTEST_GUILESS_MAIN(TestImportAdif)
#include "tst_importadif.moc"

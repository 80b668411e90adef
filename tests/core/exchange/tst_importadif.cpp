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

using namespace JeuxEssaiAdif;

namespace {

const QString kStation = QStringLiteral("F5ABC");

// A KZT QSO in the convention of the export; the tests change its fields.
const QString kRecord = QStringLiteral(
    "<CALL:5>F6XYZ<STATE:2>77<NAME:4>Paul<SIG:5>77121<QSO_DATE:8>20230217<TIME_ON:4>1726"
    "<MODE:3>SSB<BAND:3>20m<RST_RCVD:2>59<RST_SENT:2>57<SIG_INFO:6>Moulin<QSL_RCVD:1>N<EOR>");

// The record with one field replaced, added (absent from it) or, with an
// empty value, removed.
QString avec(const QString& enregistrement, const QString& nom, const QString& valeur)
{
    QString r = enregistrement;
    const qsizetype debut = r.indexOf('<' + nom + ':', 0, Qt::CaseInsensitive);
    if (debut >= 0) {
        const qsizetype chevron = r.indexOf('>', debut);
        const int longueur =
            r.mid(debut + nom.size() + 2, chevron - debut - nom.size() - 2).toInt();
        r.remove(debut, chevron + 1 + longueur - debut);
    }
    if (!valeur.isNull())
        r.insert(r.size() - 5, QStringLiteral("<%1:%2>%3").arg(nom).arg(valeur.size()).arg(valeur));
    return r;
}

QByteArray latin1(const QString& s)
{
    QByteArray b;
    Cp1252::encode1252(s, &b);
    return b;
}

struct Dossier {
    QTemporaryDir dossier;
    HorlogeReglee horloge{QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC), 3600};

    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    bool ecritLog(const QStringList& lignes)
    {
        return OutilsTest::ecritOctets(chemin(StationLog::nomFichier(kStation)),
                                       LignesQso::fichier(lignes));
    }
    QByteArray log() const
    {
        return OutilsTest::litOctets(chemin(StationLog::nomFichier(kStation)));
    }
    Importation::Bilan importe(const QByteArray& adi)
    {
        OutilsTest::ecritOctets(chemin("entree.adi"), adi);
        return Importation::importeFichier(dossier.path(), kStation, chemin("entree.adi"), horloge);
    }
};

} // namespace

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
    void allerRetour_data();
    void allerRetour();
    void ordreDesDates();
    void doublons();
    void fichierTronque();
    void moulinDejaContacte_data();
    void moulinDejaContacte();
    void arretParLUtilisateur_data();
    void arretParLUtilisateur();
    void prenomsAppris_data();
    void prenomsAppris();
    void echecs_data();
    void echecs();
    void raisonsResumees_data();
    void raisonsResumees();
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
    } modes[] = {{"USB", nullptr, "SSB"}, {"lsb", nullptr, "SSB"}, {"SSB", "LSB", "SSB"},
                 {"CW", nullptr, "CW"},   {"fm", nullptr, "FM"},   {"psk", "PSK31", "PSK"}};
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
        << avec(kRecord, "MODE", "RTTY") << "Mode « RTTY » de plus de 3 caractères";
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
        << "<APP_X_PAD:65518>" + QString(65518, 'p') + "\r\n" + avec(kRecord, "MODE", "RTTY")
        << "Mode « RTTY » de plus de 3 caractères";
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

// Exporting a log and importing the export into an empty log gives the log
// back, byte for byte; texts outside ASCII come back as the export folds them.
void TestImportAdif::allerRetour_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QStringList>("attendues"); // empty: the lines themselves
    QTest::newRow("the worked example") << QStringList{ligne(champs())} << QStringList();
    QTest::newRow("every band and mode, both centuries") << journalAscii() << QStringList();
    // A windmill once in each band group, as the entry keeps it.
    QStringList logLong;
    for (int n = 1; n <= 500; ++n) {
        LogLine::Champs c =
            LignesQso::numero(n, QDateTime(QDate(2009, 6, 5), QTime(12, 0), Qt::UTC), 997);
        c.reference = QStringLiteral("77%1").arg(n, 3, 10, QLatin1Char('0'));
        logLong << LignesQso::ligne(c);
    }
    QTest::newRow("long log") << logLong << QStringList();
    QTest::newRow("empty log") << QStringList() << QStringList();
    LogLine::Champs accents = champs();
    accents.prenom = "HÉLÈNE";
    accents.nomMoulin = "MOULIN D’ŒUVRE – CÆSAR";
    LogLine::Champs plies = accents;
    plies.prenom = "HELENE";
    plies.nomMoulin = "MOULIN D'OEUVRE - CAESAR";
    QTest::newRow("accents folded") << QStringList{ligne(accents)} << QStringList{ligne(plies)};
}

void TestImportAdif::allerRetour()
{
    QFETCH(QStringList, lignes);
    QFETCH(QStringList, attendues);
    Dossier source;
    QVERIFY(source.ecritLog(lignes));
    QVERIFY(Adif::exporte(source.dossier.path(), kStation).estOk());
    Dossier cible;
    QVERIFY(cible.ecritLog({}));
    const Importation::Bilan b =
        cible.importe(OutilsTest::litOctets(source.chemin(Adif::nomFichier(kStation))));
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.rejets.size(), size_t(0));
    QCOMPARE(b.importes, lignes.size());
    QCOMPARE(cible.log(), attendues.isEmpty() ? source.log() : LignesQso::fichier(attendues));
    QVERIFY(!QFile::exists(cible.chemin(Importation::nomRapport(kStation))));
}

// The new QSOs take their place by date among those of the log, which keep
// their order; at the same minute a new QSO goes before the one of the log.
void TestImportAdif::ordreDesDates()
{
    const auto ligneQso = [](const char* indicatif, const char* date, const char* heure) {
        LogLine::Champs c = LignesQso::ordinaire();
        c.indicatif = indicatif;
        c.date = date;
        c.heure = heure;
        return LignesQso::ligne(c);
    };
    // Each record has a windmill of its own.
    int moulin = 100;
    const auto enregistrement = [&moulin](const char* indicatif, const char* date,
                                          const char* heure) {
        return avec(
            avec(avec(avec(kRecord, "CALL", indicatif), "QSO_DATE", date), "TIME_ON", heure), "SIG",
            QStringLiteral("77%1").arg(++moulin));
    };
    Dossier d;
    // A hand-edited line without a date stays where it is.
    QVERIFY(d.ecritLog({ligneQso("F1A", "05/06/09", "12:00"), ligneQso("F1B", "xx/06/09", "12:00"),
                        ligneQso("F1C", "01/01/11", "08:00")}));
    const Importation::Bilan b = d.importe(
        (enregistrement("F2D", "20120101", "0000") + enregistrement("F2A", "20090605", "1200") +
         enregistrement("F2B", "20100101", "0000") + enregistrement("F2C", "19991231", "2359") +
         enregistrement("F2E", "20100101", "0000"))
            .toLatin1());
    QCOMPARE(b.importes, 5);
    QStringList indicatifs;
    FichierTexte::pourChaqueLigne(d.log(), [&](const char* donnees, qsizetype n) {
        indicatifs << QString::fromLatin1(donnees, n).left(12).trimmed();
    });
    QCOMPARE(indicatifs, (QStringList{"F2C", "F2A", "F1A", "F1B", "F2B", "F2E", "F1C", "F2D"}));
    // One copy of the log before the import, one rewrite of the log.
    QCOMPARE(OutilsTest::litOctets(d.chemin("Sauvegardes/F5ABC_KZT_20261207.log")),
             LignesQso::fichier({ligneQso("F1A", "05/06/09", "12:00"),
                                 ligneQso("F1B", "xx/06/09", "12:00"),
                                 ligneQso("F1C", "01/01/11", "08:00")}));
}

// A QSO already in the log, or twice in the file (same callsign, date, time
// and band), is imported once; importing a file twice adds nothing.
void TestImportAdif::doublons()
{
    Dossier d;
    LogLine::Champs deja = LignesQso::ordinaire();
    deja.indicatif = "F6XYZ";
    deja.date = "17/02/23";
    deja.heure = "17:26";
    deja.mode = "CW"; // another mode: still the same QSO
    QVERIFY(d.ecritLog({LignesQso::ligne(deja)}));
    // Another band and another windmill: another QSO.
    const QString autreBande =
        avec(avec(avec(kRecord, "BAND", "40m"), "NAME", "Pierre"), "SIG", "77122");
    const QByteArray fichier = (kRecord + autreBande + autreBande).toLatin1();

    Importation::Bilan b = d.importe(fichier);
    QCOMPARE(b.importes, 1);
    QCOMPARE(b.doublons, 2);
    QVERIFY(b.resume().contains("1 QSO importé\r\n2 doublons (QSO déjà dans le log) ignorés\r\n"
                                "0 enregistrement ignoré."));
    const QByteArray apres = d.log();
    b = d.importe(fichier);
    QCOMPARE(b.importes, 0);
    QCOMPARE(b.doublons, 3);
    QCOMPARE(d.log(), apres);
}

// A file cut in the middle of its last record: the records before it are
// imported, the cut one is reported and never half-imported.
void TestImportAdif::fichierTronque()
{
    Dossier d;
    QVERIFY(d.ecritLog({}));
    const QString seconde = avec(kRecord, "CALL", "F1BBB");
    const QByteArray fichier = (kRecord + seconde).toLatin1();
    for (const qsizetype coupe : {kRecord.size() + 25, fichier.size() - 30, fichier.size() - 1}) {
        QVERIFY(d.ecritLog({}));
        const Importation::Bilan b = d.importe(fichier.left(coupe));
        QVERIFY(b.tronque);
        QCOMPARE(b.importes, 1);
        QCOMPARE(b.rejets.size(), size_t(1));
        QVERIFY(b.resume().contains("Le fichier se termine au milieu d'un enregistrement"));
        QCOMPARE(d.log().count("\r\n"), 1);
        QVERIFY(OutilsTest::litOctets(d.chemin(Importation::nomRapport(kStation)))
                    .contains("fichier tronqu"));
    }
}

// A windmill already contacted in a band group, in the log or earlier in the
// file, is skipped as the entry refuses it: the award counts it once per
// group. "10 Mhz" belongs to no group; a QSO already in the log stays a
// duplicate.
void TestImportAdif::moulinDejaContacte_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<int>("importes");
    QTest::addColumn<int>("doublons");
    QTest::addColumn<QStringList>("raisons"); // of the records skipped, in order
    const auto qso = [](const char* indicatif, const char* reference, const char* bande,
                        const char* date) {
        LogLine::Champs c = LignesQso::ordinaire();
        c.indicatif = indicatif;
        c.reference = reference;
        c.bande = bande;
        c.date = date;
        c.heure = "17:26";
        return LignesQso::ligne(c);
    };
    const QString sur20m = kRecord; // F6XYZ, 77121, 20m, 17/02/23 17:26
    const QString sur40m = avec(avec(kRecord, "BAND", "40m"), "CALL", "F1AAA");
    const QString sur2m = avec(kRecord, "BAND", "2m");
    const QString sur30m = avec(kRecord, "BAND", "30m");
    const QString autreMoulin = avec(avec(kRecord, "SIG", "77122"), "CALL", "F2BBB");
    const QString dejaHF = "moulin déjà contacté dans ce groupe le 01/02/08 sur 1.8 Mhz";
    const QStringList log160 = {qso("F5AAA", "77121", "1.8 Mhz", "01/02/08")};
    QTest::newRow("same group, another band") << log160 << sur20m << 0 << 0 << QStringList{dejaHF};
    QTest::newRow("same group, with another windmill beside")
        << log160 << autreMoulin + sur20m << 1 << 0 << QStringList{dejaHF};
    QTest::newRow("another group") << log160 << sur2m << 1 << 0 << QStringList();
    QTest::newRow("VHF already, HF accepted")
        << QStringList{qso("F5AAA", "77121", "144 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("UHF already, VHF accepted")
        << QStringList{qso("F5AAA", "77121", "432 Mhz", "01/02/08")} << sur2m << 1 << 0
        << QStringList();
    QTest::newRow("another windmill of the department")
        << QStringList{qso("F5AAA", "77122", "1.8 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("twice in one file")
        << QStringList() << sur20m + sur40m << 1 << 0
        << QStringList{"moulin déjà contacté dans ce groupe le 17/02/23 sur 14 Mhz"};
    QTest::newRow("twice in one file, the first one skipped itself")
        << QStringList() << avec(sur20m, "MODE", "RTTY") + sur40m << 1 << 0
        << QStringList{"Mode « RTTY » de plus de 3 caractères"};
    QTest::newRow("10 Mhz belongs to no group")
        << QStringList{qso("F5AAA", "77121", "10 Mhz", "01/02/08")} << sur30m << 1 << 0
        << QStringList();
    QTest::newRow("10 Mhz twice in one file")
        << QStringList() << sur30m + avec(sur30m, "CALL", "F1AAA") << 2 << 0 << QStringList();
    QTest::newRow("10 Mhz in the log, HF accepted")
        << QStringList{qso("F5AAA", "77121", "10 Mhz", "01/02/08")} << sur20m << 1 << 0
        << QStringList();
    QTest::newRow("a QSO of the log is a duplicate")
        << QStringList{qso("F6XYZ", "77121", "14 Mhz", "17/02/23")} << sur20m << 0 << 1
        << QStringList();
    QTest::newRow("a QSO of the log, then its windmill on another band")
        << QStringList{qso("F6XYZ", "77121", "14 Mhz", "17/02/23")} << sur20m + sur40m << 0 << 1
        << QStringList{"moulin déjà contacté dans ce groupe le 17/02/23 sur 14 Mhz"};
}

void TestImportAdif::moulinDejaContacte()
{
    QFETCH(QStringList, log);
    QFETCH(QString, fichier);
    QFETCH(int, importes);
    QFETCH(int, doublons);
    QFETCH(QStringList, raisons);
    Dossier d;
    QVERIFY(d.ecritLog(log));
    const Importation::Bilan b = d.importe(fichier.toUtf8());
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.importes, importes);
    QCOMPARE(b.doublons, doublons);
    QStringList lues;
    for (const Importation::Rejet& r : b.rejets)
        lues << r.raison;
    QCOMPARE(lues, raisons);
    // Nothing of a skipped record is written: the log holds its QSOs and the
    // new ones, each windmill once in each group but "10 Mhz".
    QCOMPARE(d.log().count("\r\n"), log.size() + importes);
    const QString rapport =
        Cp1252::decode1252(OutilsTest::litOctets(d.chemin(Importation::nomRapport(kStation))));
    for (const QString& raison : raisons) {
        QVERIFY2(b.resume().contains("1 × " + raison), qPrintable(b.resume()));
        QVERIFY2(rapport.contains(" : " + raison + "\r\n"), qPrintable(rapport));
    }
}

// The user may stop the import until the log is rewritten: nothing is then
// written (no copy of the log, no report, no first name), and the summary
// says so. The progress only goes forward, up to the end.
void TestImportAdif::arretParLUtilisateur_data()
{
    QTest::addColumn<int>("arret"); // thousandths from which the user stops it; -1: never
    QTest::addColumn<bool>("arretee");
    QTest::newRow("never stopped") << -1 << false;
    QTest::newRow("stopped at once") << 0 << true;
    QTest::newRow("stopped while the file is checked") << 100 << true;
    QTest::newRow("stopped while the records are read") << 600 << true;
    QTest::newRow("too late: the log is being rewritten") << 950 << false;
}

void TestImportAdif::arretParLUtilisateur()
{
    QFETCH(int, arret);
    QFETCH(bool, arretee);
    Dossier d;
    QVERIFY(d.ecritLog({}));
    QVERIFY(
        OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), "F9ZZZ        59 ZOE\r\n"));
    const QString ignore = avec(avec(kRecord, "CALL", "F1BBB"), "SIG", QString());
    OutilsTest::ecritOctets(d.chemin("entree.adi"), (kRecord + ignore).toLatin1());
    AttenteScriptee utilisateur(arret);
    Importation::Bilan b;
    utilisateur.execute(QString(), [&](Progression& p) {
        b = Importation::importeFichier(d.dossier.path(), kStation, d.chemin("entree.adi"),
                                        d.horloge, &p);
    });
    QCOMPARE(b.annule, arretee);
    QVERIFY(b.statut.estOk());
    const QList<qint64>& avancees = utilisateur.avancees();
    QVERIFY(std::is_sorted(avancees.begin(), avancees.end()));
    if (arretee) {
        QCOMPARE(b.resume(), "L'importation du fichier « entree.adi » a été arrêtée : rien n'a "
                             "été importé, le log n'a pas été modifié.");
        QCOMPARE(d.log(), QByteArray());
        QCOMPARE(OutilsTest::litOctets(d.chemin(FirstNameMemory::nomFichier)),
                 QByteArray("F9ZZZ        59 ZOE\r\n"));
        QVERIFY(!QFile::exists(d.chemin(Importation::nomRapport(kStation))));
        QVERIFY(!QFile::exists(d.chemin("Sauvegardes")));
        QVERIFY(avancees.isEmpty() || avancees.last() < 950);
    } else {
        QCOMPARE(b.importes, 1);
        QCOMPARE(d.log().count("\r\n"), 1);
        QVERIFY(QFile::exists(d.chemin(Importation::nomRapport(kStation))));
        QCOMPARE(avancees.last(), 1000);
    }
}

// The first-name memory learns the names of the QSOs of the file: the
// latest QSO of a callsign gives its name, a QSO without a name takes none
// away. Those already in the log count too, so that importing the file again
// mends a memory that a stop between the rewrite of the log and its own left
// behind; a record skipped teaches nothing.
void TestImportAdif::prenomsAppris_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<bool>("coupure"); // imported once, the memory as before, then again
    QTest::addColumn<int>("importes");
    QTest::addColumn<QByteArray>("apres");
    const QString recent = avec(avec(kRecord, "QSO_DATE", "20240101"), "NAME", "Pierre");
    const QString paul = avec(kRecord, "SIG", "77122");
    const QString sansNom =
        avec(avec(avec(kRecord, "CALL", "F9ZZZ"), "NAME", QString()), "SIG", "77123");
    const QString autre = avec(avec(avec(kRecord, "CALL", "F1NEW"), "NAME", "Zoé"), "SIG", "77124");
    const QByteArray appris =
        latin1("F6XYZ        77 PIERRE\r\nF9ZZZ        59 ZOE\r\nF1NEW        77 ZOÉ\r\n");
    const QString tout = recent + paul + sansNom + autre;
    QTest::newRow("new QSOs") << QStringList() << tout << false << 4 << appris;
    QTest::newRow("the same file again after a stop")
        << QStringList() << tout << true << 0 << appris;
    LogLine::Champs deja = LignesQso::ordinaire();
    deja.indicatif = "F1NEW";
    deja.date = "17/02/23";
    deja.heure = "17:26";
    deja.reference = "77124";
    deja.prenom = "";
    QTest::newRow("a QSO already in the log")
        << QStringList{LignesQso::ligne(deja)} << autre << false << 0
        << latin1("F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\nF1NEW        77 ZOÉ\r\n");
    LogLine::Champs moulin = LignesQso::ordinaire();
    moulin.indicatif = "F5AAA";
    moulin.reference = "77124";
    moulin.bande = "1.8 Mhz";
    QTest::newRow("a windmill already contacted teaches nothing")
        << QStringList{LignesQso::ligne(moulin)} << autre << false << 0
        << latin1("F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\n");
}

void TestImportAdif::prenomsAppris()
{
    QFETCH(QStringList, log);
    QFETCH(QString, fichier);
    QFETCH(bool, coupure);
    QFETCH(int, importes);
    QFETCH(QByteArray, apres);
    Dossier d;
    QVERIFY(d.ecritLog(log));
    const QByteArray avant = "F6XYZ        77 ANCIEN\r\nF9ZZZ        59 ZOE\r\n";
    QVERIFY(OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), avant));
    if (coupure) {
        QVERIFY(d.importe(fichier.toUtf8()).importes > 0);
        QVERIFY(OutilsTest::ecritOctets(d.chemin(FirstNameMemory::nomFichier), avant));
    }
    const QByteArray logAvant = d.log();
    const Importation::Bilan b = d.importe(fichier.toUtf8());
    QCOMPARE(b.importes, importes);
    if (importes == 0)
        QCOMPARE(d.log(), logAvant);
    QCOMPARE(OutilsTest::litOctets(d.chemin(FirstNameMemory::nomFichier)), apres);
}

// A file or a log that cannot be read: nothing is written, the summary says
// why.
void TestImportAdif::echecs_data()
{
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("fichier");
    QTest::addColumn<QString>("message");
    QTest::newRow("no log") << false << true << "Le log « F5ABC_KZT.log » est introuvable";
    QTest::newRow("no file") << true << false << "L'importation du fichier « absent.adi »";
}

void TestImportAdif::echecs()
{
    QFETCH(bool, log);
    QFETCH(bool, fichier);
    QFETCH(QString, message);
    Dossier d;
    if (log)
        QVERIFY(d.ecritLog({}));
    OutilsTest::ecritOctets(d.chemin("entree.adi"), kRecord.toLatin1());
    const Importation::Bilan b = Importation::importeFichier(
        d.dossier.path(), kStation, d.chemin(fichier ? "entree.adi" : "absent.adi"), d.horloge);
    QVERIFY(!b.statut.estOk());
    QVERIFY2(b.resume().contains(message), qPrintable(b.resume()));
    QCOMPARE(d.log(), QByteArray());
    QVERIFY(!QFile::exists(d.chemin(Importation::nomRapport(kStation))));
    QVERIFY(!QFile::exists(d.chemin("Sauvegardes")));
}

// The summary gives the first ten reasons with their counts, and how many
// other reasons there were.
void TestImportAdif::raisonsResumees_data()
{
    QTest::addColumn<int>("raisons");
    QTest::addColumn<QString>("fin");
    QTest::newRow("ten") << 10 << "   1 × raison 10";
    QTest::newRow("eleven") << 11 << "   1 × raison 10\r\n   et 1 autre raison";
    QTest::newRow("twelve") << 12 << "   1 × raison 10\r\n   et 2 autres raisons";
}

void TestImportAdif::raisonsResumees()
{
    QFETCH(int, raisons);
    QFETCH(QString, fin);
    Importation::Bilan b;
    b.statutRapport = Statut::valide();
    for (int i = 1; i <= raisons; ++i)
        b.rejets.push_back({i, QStringLiteral("raison %1").arg(i), QString()});
    QVERIFY2(b.resume().endsWith(fin), qPrintable(b.resume()));
}

QTEST_GUILESS_MAIN(TestImportAdif)
#include "tst_importadif.moc"

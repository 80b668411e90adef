#include "JeuxEssaiAdif.h"
#include "OutilsTest.h"

#include "core/exchange/Adif.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/platform/BoiteMessage.h"
#include "support/BoiteMessageScriptee.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiAdif;

namespace {

const QByteArray kExemple =
    "<call:5>FXXXX<STATE:2>77<name:4>JEAN<SIG:5>77121<qso_date:8>20141225<time_on:4>1405"
    "<mode:3>SSB<band:3>20m<rst_rcvd:2>59<rst_sent:2>59<SIG_INFO:17>MOULIN DE LA TOUR"
    "<QSL_RCVD:1>Y<eor>";

QByteArray entete(const QString& indicatif)
{
    return "Exportation du log de la station " + indicatif.toLatin1() + " au format ADIF\r\n";
}

} // namespace

class TestAdif : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exempleTraite();
    void champsLus_data();
    void champsLus();
    void bandesLues_data();
    void bandesLues();
    void enAsciiSeulement_data();
    void enAsciiSeulement();

    void logVideDonneLEnteteSeul();
    void exportEcritChaqueLigneEtRemplaceLePrecedent();
    void echecsSignales_data();
    void echecsSignales();
    void disquePleinGardeLExportPrecedent();
};

void TestAdif::exempleTraite()
{
    const QString l = ligne(champs());
    QCOMPARE(l.size(), LogLine::Longueur);
    QCOMPARE(Adif::ADIF_SP(l).toLatin1(), kExemple);
}

void TestAdif::champsLus_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QStringList>("attendu");

    auto avec = [](auto changeLog) {
        LogLine::Champs c = champs();
        changeLog(c);
        return ligne(c);
    };

    QTest::newRow("empty first name and windmill name") << avec([](auto& c) {
        c.prenom.clear();
        c.nomMoulin.clear();
    }) << QStringList{"<name:0><SIG:5>", "<SIG_INFO:0><QSL_RCVD:1>Y<eor>"};
    QTest::newRow("QSL not received")
        << avec([](auto& c) { c.qsl = false; }) << QStringList{"<QSL_RCVD:1>N<eor>"};
    QTest::newRow("department in lower case")
        << avec([](auto& c) { c.departement = "2a"; }) << QStringList{"<STATE:2>2a<name:"};
    QTest::newRow("one-character department")
        << avec([](auto& c) { c.departement = "7"; }) << QStringList{"<STATE:1>7<name:"};
    QTest::newRow("inner blanks count")
        << avec([](auto& c) { c.nomMoulin = "  LE  GRAND MOULIN "; })
        << QStringList{"<SIG_INFO:16>LE  GRAND MOULIN<"};
    QTest::newRow("accented names lose their accents") << avec([](auto& c) {
        c.prenom = "hélène";
        c.nomMoulin = "moulin de l'écluse";
    }) << QStringList{"<name:6>HELENE<SIG:", "<SIG_INFO:18>MOULIN DE L'ECLUSE<"};
    QTest::newRow("ligatures are spelt out and counted") << avec([](auto& c) {
        c.prenom = "Œdipe";
        c.nomMoulin = "cæsar";
    }) << QStringList{"<name:6>OEDIPE<SIG:", "<SIG_INFO:6>CAESAR<"};
    QTest::newRow("CW on 1.8 Mhz") << avec([](auto& c) {
        c.mode = "CW";
        c.bande = "1.8 Mhz";
    }) << QStringList{"<mode:2>CW<band:4>160m<rst_rcvd:"};
    QTest::newRow("each report in its own field") << avec([](auto& c) {
        c.rstRecu = "57";
        c.rstEnvoye = "449";
    }) << QStringList{"<rst_rcvd:2>57<rst_sent:3>449<SIG_INFO:"};
    // The century follows the rule the log orders its QSOs by.
    QTest::newRow("1999 stays in its century")
        << avec([](auto& c) { c.date = "31/12/99"; }) << QStringList{"<qso_date:8>19991231<"};
    QTest::newRow("50 is 1950") << avec([](auto& c) { c.date = "01/01/50"; })
                                << QStringList{"<qso_date:8>19500101<"};
    QTest::newRow("49 is 2049") << avec([](auto& c) { c.date = "01/01/49"; })
                                << QStringList{"<qso_date:8>20490101<"};
    QTest::newRow("00 is 2000") << avec([](auto& c) { c.date = "29/02/00"; })
                                << QStringList{"<qso_date:8>20000229<"};

    // Lines of a hand-edited file are written as they stand.
    const QString l = ligne(champs());
    QTest::newRow("department of four characters")
        << QString(l).replace(13, 4, "123 ") << QStringList{"<STATE:2>12<name:"};
    QTest::newRow("empty date and time") << QString(l).replace(40, 14, QString(14, ' '))
                                         << QStringList{"<qso_date:2>20<time_on:0><mode:"};
    QTest::newRow("short line") << l.left(12)
                                << QStringList{"<call:5>FXXXX<STATE:0><name:0><SIG:0><qso_date:2>20"
                                               "<time_on:0><mode:0><band:0><rst_rcvd:0><rst_sent:0>"
                                               "<SIG_INFO:0><QSL_RCVD:1>N<eor>"};
    QTest::newRow("line without its QSL column")
        << l.left(106) << QStringList{"<QSL_RCVD:1>N<eor>"};
    QTest::newRow("empty line") << QString()
                                << QStringList{"<call:0><STATE:0><name:0><SIG:0><qso_date:2>20"
                                               "<time_on:0><mode:0><band:0><rst_rcvd:0><rst_sent:0>"
                                               "<SIG_INFO:0><QSL_RCVD:1>N<eor>"};
}

void TestAdif::champsLus()
{
    QFETCH(QString, ligne);
    QFETCH(QStringList, attendu);
    const QString enregistrement = Adif::ADIF_SP(ligne);
    for (const QString& piece : attendu)
        QVERIFY2(enregistrement.contains(piece), qPrintable(enregistrement + "\n  lacks " + piece));
    QVERIFY(enregistrement.endsWith("<eor>"));
    QVERIFY(!enregistrement.contains('\r') && !enregistrement.contains('\n'));
}

void TestAdif::bandesLues_data()
{
    QTest::addColumn<QString>("etiquette");
    QTest::addColumn<QString>("bandeDonnee");
    const QStringList adif = {"160m", "80m", "40m", "30m", "20m", "17m",
                              "15m",  "12m", "10m", "6m",  "2m",  "70cm"};
    for (int i = 0; i < listeBandes().size(); ++i)
        QTest::newRow(qPrintable(listeBandes().at(i))) << listeBandes().at(i) << adif.at(i);
    QTest::newRow("unknown label") << "5 Mhz"
                                   << "";
    QTest::newRow("case counts") << "14 MHZ"
                                 << "";
}

void TestAdif::bandesLues()
{
    QFETCH(QString, etiquette);
    QFETCH(QString, bandeDonnee);
    LogLine::Champs c = champs();
    c.bande = etiquette;
    const QString enregistrement = Adif::ADIF_SP(ligne(c));
    const QString attendu =
        QStringLiteral("<band:%1>%2<rst_rcvd:").arg(bandeDonnee.size()).arg(bandeDonnee);
    QVERIFY2(enregistrement.contains(attendu), qPrintable(enregistrement));
    QCOMPARE(Adif::bandeAdif(etiquette), bandeDonnee);
}

void TestAdif::enAsciiSeulement_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("ecrit");
    QTest::newRow("ASCII stays") << "MOULIN <DE> LA TOUR ~!"
                                 << "MOULIN <DE> LA TOUR ~!";
    QTest::newRow("capital accents") << "ÀÂÄÇÉÈÊËÎÏÔÖÙÛÜŸ"
                                     << "AAACEEEEIIOOUUUY";
    QTest::newRow("small accents") << "àâçéèêëîïôùûüÿñ"
                                   << "aaceeeeiiouuuyn";
    QTest::newRow("ligatures") << "ŒœÆæß"
                               << "OEoeAEaess";
    QTest::newRow("quotes and dashes") << "l’œil « x » – y — z…"
                                       << "l'oeil \" x \" - y - z...";
    QTest::newRow("no ASCII form") << "N°3 µ"
                                   << "N?3 ?";
    QTest::newRow("control characters") << QString("A\tB") << "A?B";
}

void TestAdif::enAsciiSeulement()
{
    QFETCH(QString, texte);
    QFETCH(QString, ecrit);
    QCOMPARE(Adif::enAscii(texte), ecrit);
}

void TestAdif::logVideDonneLEnteteSeul()
{
    QTemporaryDir dossier;
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F1ABC_KZT.log"), QByteArray()));
    QVERIFY(Adif::exporte(dossier.path(), "F1ABC").estOk());
    const QByteArray adi = OutilsTest::litOctets(dossier.filePath("F1ABC_KZT.adi"));
    const QList<QByteArray> lignes = adi.split('\n');
    QCOMPARE(lignes.size(), 7); // six lines ended by CR LF
    QVERIFY(adi.endsWith("\r\n\r\n\r\n<eoh>\r\n"));
    QVERIFY(adi.startsWith(entete("F1ABC") + "\r\n"));
    const QByteArray avise = lignes.at(2);
    QVERIFY(avise.contains("RQN_KZT") && avise.contains("1.0.2"));
    // The only tags before <eoh> are the standard header fields.
    QCOMPARE(adi.count('<'), 3);
    QVERIFY(avise.contains("<ADIF_VER:5>3.1.6") && avise.contains("<PROGRAMID:7>RQN_KZT"));
    for (const char c : adi)
        QVERIFY(uchar(c) < 0x80);
}

void TestAdif::exportEcritChaqueLigneEtRemplaceLePrecedent()
{
    QTemporaryDir dossier;
    const QStringList lignes = journalComplet();
    const QByteArray log = JeuxEssaiAdif::log(lignes);
    const QString chemin = dossier.filePath("F5A_B_KZT.log");
    QVERIFY(OutilsTest::ecritOctets(chemin, log));
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F5A_B_KZT.adi"), QByteArray(100000, 'x')));

    BoiteMessageScriptee messages;
    Adif::Mnu_ADIF_Click(dossier.path(), "F5A_B", messages);
    QCOMPARE(messages.textes(),
             QStringList{"Le fichier a été enregistré sous le nom : F5A_B_KZT.adi"});

    const QByteArray adi = OutilsTest::litOctets(dossier.filePath("F5A_B_KZT.adi"));
    QVERIFY(adi.startsWith(entete("F5A_B")));
    QByteArray attendu;
    for (const QString& l : lignes)
        attendu += Adif::ADIF_SP(l).toLatin1() + "\r\n";
    QVERIFY(adi.endsWith("<eoh>\r\n" + attendu));
    QCOMPARE(adi.count("<eor>"), lignes.size());
    for (const char c : adi)
        QVERIFY(uchar(c) < 0x80);
    QCOMPARE(OutilsTest::litOctets(chemin), log);
    QVERIFY(!QFile::exists(dossier.filePath("Temporaire_ADIF.txt")));
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 2);
}

void TestAdif::echecsSignales_data()
{
    QTest::addColumn<QString>("pourquoi");
    QTest::newRow("log missing") << "log";
    QTest::newRow("export name taken by a folder") << "folder";
    QTest::newRow("work file name taken by a folder") << "work";
}

void TestAdif::echecsSignales()
{
    QFETCH(QString, pourquoi);
    QTemporaryDir dossier;
    const QByteArray log = JeuxEssaiAdif::log({ligne(champs())});
    if (pourquoi != "log")
        QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F1ABC_KZT.log"), log));
    if (pourquoi == "folder")
        QVERIFY(QDir(dossier.path()).mkdir("F1ABC_KZT.adi"));
    if (pourquoi == "work")
        QVERIFY(QDir(dossier.path()).mkdir("Temporaire_ADIF.txt"));

    BoiteMessageScriptee messages;
    Adif::Mnu_ADIF_Click(dossier.path(), "F1ABC", messages);
    QCOMPARE(messages.affichees().size(), 1);
    const QString texte = messages.dernierTexte();
    QVERIFY2(texte.startsWith("L'exportation au format ADIF n'a pas pu se faire :\r\n\r\n"),
             qPrintable(texte));
    QVERIFY2(texte.size() > 60, qPrintable(texte));
    QVERIFY(!QFileInfo(dossier.filePath("F1ABC_KZT.adi")).isFile());
    if (pourquoi != "log")
        QCOMPARE(OutilsTest::litOctets(dossier.filePath("F1ABC_KZT.log")), log);
}

void TestAdif::disquePleinGardeLExportPrecedent()
{
    QTemporaryDir dossier;
    QStringList lignes;
    for (int i = 0; i < 200; ++i)
        lignes += journalComplet();
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F1ABC_KZT.log"), JeuxEssaiAdif::log(lignes)));
    const QByteArray ancien = "export précédent";
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F1ABC_KZT.adi"), ancien));
    Statut fait;
    {
        EXIGE_LIMITE_TAILLE();
        OutilsTest::LimiteTailleFichier limite(64 * 1024);
        fait = Adif::exporte(dossier.path(), "F1ABC");
    }
    QVERIFY(!fait.estOk());
    QVERIFY2(fait.message.contains("disque est plein"), qPrintable(fait.message));
    QCOMPARE(OutilsTest::litOctets(dossier.filePath("F1ABC_KZT.adi")), ancien);
    QVERIFY(!QFile::exists(dossier.filePath("Temporaire_ADIF.txt")));
}

QTEST_GUILESS_MAIN(TestAdif)
#include "tst_adif.moc"

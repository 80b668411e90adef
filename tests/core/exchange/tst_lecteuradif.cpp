#include "JeuxEssaiAdif.h"
#include "OutilsTest.h"

#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/log/StationLog.h"
#include "support/HorlogeReglee.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The export as another program reads it: tcadif, a strict ADIF reader,
// must take every record.
class TestLecteurAdif : public QObject {
    Q_OBJECT

    QJsonObject lit(const QString& adi)
    {
        QProcess noeud;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NODE_PATH", QStringLiteral(KZT_NODE_MODULES));
        noeud.setProcessEnvironment(env);
        noeud.start(QStringLiteral(KZT_NODE), {QStringLiteral(KZT_LECTEUR), adi});
        if (!noeud.waitForFinished(60000) || noeud.exitCode() != 0) {
            qWarning() << noeud.readAllStandardError();
            return {};
        }
        return QJsonDocument::fromJson(noeud.readAllStandardOutput()).object();
    }

    // Writes the ADI file that tcadif makes of the description.
    bool ecrit(const QString& adi, const QJsonObject& description)
    {
        QProcess noeud;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NODE_PATH", QStringLiteral(KZT_NODE_MODULES));
        noeud.setProcessEnvironment(env);
        noeud.start(QStringLiteral(KZT_NODE), {QStringLiteral(KZT_ECRIVAIN), adi});
        noeud.write(QJsonDocument(description).toJson());
        noeud.closeWriteChannel();
        if (!noeud.waitForFinished(60000) || noeud.exitCode() != 0) {
            qWarning() << noeud.readAllStandardError();
            return false;
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase();
    void chaqueEnregistrementAccepte();
    void importDeFichiersTcadif_data();
    void importDeFichiersTcadif();
};

// tcadif comes from the npm registry through scripts/test, never during a
// test: without it the test stops at once and says how to install it.
void TestLecteurAdif::initTestCase()
{
    const QString paquet = QStringLiteral(KZT_NODE_MODULES "/tcadif/package.json");
    const QByteArray version = QJsonDocument::fromJson(OutilsTest::litOctets(paquet))
                                   .object()
                                   .value("version")
                                   .toString()
                                   .toUtf8();
    if (version != KZT_TCADIF_VERSION)
        QFAIL(qPrintable(
            QStringLiteral("tcadif " KZT_TCADIF_VERSION " is not installed in " KZT_NODE_MODULES
                           " (found: %1). scripts/test installs it once with npm; by hand: "
                           "npm install --prefix " KZT_NODE_MODULES
                           "/.. tcadif@" KZT_TCADIF_VERSION)
                .arg(version.isEmpty() ? QStringLiteral("none") : QString::fromUtf8(version))));
}

void TestLecteurAdif::chaqueEnregistrementAccepte()
{
    QTemporaryDir dossier;
    const QStringList lignes = JeuxEssaiAdif::journalComplet();
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F5ABC_KZT.log"), JeuxEssaiAdif::log(lignes)));
    QVERIFY(Adif::exporte(dossier.path(), "F5ABC").estOk());

    const QJsonObject lu = lit(dossier.filePath("F5ABC_KZT.adi"));
    QVERIFY2(!lu.isEmpty(), "the reader did not run");
    QCOMPARE(lu["errors"].toArray(), QJsonArray());
    QCOMPARE(lu["rejected"].toInt(), 0);
    QCOMPARE(lu["accepted"].toInt(), lignes.size());
    QCOMPARE(lu["headerError"], QJsonValue());
    QCOMPARE(lu["nonAscii"].toBool(), false);
    QCOMPARE(lu["leftover"].toString(), QString());
    const QJsonObject entete = lu["header"].toObject();
    QCOMPARE(entete["ADIF_VER"].toString(), QStringLiteral("3.1.6"));
    QCOMPARE(entete["PROGRAMID"].toString(), QStringLiteral("RQN_KZT"));

    // What the reader took is what the log holds.
    const QJsonArray qsos = lu["qsos"].toArray();
    const QStringList bandes = {"160M", "80M", "40M", "30M", "20M", "17M",
                                "15M",  "12M", "10M", "6M",  "2M",  "70CM"};
    for (int i = 0; i < qsos.size(); ++i) {
        const QJsonObject q = qsos.at(i).toObject();
        const QString l = lignes.at(i);
        QCOMPARE(q["CALL"].toString(), l.left(12).trimmed());
        QCOMPARE(q["BAND"].toString(), bandes.at(i / 3));
        QCOMPARE(q["MODE"].toString(), l.mid(55, 3).trimmed());
        QCOMPARE(q["RST_RCVD"].toString(), l.mid(67, 3).trimmed());
        QCOMPARE(q["RST_SENT"].toString(), l.mid(71, 3).trimmed());
        QCOMPARE(q["SIG_INFO"].toString(), Adif::enAscii(l.mid(75, 30).trimmed()));
        QCOMPARE(q["QSL_RCVD"].toString(), l.endsWith('*') ? "Y" : "N");
    }
}

void TestLecteurAdif::importDeFichiersTcadif_data()
{
    QTest::addColumn<bool>("sigKzt");
    QTest::addColumn<bool>("entete");
    QTest::addColumn<bool>("minuscule");
    QTest::addColumn<QString>("codage");
    for (const bool sigKzt : {false, true}) {
        const char* convention = sigKzt ? "SIG KZT" : "SIG reference";
        QTest::addRow("%s, header, UTF-8", convention) << sigKzt << true << false << "utf8";
        QTest::addRow("%s, no header, UTF-8", convention) << sigKzt << false << false << "utf8";
        QTest::addRow("%s, lower case, Windows-1252", convention)
            << sigKzt << true << true << "latin1";
        QTest::addRow("%s, no header, lower case, Windows-1252", convention)
            << sigKzt << false << true << "latin1";
    }
}

// Files of another program, in either windmill convention: every KZT QSO
// comes in, the QSO of another award is skipped.
void TestLecteurAdif::importDeFichiersTcadif()
{
    QFETCH(bool, sigKzt);
    QFETCH(bool, entete);
    QFETCH(bool, minuscule);
    QFETCH(QString, codage);
    const auto ligneQso = [sigKzt](const QString& appel, const QString& date,
                                   const QString& reference, QJsonObject champs) {
        champs["CALL"] = appel;
        champs["QSO_DATE"] = date;
        champs["TIME_ON"] = "172600";
        champs["RST_RCVD"] = "59";
        champs["RST_SENT"] = "57";
        champs["SIG"] = sigKzt ? "KZT" : reference;
        if (sigKzt)
            champs["SIG_INFO"] = reference;
        return champs;
    };
    const QJsonArray qsos = {
        ligneQso("F6XYZ", "20230217", "77121",
                 {{"BAND", "20m"},
                  {"MODE", "SSB"},
                  {"SUBMODE", "USB"},
                  {"STATE", "77"},
                  {"QSL_RCVD", "Y"}}),
        ligneQso("F1AAA", "19991231", "2A001", {{"FREQ", "144.300"}, {"MODE", "FM"}}),
        ligneQso("F2BBB", "20240501", "POTA", {{"BAND", "40m"}, {"MODE", "CW"}}),
        ligneQso("F3CCC", "20240502", "59001", {{"BAND", "70cm"}, {"MODE", "CW"}, {"STATE", "NY"}}),
    };
    QJsonArray libres = {QJsonObject{{"NAME", "Hélène"}}, QJsonObject(), QJsonObject(),
                         QJsonObject{{"NAME", "Zoé"}}};
    if (!sigKzt)
        libres[0] = QJsonObject{{"NAME", "Hélène"}, {"SIG_INFO", "Moulin à vent"}};
    QTemporaryDir dossier;
    QVERIFY(ecrit(dossier.filePath("autre.adi"), {{"qsos", qsos},
                                                  {"header", entete},
                                                  {"lowerCase", minuscule},
                                                  {"encoding", codage},
                                                  {"free", libres}}));
    QVERIFY(OutilsTest::ecritOctets(dossier.filePath("F5ABC_KZT.log"), QByteArray()));
    const HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC));
    const Importation::Bilan b = Importation::importeFichier(
        dossier.path(), "F5ABC", dossier.filePath("autre.adi"), horloge);
    QVERIFY2(b.statut.estOk(), qPrintable(b.statut.message));
    QCOMPARE(b.importes, 3);
    QCOMPARE(b.rejets.size(), size_t(1));
    QVERIFY(b.rejets.front().texte.contains("F2BBB"));

    LogLine::Champs a = LignesQso::ordinaire();
    a.indicatif = "F1AAA";
    a.departement = "2a";
    a.prenom = "";
    a.reference = "2a001";
    a.date = "31/12/99";
    a.heure = "17:26";
    a.mode = "FM";
    a.bande = "144 Mhz";
    a.nomMoulin = "";
    LogLine::Champs x = a;
    x.indicatif = "F6XYZ";
    x.departement = "77";
    x.prenom = "HÉLÈNE";
    x.reference = "77121";
    x.date = "17/02/23";
    x.mode = "SSB";
    x.bande = "14 Mhz";
    x.nomMoulin = sigKzt ? "" : "MOULIN À VENT";
    x.qsl = true;
    LogLine::Champs c = a;
    c.indicatif = "F3CCC";
    c.departement = "59";
    c.prenom = "ZOÉ";
    c.reference = "59001";
    c.date = "02/05/24";
    c.mode = "CW";
    c.bande = "432 Mhz";
    QCOMPARE(OutilsTest::litOctets(dossier.filePath("F5ABC_KZT.log")),
             LignesQso::fichier({LignesQso::ligne(a), LignesQso::ligne(x), LignesQso::ligne(c)}));
}

QTEST_GUILESS_MAIN(TestLecteurAdif)
#include "tst_lecteuradif.moc"

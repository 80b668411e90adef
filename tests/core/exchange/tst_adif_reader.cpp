#include "AdifFixtures.h"
#include "TestSupport.h"

#include "core/exchange/Adif.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The export as another program reads it: tcadif, a strict ADIF reader,
// must take every record.
class TestAdifReader : public QObject {
    Q_OBJECT

    QJsonObject lit(const QString& adi)
    {
        QProcess node;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NODE_PATH", QStringLiteral(KZT_NODE_MODULES));
        node.setProcessEnvironment(env);
        node.start(QStringLiteral(KZT_NODE), {QStringLiteral(KZT_LECTEUR), adi});
        if (!node.waitForFinished(60000) || node.exitCode() != 0) {
            qWarning() << node.readAllStandardError();
            return {};
        }
        return QJsonDocument::fromJson(node.readAllStandardOutput()).object();
    }

private Q_SLOTS:
    void everyRecordIsAccepted();
};

void TestAdifReader::everyRecordIsAccepted()
{
    QTemporaryDir dir;
    const QStringList lignes = AdifFixtures::journalComplet();
    QVERIFY(TestSupport::writeBytes(dir.filePath("F5ABC_KZT.log"), AdifFixtures::log(lignes)));
    QVERIFY(Adif::Exporte(dir.path(), "F5ABC").isOk());

    const QJsonObject lu = lit(dir.filePath("F5ABC_KZT.adi"));
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
        QCOMPARE(q["SIG_INFO"].toString(), Adif::Ascii(l.mid(75, 30).trimmed()));
        QCOMPARE(q["QSL_RCVD"].toString(), l.endsWith('*') ? "Y" : "N");
    }
}

QTEST_GUILESS_MAIN(TestAdifReader)
#include "tst_adif_reader.moc"

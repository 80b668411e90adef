#include "TestSupport.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodesEveryByteAndWritesItBack()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // €
        QCOMPARE(text.at(0x8C), QChar(0x0152)); // Œ
        QCOMPARE(text.at(0x9F), QChar(0x0178)); // Ÿ
        QCOMPARE(text.at(0xE9), QChar(0x00E9)); // é
        QCOMPARE(text.at(0x81), QChar(0x0081)); // undefined byte kept as is
        QByteArray back;
        QVERIFY(Cp1252::encode(text, &back));
        QCOMPARE(back, all);
    }

    void refusesCharactersWithoutAByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("badIndex");
        QTest::newRow("cyrillic") << QStringLiteral("ABЖ") << 2;
        QTest::newRow("greek") << QStringLiteral("Ωmega") << 0;
        QTest::newRow("emoji") << QStringLiteral("M. 😀") << 3;
        QTest::newRow("latin-ext") << QStringLiteral("Łódź") << 0;
    }
    void refusesCharactersWithoutAByte()
    {
        QFETCH(QString, text);
        QFETCH(int, badIndex);
        QByteArray out = "untouched";
        qsizetype bad = -1;
        QVERIFY(!Cp1252::encode(text, &out, &bad));
        QCOMPARE(bad, qsizetype(badIndex));
        QCOMPARE(out, QByteArray("untouched"));
        QVERIFY(Cp1252::describe(text, bad).contains(QLatin1String("U+")));
    }

    void upperCaseKeepsLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << QStringLiteral("jean-paul") << QStringLiteral("JEAN-PAUL");
        QTest::newRow("accents") << QStringLiteral("éèçœ") << QStringLiteral("ÉÈÇŒ");
        QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << QStringLiteral("Ÿ");
        QTest::newRow("sharp s stays") << QStringLiteral("straße") << QStringLiteral("STRAßE");
        QTest::newRow("micro stays") << QStringLiteral("µ") << QStringLiteral("µ");
    }
    void upperCaseKeepsLength()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(Cp1252::toUpper(text), upper);
    }

    void readsEveryLineEnding_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("no last end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\nb\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("blank line kept")
            << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("short line") << QByteArray("F1ABC  77\r\n") << QStringList{"F1ABC  77"};
        QTest::newRow("cp1252") << QByteArray("\xc9t\xe9 \x80\r\n") << QStringList{"Été €"};
    }
    void readsEveryLineEnding()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        writeBytes(path, content);
        QStringList read;
        QVERIFY(TextFile::readText(path, &read).isOk());
        QCOMPARE(read, lines);
    }

    void missingFileIsReportedAsMissing()
    {
        QTemporaryDir dir;
        QStringList lines;
        const Status s = TextFile::readText(dir.filePath(QStringLiteral("none.txt")), &lines);
        QCOMPARE(s.code, Status::Missing);
        QVERIFY(!s.message.isEmpty());
    }

    void replaceWritesCrLfAndRemovesTheWorkFile()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        writeBytes(target, "old\n");
        QVERIFY(TextFile::replaceText(target, work,
                                      {QStringLiteral("Été"), QString(), QStringLiteral("b")})
                    .isOk());
        QCOMPARE(readBytes(target), QByteArray("\xc9t\xe9\r\n\r\nb\r\n"));
        QVERIFY(!QFile::exists(work));
    }

    void unencodableTextWritesNothing()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        writeBytes(target, "old\r\n");
        const Status s =
            TextFile::replaceText(target, work, {QStringLiteral("ok"), QStringLiteral("Ж")});
        QVERIFY(!s.isOk());
        QVERIFY(s.message.contains(QLatin1String("U+0416")));
        QCOMPARE(readBytes(target), QByteArray("old\r\n"));
        QVERIFY(!QFile::exists(work));
    }

    void fullDiskLeavesTheTargetAsItWas()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        const QByteArray before(5000, 'x');
        QVERIFY(writeBytes(target, before));
        Status s;
        {
            FileSizeLimit limit(1000);
            s = TextFile::replace(target, work, {QByteArray(4000, 'y')});
        }
        QVERIFY(!s.isOk());
        QVERIFY2(s.message.contains(QLatin1String("disque est plein")), qPrintable(s.message));
        QCOMPARE(readBytes(target), before);
        QVERIFY(!QFile::exists(work));
    }

    void unusableWorkFileLeavesTheTargetAsItWas()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("log.txt"));
        const QString work = dir.filePath(QStringLiteral("Temporaire.txt"));
        writeBytes(target, "keep\r\n");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
        const Status s = TextFile::replace(target, work, {"new"});
        QVERIFY(!s.isOk());
        QCOMPARE(readBytes(target), QByteArray("keep\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

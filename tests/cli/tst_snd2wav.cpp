#include "cli/CliContext.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray OneNote("\x07\x00\x01\x00\x00\x11\xff\xff", 8); // 344 samples

} // namespace

class TestSnd2Wav : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void converts_data();
    void converts();
    void wrongArgumentCount_data();
    void wrongArgumentCount();
    void refused_data();
    void refused();

private:
    int run(const QStringList &args);

    std::unique_ptr<QTemporaryDir> dir;
    QString errText;
};

void TestSnd2Wav::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    errText.clear();
}

int TestSnd2Wav::run(const QStringList &args)
{
    QString outText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    CliContext ctx{out, err, QProcessEnvironment()};
    const int code = runQuorixCtl(QStringList{QStringLiteral("snd2wav")} + args, ctx);
    err.flush();
    return code;
}

void TestSnd2Wav::converts_data()
{
    QTest::addColumn<QString>("inName");
    QTest::addColumn<QString>("outName");
    QTest::newRow("plain names") << QStringLiteral("alarm.snd") << QStringLiteral("alarm.wav");
    QTest::newRow("non-ASCII names")
        << QStringLiteral("Wecker ä.snd") << QStringLiteral("Klänge ü.wav");
}

void TestSnd2Wav::converts()
{
    QFETCH(QString, inName);
    QFETCH(QString, outName);
    QVERIFY(writeFile(dir->filePath(inName), OneNote));

    QCOMPARE(run({dir->filePath(inName), dir->filePath(outName)}), int(ExitOk));
    QCOMPARE(errText, QString());
    const QByteArray wav = readFile(dir->filePath(outName));
    QCOMPARE(wav.size(), 44 + 344);
    QCOMPARE(wav.mid(36, 8), QByteArray("data\x58\x01\x00\x00", 8));
}

void TestSnd2Wav::wrongArgumentCount_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestSnd2Wav::wrongArgumentCount()
{
    QFETCH(int, count);
    QVERIFY(writeFile(dir->filePath(QStringLiteral("in.snd")), OneNote));
    const QStringList args = {dir->filePath(QStringLiteral("in.snd")),
                              dir->filePath(QStringLiteral("a.wav")),
                              dir->filePath(QStringLiteral("b.wav"))};

    QCOMPARE(run(args.mid(0, count)), int(ExitUsage));
    QVERIFY(errText.contains(QStringLiteral("snd2wav IN.snd OUT.wav")));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"in.snd"}));
}

void TestSnd2Wav::refused_data()
{
    QTest::addColumn<QByteArray>("input"); // empty: IN is missing
    QTest::addColumn<QString>("outName");
    QTest::addColumn<bool>("outExists");
    QTest::addColumn<bool>("blameOut");
    QTest::addColumn<QString>("reason");

    const QString out = QStringLiteral("out.wav");
    QTest::newRow("IN missing") << QByteArray() << out << false << false
                                << QStringLiteral("cannot read");
    QTest::newRow("IN missing, OUT exists")
        << QByteArray() << out << true << false << QStringLiteral("cannot read");
    QTest::newRow("tempo 0") << QByteArray("\x07\x00\x00\x00\xff\xff", 6) << out << false << false
                             << QStringLiteral("tempo 0");
    QTest::newRow("no end marker, OUT exists") << QByteArray("\x07\x00\x01\x00\x00\x11", 6) << out
                                               << true << false << QStringLiteral("no end marker");
    QTest::newRow("OUT in a missing folder") << OneNote << QStringLiteral("missing/out.wav")
                                             << false << true << QStringLiteral("cannot write");
}

void TestSnd2Wav::refused()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, outName);
    QFETCH(bool, outExists);
    QFETCH(bool, blameOut);
    QFETCH(QString, reason);
    const QString in = dir->filePath(QStringLiteral("in.snd"));
    const QString out = dir->filePath(outName);
    if (!input.isEmpty())
        QVERIFY(writeFile(in, input));
    const QByteArray earlier("earlier output");
    if (outExists)
        QVERIFY(writeFile(out, earlier));

    QCOMPARE(run({in, out}), int(ExitBadInput));
    QCOMPARE(errText.count(u'\n'), 1);
    QVERIFY2(errText.contains(blameOut ? out : in) && errText.contains(reason),
             qPrintable(errText));
    QCOMPARE(QFile::exists(out), outExists);
    if (outExists)
        QCOMPARE(readFile(out), earlier);
}

QTEST_GUILESS_MAIN(TestSnd2Wav)
#include "tst_snd2wav.moc"

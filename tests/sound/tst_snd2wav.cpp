#include "cli/CliContext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray OneNote("\x07\x00\x01\x00\x00\x11\xff\xff", 8); // 344 samples
const QByteArray NoEndMarker("\x07\x00\x01\x00\x00\x11", 6);
const QByteArray Tempo0("\x07\x00\x00\x00\xff\xff", 6);

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    void badInput_data();
    void badInput();
    void unwritableOutput();

private:
    int run(const QStringList &args);

    std::unique_ptr<QTemporaryDir> dir;
    QString outText;
    QString errText;
};

void TestSnd2Wav::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    outText.clear();
    errText.clear();
}

int TestSnd2Wav::run(const QStringList &args)
{
    QTextStream out(&outText);
    QTextStream err(&errText);
    CliContext ctx{out, err, QProcessEnvironment()};
    const int code = runQuorixCtl(QStringList{QStringLiteral("snd2wav")} + args, ctx);
    out.flush();
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
    const QString in = dir->filePath(inName);
    const QString out = dir->filePath(outName);
    QVERIFY(writeFile(in, OneNote));

    QCOMPARE(run({in, out}), int(ExitOk));
    QCOMPARE(errText, QString());
    const QByteArray wav = readFile(out);
    QCOMPARE(wav.size(), 44 + 344);
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(wav.mid(40, 4), QByteArray("\x58\x01\x00\x00", 4));
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
    const QString in = dir->filePath(QStringLiteral("in.snd"));
    QVERIFY(writeFile(in, OneNote));
    const QStringList args = QStringList{in, dir->filePath(QStringLiteral("a.wav")),
                                         dir->filePath(QStringLiteral("b.wav"))}
                                 .mid(0, count);

    QCOMPARE(run(args), int(ExitUsage));
    QVERIFY(errText.contains(QStringLiteral("snd2wav IN.snd OUT.wav")));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"in.snd"}));
}

void TestSnd2Wav::badInput_data()
{
    QTest::addColumn<QByteArray>("input"); // empty: the file is missing
    QTest::addColumn<bool>("outExists");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << QByteArray() << false << QStringLiteral("cannot read");
    QTest::newRow("missing, OUT exists") << QByteArray() << true << QStringLiteral("cannot read");
    QTest::newRow("tempo 0") << Tempo0 << false << QStringLiteral("tempo 0");
    QTest::newRow("no end marker, OUT exists")
        << NoEndMarker << true << QStringLiteral("no end marker");
}

void TestSnd2Wav::badInput()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, outExists);
    QFETCH(QString, reason);
    const QString in = dir->filePath(QStringLiteral("in.snd"));
    const QString out = dir->filePath(QStringLiteral("out.wav"));
    if (!input.isEmpty())
        QVERIFY(writeFile(in, input));
    const QByteArray earlier("earlier output");
    if (outExists)
        QVERIFY(writeFile(out, earlier));

    QCOMPARE(run({in, out}), int(ExitBadInput));
    QCOMPARE(errText.count(u'\n'), 1);
    QVERIFY2(errText.contains(in) && errText.contains(reason), qPrintable(errText));
    QCOMPARE(QFile::exists(out), outExists);
    if (outExists)
        QCOMPARE(readFile(out), earlier);
}

void TestSnd2Wav::unwritableOutput()
{
    const QString in = dir->filePath(QStringLiteral("in.snd"));
    const QString out = dir->filePath(QStringLiteral("missing/out.wav"));
    QVERIFY(writeFile(in, OneNote));

    QCOMPARE(run({in, out}), int(ExitBadInput));
    QCOMPARE(errText.count(u'\n'), 1);
    QVERIFY2(errText.contains(out), qPrintable(errText));
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(TestSnd2Wav)
#include "tst_snd2wav.moc"

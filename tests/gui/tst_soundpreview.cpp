#include "gui/SoundPreview.h"
#include "platform/DeviceNames.h"
#include "platform/PathMapper.h"
#include "platform/SoundPlayer.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

// A playable two-note sound: 441 Hz, then a rest.
const QByteArray kSound("\x07\x00\x04\x00\x23\x44\x00\x02\xFF\xFF", 10);

} // namespace

class TestSoundPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void preview_data();
    void preview();
    void handedOverFileOutlivesThePreview();
    void temporaryName();
    void waveDevices();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_bin;
    QString m_temp;
};

void TestSoundPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_bin = m_dir->filePath(QStringLiteral("bin"));
    m_temp = m_dir->filePath(QStringLiteral("tmp"));
    QDir().mkpath(m_bin);
    QDir().mkpath(m_temp);
    QDir().mkpath(m_dir->filePath(QStringLiteral("dosdevices")));
    QDir().mkpath(m_dir->filePath(QStringLiteral("drive_c")));
    QFile::link(QStringLiteral("../drive_c"), m_dir->filePath(QStringLiteral("dosdevices/c:")));
}

void TestSoundPreview::preview_data()
{
    QTest::addColumn<QString>("player");   // pw-play, xdg-open or none on PATH
    QTest::addColumn<QByteArray>("sound"); // what the device holds; empty = no such file
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("played");

    QTest::newRow("played by pw-play") << "pw-play" << kSound << "BELL" << QStringList{} << true;
    QTest::newRow("no player at all")
        << "none" << kSound << "BELL" << QStringList{QStringLiteral("Can not run Sound Player!")}
        << false;
    QTest::newRow("not on the device")
        << "pw-play" << QByteArray() << "BELL"
        << QStringList{QStringLiteral("Not found sound file!")} << false;
    QTest::newRow("invalid sound file")
        << "pw-play" << QByteArray("\x07\x00\x00\x00\xFF\xFF", 6) << "BELL"
        << QStringList{QStringLiteral("Write error!")} << false;
    QTest::newRow("name leaving the sound folder")
        << "pw-play" << kSound << "..\\system"
        << QStringList{QStringLiteral("Not found sound file!")} << false;
}

void TestSoundPreview::preview()
{
    QFETCH(QString, player);
    QFETCH(QByteArray, sound);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(bool, played);

    // The fake player records its argument and checks it was given a finished WAV file.
    const QString log = m_dir->filePath(QStringLiteral("played.txt"));
    if (player != u"none")
        writeExecutable(m_bin + u'/' + player, "#!/bin/sh\n[ $# -eq 1 ] || exit 9\n/usr/bin/head "
                                               "-c 4 \"$1\" | /bin/grep -q RIFF || exit 8\n"
                                               "echo \"$1\" >> '" +
                                                   log.toUtf8() + "'\n");
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), m_bin);
    const SoundPlayer soundPlayer(env);

    const PathMapper mapper(m_dir->path());
    FakeDeviceLink link(mapper);
    if (!sound.isEmpty())
        link.setFile(QStringLiteral("\\system\\sound\\") + name + QStringLiteral(".snd"), sound);
    FakeMessageBoxes boxes;
    SoundPreview preview(link, boxes, mapper, soundPlayer);
    preview.setTempDir(m_temp + u'/');
    preview.setClock([] { return QTime(14, 25, 7); });
    QWidget owner;

    preview.cbtSNDprev_Click(name, QStringLiteral("C:\\Suite\\dockman\\cache\\system\\sound"),
                             &owner);

    QCOMPARE(boxes.shown, messages);
    QVERIFY(owner.isEnabled());
    QCOMPARE(QDir(m_temp).entryList(QDir::Files), QStringList{}); // never a file left behind
    QFile playedLog(log);
    QCOMPARE(playedLog.open(QIODevice::ReadOnly), played);
    if (played)
        QCOMPARE(QString::fromUtf8(playedLog.readAll()).trimmed(),
                 m_temp + QStringLiteral("/$$142507.wav"));
    // The fetched sound stays in the cache.
    if (!sound.isEmpty() && isDeviceFileName(name))
        QVERIFY(QFile::exists(
            m_dir->filePath(QStringLiteral("drive_c/Suite/dockman/cache/system/sound/")) + name +
            QStringLiteral(".snd")));
}

void TestSoundPreview::handedOverFileOutlivesThePreview()
{
    writeExecutable(m_bin + QStringLiteral("/xdg-open"), "#!/bin/sh\nexit 0\n");
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), m_bin);
    const SoundPlayer soundPlayer(env);
    const PathMapper mapper(m_dir->path());
    FakeDeviceLink link(mapper);
    link.setFile(QStringLiteral("\\system\\sound\\BELL.snd"), kSound);
    FakeMessageBoxes boxes;
    {
        SoundPreview preview(link, boxes, mapper, soundPlayer);
        preview.setTempDir(m_temp + u'/');
        preview.cbtSNDprev_Click(QStringLiteral("BELL"), QStringLiteral("C:\\cache"), nullptr);
        QVERIFY(boxes.shown.isEmpty());
        // xdg-open returns at once; whatever plays the file may still be reading it.
        QCOMPARE(QDir(m_temp).entryList(QDir::Files).size(), 1);
        QCOMPARE(preview.handedOver().size(), 1);
    }
    QCOMPARE(QDir(m_temp).entryList(QDir::Files), QStringList{});
}

void TestSoundPreview::temporaryName()
{
    QCOMPARE(SoundPreview::temporaryWavName(QTime(14, 25, 7)), QStringLiteral("$$142507.wav"));
    QCOMPARE(SoundPreview::temporaryWavName(QTime(0, 0, 0)), QStringLiteral("$$000000.wav"));
}

void TestSoundPreview::waveDevices()
{
    const QString pcm = m_dir->filePath(QStringLiteral("pcm"));
    QFile f(pcm);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("00-00: ALC Analog : ALC Analog : playback 1 : capture 1\n"
            "00-01: ALC Digital : ALC Digital : playback 1\n"
            "00-02: ALC Alt : ALC Alt : capture 1\n");
    f.close();
    QCOMPARE(waveOutputDeviceCount(pcm, QString()), 2);
    QDir().mkpath(m_dir->filePath(QStringLiteral("run/pulse")));
    QFile(m_dir->filePath(QStringLiteral("run/pulse/native"))).open(QIODevice::WriteOnly);
    QCOMPARE(waveOutputDeviceCount(pcm, m_dir->filePath(QStringLiteral("run"))), 3);
    QCOMPARE(waveOutputDeviceCount(m_dir->filePath(QStringLiteral("none")), QString()), 0);
}

QTEST_MAIN(TestSoundPreview)
#include "tst_soundpreview.moc"

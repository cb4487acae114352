// The settings store between fake pages and a fake device: loads, saves, the save prompt, reset,
// the start-up lookup, folders that refuse writes, the check-file refresh and the sound lists.

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"
#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "settings/SettingsHistory.h"
#include "settings/SettingsStore.h"

#include <QTest>

#include <memory>

using namespace faults;

namespace {

// Every byte of a settings image is the letter of its origin: Factory, Device, Old cache, PC,
// Previous records, New page values. The letters of a pair of images; '-' no file, '/' a
// folder, '?' a mix or a stub.
QString letters(const QByteArray &system, const QByteArray &weekly)
{
    auto letter = [](const QByteArray &bytes, qsizetype size) {
        if (bytes == "<missing>" || bytes == "<directory>")
            return QChar(bytes == "<missing>" ? u'-' : u'/');
        return bytes.size() == size && bytes.count(bytes[0]) == size ? QChar(bytes[0]) : u'?';
    };
    return QString(letter(system, 256)) + letter(weekly, 76);
}

// The window as the store sees it: logs every call, holds the New values.
class FakePages : public SettingsPages
{
public:
    explicit FakePages(SettingsState &state) : m_state(state) {}
    QStringList log;
    int tab = 2;
    bool checkOk = true, copyOk = true;

    void RecordsToPages() override
    {
        log << (m_state.LoadingPages ? QStringLiteral("to") : QStringLiteral("to unflagged"));
    }
    bool PagesToRecords() override
    {
        log << "from";
        if (copyOk)
            m_state.systemRecord.bytes.fill('N'), m_state.weeklyRecord.bytes.fill('N');
        return copyOk;
    }
    void ApplyFactoryDefaults() override { log << "defaults"; }
    int selectedTab() const override { return tab; }
    bool CheckPowerPage() override { return log << "power", checkOk; }
    bool CheckAlarmPage() override { return log << "alarm", checkOk; }
    void refreshPageDisplays() override { log << "refresh"; }
    void refillSoundLists() override { log << "refill"; }
    void setCaption(const QString &caption) override { log << "caption:" + caption; }
    void closeWindow() override { log << "close"; }

private:
    SettingsState &m_state;
};

// Longer than the 200-character field the load hands the link its PC paths in.
const std::string kInstall = "C:\\Suite\\" + std::string(200, 'v');
const QString kSoundCache = QString::fromStdString(kInstall) + "\\dockman\\cache\\system\\sound";

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void flows_data();
    void flows();
    void soundList_data();
    void soundList();
    void alarmSoundFiles_data();
    void alarmSoundFiles();
    void refreshCheckFile_data();
    void refreshCheckFile();
    void ownResetKeepsOpaqueBytes();

private:
    QString host(const std::string &windowsPath) const
    {
        return m_mapper->toHost(QString::fromStdString(windowsPath));
    }

    std::unique_ptr<TestSuite> m_suite;
    std::unique_ptr<PathMapper> m_mapper;
    PathsTable m_paths;
    QStringList m_dirs; // host folders of the cache and the PC settings files
    SettingsState m_state;
    std::unique_ptr<FakeDeviceLink> m_link;
    FakeMessageBoxes m_boxes;
    std::unique_ptr<FakePages> m_pages;
    std::unique_ptr<SettingsHistory> m_history;
    std::unique_ptr<SettingsStore> m_store;
};

void TestSettingsStore::init()
{
    m_suite = std::make_unique<TestSuite>();
    m_mapper = std::make_unique<PathMapper>(m_suite->prefix());
    m_paths = PathsTable::compute(kInstall, "C:\\Program");
    m_dirs = {host(m_paths.CacheSystemDir), host(m_paths.PcIniDir)};
    QVERIFY(writeFile(host(m_paths.DefaultSystemFile), QByteArray(256, 'F')));
    QVERIFY(writeFile(host(m_paths.DefaultWeeklyFile), QByteArray(76, 'F')));
    for (const int i : {0, 1}) {
        QVERIFY(writeFile(m_dirs[i] + "/system.ini", QByteArray(256, "OC"[i])));
        QVERIFY(writeFile(m_dirs[i] + "/weekly.ini", QByteArray(76, "OC"[i])));
    }
    m_state = SettingsState{};
    m_state.systemRecord.bytes.fill('P');
    m_state.weeklyRecord.bytes.fill('P');
    m_link = std::make_unique<FakeDeviceLink>(*m_mapper);
    m_link->addDirectory("\\system");
    m_link->setFile(kDeviceSystemFile, QByteArray(256, 'D'));
    m_link->setFile(kDeviceWeeklyFile, QByteArray(76, 'D'));
    m_boxes = FakeMessageBoxes{};
    m_pages = std::make_unique<FakePages>(m_state);
    m_history = std::make_unique<SettingsHistory>(m_suite->dir.filePath("history"));
    m_store = std::make_unique<SettingsStore>(m_state, m_paths, *m_mapper, *m_link, m_boxes,
                                              *m_pages, *m_history);
}

void TestSettingsStore::flows_data()
{
    // The action is the row name up to its colon.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("result");       // saved 1/0; lookup 1 device, 2 factory files, -1 none
    QTest::addColumn<QString>("messages"); // joined by '|'
    QTest::addColumn<QString>("calls");    // to the link: Get, Put, IsExist, DirByExt
    QTest::addColumn<QString>("pages");
    // The records (lower case while ChangedFlag is set), then the cache, PC and device files:
    // each the old or the new image, never a mix.
    QTest::addColumn<QString>("images");

    const QString same = "PP OO CC DD";
    const QString filer = "Filer access error!(Tavion)", pcFiler = "Filer access error!(PC)";
    const QString ask = "Do you want to save the changes?",
                  notWorking = "Not find the working file!";
    const QString reset = "Reset default setting.\rAre you sure?";
    const QString saved = "from caption:Quorix",
                  loaded = "defaults refill to refresh caption:Quorix";
    auto row = [](const char *name, const QString &setup, int result, const QString &messages,
                  const QString &calls, const QString &pages, const QString &images) {
        QTest::newRow(name) << setup << result << messages << calls << pages << images;
    };
    row("save: tab 1 agrees", "dirty tab1", 1, "", "GGPPGG", "power " + saved, "NN NN CC NN h1");
    row("save: tab 1 refuses", "dirty tab1 refuse", 0, "", "", "power", "pp OO CC DD h0");
    row("save: tab 6 refuses", "dirty tab6 refuse", 0, "", "", "alarm", "pp OO CC DD h0");
    row("save: pages not copied", "dirty copy-fails", 0, filer, "", "from", "pp OO CC DD h0");
    row("save: cache folder made", "dirty no-cache", 1, "", "GGPPGG", saved, "NN NN CC NN h1");
    row("save: only low 16 bits count", "dirty put1=65536", 1, "", "GGPPGG", saved,
        "NN NN CC NN h1");
    row("save: weekly not sent", "dirty put2=65537", 0, filer, "GGPP", "from", "nn NN CC ND h1");
    row("save: cache read-only", "dirty cache-readonly", 0, filer, "", "from", "nn // CC DD h0");
    row("save: cache missing", "dirty cache-missing", 0, filer, "", "from", "nn -- CC DD h0");
    // After a save the store knows the device's records: records changed on the device since
    // are replaced only on Yes; every device write keeps a snapshot first and reads back.
    const QString guard = "The settings on the Tavion have changed since they were opened. "
                          "Replace them with the settings shown here?";
    row("save: device changed, No", "changed no", 0, guard, "GG", "from", "nn NN CC XN h1");
    row("save: device changed, Yes", "changed", 1, guard, "GGPPGG", saved, "NN NN CC NN h2");
    row("save: read-back differs", "dirty keeps-old", 0, filer, "GGPPGG", "from", "nn NN CC DD h1");
    // The new records reach the cache before the device is touched.
    row("save: device away", "dirty away", 0, filer, "G", "from", "nn NN CC DD h0");
    // A new or wiped Tavion: nothing to keep, nothing to ask, both records sent.
    row("save: device without records", "dirty blank-device staging-left", 1, "", "GIGIPPGG", saved,
        "NN NN CC NN h0");
    // The device holds this window's own half-sent records: not a change to ask about.
    row("save: after a half save", "half-saved", 1, "", "GGPPGG", saved, "NN NN CC NN h2");
    row("save PC", "dirty", 1, "", "", saved, "NN OO NN DD");
    row("save PC: folder missing", "dirty pc-missing", 0, pcFiler, "", "from", "nn OO -- DD");

    row("open: no edits, no question", "", 0, "", "GGI", loaded, "DD DD CC DD");
    row("open: Cancel keeps the edits", "dirty cancel", 0, ask, "", "", "pp OO CC DD");
    row("open: No drops the edits", "dirty no", 0, ask, "GGI", loaded, "DD DD CC DD");
    // The edits reach the device first, so the load brings them back.
    row("open: Yes saves first", "dirty", 0, ask, "GGPPGGGGI", saved + ' ' + loaded, "NN NN CC NN");
    row("open: Yes, link fails", "dirty put1=5", 0, ask + '|' + filer, "GGP", "from",
        "nn NN CC DD");
    row("open: weekly.ini missing", "no-device-weekly", 0, filer, "GG", "defaults defaults",
        "PP DO CC D-");
    row("load PC", "dirty", 0, "", "", "to refresh caption:Quorix", "CC OO CC DD");
    row("load PC: files missing", "pc-missing", 0, pcFiler, "", "defaults", "PP OO -- DD");

    row("reset: No", "no", 0, reset, "", "", "PP OO CC DD");
    // Factory settings count as unsaved; the caption is left to the caller.
    row("reset: Yes", "", 0, reset, "", "to refresh", "ff OO CC DD");
    row("reset: weekly.cif missing", "no-weekly.cif", 0, reset + "|Filer access error!", "",
        "defaults", "PP OO CC DD");

    row("lookup: device answers", "", 1, "", "GG", "", "PP DD CC DD");
    row("lookup: weekly.ini missing", "no-device-weekly", 2, notWorking, "GG", "", "PP DO CC D-");
    row("lookup: no weekly.cif", "away no-weekly.cif", -1, "Not find weekly.cif", "G", "close",
        same);
    row("lookup: no .cif", "away no-system.cif no-weekly.cif", -1, "Not find system.cif,weekly.cif",
        "G", "close", same);
}

void TestSettingsStore::flows()
{
    QFETCH(QString, setup);
    std::unique_ptr<FileSizeLimit> limit;
    const QStringList names{"system.ini", "weekly.ini"}, blocks{"", "readonly", "full", "missing"};
    for (const QString &word : setup.split(u' ', Qt::SkipEmptyParts)) {
        m_state.ChangedFlag |= word == u"dirty";
        m_link->unreachable |= word == u"away";
        m_pages->copyOk &= word != u"copy-fails";
        m_pages->checkOk &= word != u"refuse";
        if (word.startsWith(u"tab"))
            m_pages->tab = word.mid(3).toInt();
        if (word.startsWith(u"put"))
            m_link->forceResult("Vlt_PutFile", word.mid(3, 1).toInt(), word.mid(5).toInt());
        if (word == u"no" || word == u"cancel")
            m_boxes.answers = {word == u"no" ? MessageBoxes::Answer::No
                                             : MessageBoxes::Answer::Cancel};
        m_link->keepsOldFiles |= word == u"keeps-old";
        if (word == u"changed") {
            QVERIFY(m_store->SaveSettings(SettingsSource::Device));
            m_link->setFile(kDeviceSystemFile, QByteArray(256, 'X'));
            m_link->calls.clear();
            m_pages->log.clear();
            m_state.ChangedFlag = true;
        }
        if (word == u"blank-device") {
            m_link->removeFile(kDeviceSystemFile);
            m_link->removeFile(kDeviceWeeklyFile);
        }
        if (word == u"staging-left")
            QVERIFY(writeFile(m_history->folder() + "/.snapshot.quorix-tmp/system.ini", "x"));
        if (word == u"half-saved") {
            m_store->OpenFromDevice();
            m_state.ChangedFlag = true;
            m_link->failCall("Vlt_PutFile", 2);
            QVERIFY(!m_store->SaveSettings(SettingsSource::Device));
            m_link->calls.clear();
            m_pages->log.clear();
            m_boxes.shown.clear();
        }
        if (word == u"no-device-weekly")
            m_link->removeFile(kDeviceWeeklyFile);
        if (word.endsWith(u".cif"))
            QVERIFY(QFile::remove(host(kInstall + "\\razevo\\" + word.mid(3).toStdString())));
        if (word == u"no-cache")
            QVERIFY(QDir(m_dirs[0]).removeRecursively());
        if (word.startsWith(u"cache-") || word.startsWith(u"pc-"))
            applyBlock(m_dirs[word.startsWith(u"pc-")],
                       Block(blocks.indexOf(word.section(u'-', 1))), names, limit);
    }

    int result = 0;
    const QString action = QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0);
    if (action == u"save")
        result = m_store->SaveSettings(SettingsSource::Device);
    else if (action == u"save PC")
        result = m_store->SaveSettings(SettingsSource::PC);
    else if (action == u"open")
        m_store->OpenFromDevice();
    else if (action == u"load PC")
        m_store->LoadSettings(SettingsSource::PC);
    else if (action == u"reset")
        m_store->ResetToDefaults();
    else if (const auto source = m_store->FindWorkingFiles())
        result = int(*source);
    else
        result = -1;
    limit.reset();

    QTEST(result, "result");
    QTEST(m_boxes.shown.join(u'|'), "messages");
    QString calls;
    for (const FakeDeviceLink::Call &c : m_link->calls)
        calls += c.op.at(4);
    QTEST(calls, "calls");
    QTEST(m_pages->log.join(u' '), "pages");
    QString images = letters(bytesOf(m_state.systemRecord), bytesOf(m_state.weeklyRecord));
    images = m_state.ChangedFlag ? images.toLower() : images;
    for (const QString &dir : m_dirs) {
        images += u' ' + letters(readFile(dir + "/system.ini"), readFile(dir + "/weekly.ini"));
        QCOMPARE(strayFiles(dir, names), QStringList());
    }
    images += u' ' + letters(m_link->file(kDeviceSystemFile).value_or("<missing>"),
                             m_link->file(kDeviceWeeklyFile).value_or("<missing>"));
    if (action == u"save")
        images += " h" + QString::number(m_history->list().size());
    QTEST(images, "images");
    QVERIFY(!m_state.LoadingPages);
    QVERIFY(!QFileInfo::exists(m_history->folder() + "/.snapshot.quorix-tmp"));
}

void TestSettingsStore::soundList_data()
{
    QTest::addColumn<QByteArray>("listing"); // "-" = no sound directory
    QTest::addColumn<int>("count");          // what the link reports; 0 = the listing's length
    QTest::addColumn<QStringList>("list");

    auto row = [](const char *name, const QByteArray &listing, int count, const QStringList &list) {
        QTest::newRow(name) << listing << count << (list + QStringList{QString()});
    };
    row("an empty name keeps its place", "A.snd\t\tB.snd\t", 0, {"A.snd", "", "B.snd"});
    row("ANSI names, bad names left out", "\xE9t\xE9.snd\t..\\x.snd\t..\t/x\t\x80.snd", 0,
        {"été.snd", "€.snd"});
    row("no sound directory", "-", 0, {});
    row("only the low 16 bits of the count", "A.snd\tB.snd", 0x10005, {"A.snd"});
    row("negative count", "A.snd", -1, {});
}

void TestSettingsStore::soundList()
{
    QFETCH(QByteArray, listing);
    QFETCH(int, count);
    QFETCH(QStringList, list);
    if (listing != "-")
        m_link->addDirectory("\\system\\sound");
    m_link->listing = listing;
    m_link->listingResult = count ? std::optional(count) : std::nullopt;
    m_state.SoundList = {"OLD.snd", "X.snd", "Y.snd", "Z.snd", QString()};

    m_store->GetSoundList();

    QCOMPARE(m_state.SoundList, list);
    // Every listed sound is copied into the sound cache.
    QStringList copies, expected;
    for (const FakeDeviceLink::Call &c : m_link->calls)
        if (c.op == u"Vlt_GetFile")
            copies << c.args.at(1) + " to " + c.args.at(0);
    for (const QString &name : list.mid(0, list.indexOf(QString())))
        expected << "\\system\\sound\\" + name + " to " + kSoundCache + '\\' + name;
    QCOMPARE(copies, expected);
}

void TestSettingsStore::alarmSoundFiles_data()
{
    QTest::addColumn<bool>("fromDevice");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("device's list") << true << QStringList{"DING.snd", "A.snd"};
    QTest::newRow("sound cache") << false << QStringList{"A.snd", "b.SND"};
}

void TestSettingsStore::alarmSoundFiles()
{
    QFETCH(bool, fromDevice);
    for (const QString &file :
         QStringList{"b.SND", "A.snd", ".hidden.snd", "notes.txt", "dir.snd/x"})
        QVERIFY(writeFile(m_mapper->toHost(kSoundCache) + '/' + file, "snd"));
    m_state.StartedFromDevice = fromDevice;
    m_state.SoundList = {"DING.snd", "A.snd", QString(), "LOST.snd"};

    QTEST(m_store->alarmSoundFiles(), "names");
}

void TestSettingsStore::refreshCheckFile_data()
{
    QTest::addColumn<QDateTime>("copyTime"); // invalid: no copy yet
    QTest::addColumn<QString>("copy");       // afterwards

    auto at = [](int day, int h, int m, int s = 0, int ms = 0) {
        return QDateTime(QDate(2024, 5, day), QTime(h, m, s, ms));
    };
    // The source is stamped 12:00:00.900 on 10 May; times count to the second.
    QTest::newRow("no copy yet") << QDateTime() << "new";
    QTest::newRow("same date, earlier time") << at(10, 11, 59, 59) << "new";
    QTest::newRow("same date, later time") << at(10, 12, 0, 1) << "old";
    QTest::newRow("earlier date, later time") << at(9, 23, 0) << "new";
    QTest::newRow("within the same second") << at(10, 12, 0, 0, 100) << "old";
}

void TestSettingsStore::refreshCheckFile()
{
    QFETCH(QDateTime, copyTime);
    const QDateTime sourceTime(QDate(2024, 5, 10), QTime(12, 0, 0, 900));
    const QString from = host(m_paths.CheckFileSource), to = host(m_paths.CheckFileCopy);
    auto put = [](const QString &path, const QByteArray &bytes, const QDateTime &time) {
        QFile f(path);
        QVERIFY(writeFile(path, bytes) && f.open(QIODevice::ReadWrite) &&
                f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    put(from, "new", sourceTime);
    QVERIFY(QDir().mkpath(QFileInfo(to).path()));
    if (copyTime.isValid())
        put(to, "old", copyTime);

    m_store->RefreshCheckFile();

    QTEST(QString::fromLatin1(readFile(to)), "copy");
    // A replaced copy takes the source's time, so the next start leaves it alone.
    QCOMPARE(QFileInfo(to).lastModified() == sourceTime, readFile(to) == "new");
}

// Quorix's own factory files know nothing of the device's own bytes: those shown stay.
void TestSettingsStore::ownResetKeepsOpaqueBytes()
{
    m_paths.OwnInstallation = true;
    m_store->ResetToDefaults();
    QByteArray system(256, 'F');
    for (const auto &[offset, width] : {std::pair{0, 6}, {20, 8}, {68, 32}, {112, 144}})
        system.replace(offset, width, QByteArray(width, 'P'));
    QCOMPARE(bytesOf(m_state.systemRecord), system);
    QCOMPARE(bytesOf(m_state.weeklyRecord), QByteArray(76, 'F'));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"

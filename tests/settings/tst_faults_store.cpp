// Saves, loads and the start-up lookup while the device link fails at each step, or the cache,
// PC or device folders refuse writes: the right message, no crash, and every settings file on
// the PC and on the device is either its complete old image or its complete new one.

#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"

#include "devicelink/DirectoryDeviceLink.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace faults;

namespace {

// Each image carries its origin in every byte, so a mix of two would show.
template <typename Record> Record filled(std::uint8_t marker)
{
    Record r;
    r.bytes.fill(marker);
    return r;
}
QByteArray sys(std::uint8_t m)
{
    return bytesOf(filled<SystemRecord>(m));
}
QByteArray wk(std::uint8_t m)
{
    return bytesOf(filled<WeeklyRecord>(m));
}

constexpr std::uint8_t Old = 0x11, New = 0x22, OnDevice = 0x33, Before = 0x44;

class Pages : public SettingsPages
{
public:
    explicit Pages(SettingsState &state) : m_state(state) {}
    bool copyOk = true;
    int defaultsApplied = 0;

    void RecordsToPages() override {}
    bool PagesToRecords() override
    {
        if (!copyOk)
            return false;
        m_state.systemRecord = filled<SystemRecord>(New);
        m_state.weeklyRecord = filled<WeeklyRecord>(New);
        return true;
    }
    void ApplyFactoryDefaults() override { ++defaultsApplied; }
    int selectedTab() const override { return 2; }
    bool CheckPowerPage() override { return true; }
    bool CheckAlarmPage() override { return true; }
    void refillSoundLists() override {}
    void refreshPageDisplays() override {}
    void setCaption(const QString &) override {}
    void closeWindow() override {}

private:
    SettingsState &m_state;
};

const QString kFilerTavion = QStringLiteral("Filer access error!(Tavion)");
const QString kFilerPc = QStringLiteral("Filer access error!(PC)");
const QStringList kFiles{QStringLiteral("system.ini"), QStringLiteral("weekly.ini")};

} // namespace

class TestFaultsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveWhenTheLinkFails_data();
    void saveWhenTheLinkFails();
    void saveWhenAFolderRefuses_data();
    void saveWhenAFolderRefuses();
    void loadOrLookupWhenItFails_data();
    void loadOrLookupWhenItFails();

private:
    QString cacheDir() const
    {
        return m_prefix + QStringLiteral("/drive_c/Suite/dockman/cache/system");
    }
    QString pcDir() const { return m_prefix + QStringLiteral("/drive_c/Suite/userdata/ini"); }
    QString deviceDir() const { return m_root + QStringLiteral("/system"); }
    QString dirOf(const QString &place) const
    {
        return place == u"cache" ? cacheDir() : place == u"pc" ? pcDir() : deviceDir();
    }
    void writeImages(const QString &dir, std::uint8_t m)
    {
        QVERIFY(writeFile(dir + QStringLiteral("/system.ini"), sys(m)));
        QVERIFY(writeFile(dir + QStringLiteral("/weekly.ini"), wk(m)));
    }
    void useFakeLink();
    // The folder's files are its old images, or the given new ones when `newMarker` is set.
    void verifyImages(const QString &dir, const QStringList &taken, int newMarker)
    {
        const std::uint8_t before = dir == deviceDir() ? OnDevice : Old;
        QList<QByteArray> system{sys(before)}, weekly{wk(before)};
        if (newMarker >= 0) {
            system << sys(std::uint8_t(newMarker));
            weekly << wk(std::uint8_t(newMarker));
        }
        if (dir == cacheDir()) { // a save fetches the device's records into the cache first
            system << sys(OnDevice);
            weekly << wk(OnDevice);
        }
        verifyWhole(dir, kFiles, {system, weekly}, taken);
    }
    void resetStore()
    {
        m_history = std::make_unique<SettingsHistory>(m_tmp->filePath(QStringLiteral("history")));
        m_store = std::make_unique<SettingsStore>(m_state, m_paths, *m_mapper, *m_link, m_boxes,
                                                  *m_pages, *m_history);
    }

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_prefix, m_root;
    std::unique_ptr<PathMapper> m_mapper;
    PathsTable m_paths;
    SettingsState m_state;
    std::unique_ptr<DeviceLink> m_link;
    FakeDeviceLink *m_fake = nullptr;
    FakeMessageBoxes m_boxes;
    std::unique_ptr<Pages> m_pages;
    std::unique_ptr<SettingsHistory> m_history;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<FileSizeLimit> m_limit;
};

void TestFaultsStore::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_prefix = m_tmp->filePath(QStringLiteral("prefix"));
    m_root = m_tmp->filePath(QStringLiteral("tavion"));
    QVERIFY(QDir().mkpath(m_prefix + QStringLiteral("/dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), m_prefix + QStringLiteral("/dosdevices/c:")));
    writeImages(cacheDir(), Old);
    writeImages(pcDir(), Old);
    writeImages(deviceDir(), OnDevice); // the device's own settings; a load brings them over
    QVERIFY(writeFile(m_prefix + QStringLiteral("/drive_c/Suite/razevo/system.cif"),
                      QByteArray(256, 1)));
    QVERIFY(writeFile(m_prefix + QStringLiteral("/drive_c/Suite/razevo/weekly.cif"),
                      QByteArray(76, 1)));

    m_mapper = std::make_unique<PathMapper>(m_prefix);
    m_paths = PathsTable::compute("C:\\Suite", "C:\\Program");
    m_state = SettingsState{};
    m_state.systemRecord = filled<SystemRecord>(Before);
    m_state.weeklyRecord = filled<WeeklyRecord>(Before);
    m_state.ChangedFlag = true;
    const QString root = m_root;
    m_link = std::make_unique<DirectoryDeviceLink>(*m_mapper, [root] {
        return DeviceLinkSettings{root, false};
    });
    m_fake = nullptr;
    m_boxes = FakeMessageBoxes{};
    m_pages = std::make_unique<Pages>(m_state);
    resetStore();
}

void TestFaultsStore::cleanup()
{
    m_limit.reset();
    for (const QString &dir : {cacheDir(), pcDir(), deviceDir()})
        restoreWritable(dir);
}

void TestFaultsStore::useFakeLink()
{
    auto fake = std::make_unique<FakeDeviceLink>(*m_mapper);
    fake->setFile(QStringLiteral("\\system\\system.ini"), sys(OnDevice));
    fake->setFile(QStringLiteral("\\system\\weekly.ini"), wk(OnDevice));
    m_fake = fake.get();
    m_link = std::move(fake);
    resetStore();
}

void TestFaultsStore::saveWhenTheLinkFails_data()
{
    QTest::addColumn<QString>("op");     // the failing call; empty = the pages cannot be copied
    QTest::addColumn<int>("n");          // which call of it fails
    QTest::addColumn<int>("result");     // what it returns
    QTest::addColumn<bool>("deviceNew"); // may the device's system file be the new one

    QTest::newRow("system hand-off") << "Vlt_PutFile" << 1 << int(vlt::CopyFailed) << false;
    QTest::newRow("weekly hand-off") << "Vlt_PutFile" << 2 << int(vlt::CopyFailed) << true;
    QTest::newRow("device gone at the system file")
        << "Vlt_PutFile" << 1 << int(vlt::Unreachable) << false;
    QTest::newRow("low 16 bits set") << "Vlt_PutFile" << 2 << 0x7fff0001 << true;
    QTest::newRow("pages cannot be copied") << "" << 0 << 0 << false;
}

void TestFaultsStore::saveWhenTheLinkFails()
{
    QFETCH(QString, op);
    QFETCH(int, n);
    QFETCH(int, result);
    QFETCH(bool, deviceNew);

    useFakeLink();
    if (op.isEmpty())
        m_pages->copyOk = false;
    else
        m_fake->forceResult(op, n, result);

    QVERIFY(!m_store->SaveSettings(SettingsSource::Device));

    QCOMPARE(m_boxes.shown, QStringList{kFilerTavion});
    QVERIFY(m_state.ChangedFlag);
    verifyImages(cacheDir(), {}, op.isEmpty() ? -1 : New);
    const QByteArray deviceSystem = *m_fake->file(QStringLiteral("\\system\\system.ini"));
    QVERIFY(deviceSystem == sys(OnDevice) || (deviceNew && deviceSystem == sys(New)));
    QCOMPARE(*m_fake->file(QStringLiteral("\\system\\weekly.ini")), wk(OnDevice));
}

void TestFaultsStore::saveWhenAFolderRefuses_data()
{
    QTest::addColumn<SettingsSource>("destination");
    QTest::addColumn<QString>("place");
    QTest::addColumn<Block>("how");
    QTest::addColumn<QString>("message");

    const auto D = SettingsSource::Device;
    QTest::newRow("cache read-only") << D << "cache" << Block::ReadOnly << kFilerTavion;
    QTest::newRow("cache full") << D << "cache" << Block::Full << kFilerTavion;
    QTest::newRow("cache and its parent missing") << D << "cache" << Block::Missing << kFilerTavion;
    QTest::newRow("device read-only") << D << "device" << Block::ReadOnly << kFilerTavion;
    QTest::newRow("device folder missing") << D << "device" << Block::Missing << kFilerTavion;
    const auto P = SettingsSource::PC;
    QTest::newRow("PC read-only") << P << "pc" << Block::ReadOnly << kFilerPc;
    QTest::newRow("PC full") << P << "pc" << Block::Full << kFilerPc;
    QTest::newRow("PC folder missing") << P << "pc" << Block::Missing << kFilerPc;
    QTest::newRow("control: nothing refuses") << D << "device" << Block::None << QString();
}

void TestFaultsStore::saveWhenAFolderRefuses()
{
    QFETCH(SettingsSource, destination);
    QFETCH(QString, place);
    QFETCH(Block, how);
    QFETCH(QString, message);

    const QStringList taken = applyBlock(dirOf(place), how, kFiles, m_limit);
    const bool saved = m_store->SaveSettings(destination);
    m_limit.reset();
    restoreWritable(dirOf(place));

    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(m_boxes.shown, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_state.ChangedFlag, !saved);
    for (const QString &p :
         {QStringLiteral("cache"), QStringLiteral("pc"), QStringLiteral("device")}) {
        const bool written = destination == SettingsSource::PC ? p == u"pc" : p != u"pc";
        verifyImages(dirOf(p), p == place ? taken : QStringList(), written ? New : -1);
    }
    if (saved) {
        QCOMPARE(readFile(deviceDir() + QStringLiteral("/system.ini")), sys(New));
        QCOMPARE(readFile(deviceDir() + QStringLiteral("/weekly.ini")), wk(New));
    }
}

void TestFaultsStore::loadOrLookupWhenItFails_data()
{
    QTest::addColumn<bool>("lookup");    // the start-up lookup, else a load from the device
    QTest::addColumn<int>("failingGet"); // 1, 2 = that fetch fails (fake link)
    QTest::addColumn<QString>("place");
    QTest::addColumn<Block>("how");

    for (const bool lookup : {false, true}) {
        const char *op = lookup ? "lookup" : "load";
        QTest::addRow("%s, system fetch fails", op) << lookup << 1 << "" << Block::None;
        QTest::addRow("%s, weekly fetch fails", op) << lookup << 2 << "" << Block::None;
        QTest::addRow("%s, cache read-only", op) << lookup << 0 << "cache" << Block::ReadOnly;
        QTest::addRow("%s, cache full", op) << lookup << 0 << "cache" << Block::Full;
        QTest::addRow("%s, device folder missing", op) << lookup << 0 << "device" << Block::Missing;
    }
}

void TestFaultsStore::loadOrLookupWhenItFails()
{
    QFETCH(bool, lookup);
    QFETCH(int, failingGet);
    QFETCH(QString, place);
    QFETCH(Block, how);

    if (failingGet) {
        useFakeLink();
        m_fake->failCall(QStringLiteral("Vlt_GetFile"), failingGet);
    }
    const QStringList taken = applyBlock(dirOf(place), how, kFiles, m_limit);

    if (lookup) {
        const auto source = m_store->FindWorkingFiles();
        m_limit.reset();
        QCOMPARE(source, std::optional<SettingsSource>(SettingsSource::Default));
        QCOMPARE(m_boxes.shown, QStringList{QStringLiteral("Not find the working file!")});
    } else {
        m_store->LoadSettings(SettingsSource::Device);
        m_limit.reset();
        QCOMPARE(m_boxes.shown, QStringList{kFilerTavion});
        QCOMPARE(m_pages->defaultsApplied, 1);
        QVERIFY(!m_state.LoadingPages);
        // Nothing was read: both records are what they were.
        QVERIFY(m_state.systemRecord == filled<SystemRecord>(Before));
        QVERIFY(m_state.weeklyRecord == filled<WeeklyRecord>(Before));
    }
    verifyImages(cacheDir(), place == u"cache" ? taken : QStringList(), OnDevice);
    if (place != u"device" && !m_fake) {
        QCOMPARE(readFile(deviceDir() + QStringLiteral("/system.ini")), sys(OnDevice));
        QCOMPARE(readFile(deviceDir() + QStringLiteral("/weekly.ini")), wk(OnDevice));
    }
}

QTEST_GUILESS_MAIN(TestFaultsStore)
#include "tst_faults_store.moc"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"
#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Which settings a record came from, kept in a field every page shows.
enum Marker : std::int16_t
{
    Factory = 10,
    Device = 20,
    Previous = 30,
    Pages = 40,
    BuiltIn = 50
};

SystemRecord systemOf(std::int16_t marker)
{
    SystemRecord r;
    r.set(SystemField::Contrast, marker);
    r.setUserName("user" + std::to_string(marker));
    r.bytes[200] = static_cast<std::uint8_t>(marker); // a byte no page shows
    return r;
}

WeeklyRecord weeklyOf(std::int16_t marker)
{
    WeeklyRecord r;
    r.setHour(0, marker);
    return r;
}

// The window as the store sees it: pages that show a pair of records.
class FakePages : public SettingsPages
{
public:
    explicit FakePages(SettingsState &state) : m_state(state) {}

    QStringList log;
    int tab = 2;
    bool powerOk = true;
    bool alarmOk = true;
    bool copyOk = true;
    SystemRecord shownSystem = systemOf(Pages);
    WeeklyRecord shownWeekly = weeklyOf(Pages);
    bool loadingWhileFilled = false;

    void RecordsToPages() override
    {
        log << QStringLiteral("RecordsToPages");
        loadingWhileFilled = m_state.LoadingPages;
        shownSystem = m_state.systemRecord;
        shownWeekly = m_state.weeklyRecord;
    }
    bool PagesToRecords() override
    {
        log << QStringLiteral("PagesToRecords");
        if (!copyOk)
            return false;
        m_state.systemRecord = shownSystem;
        m_state.weeklyRecord = shownWeekly;
        return true;
    }
    void ApplyFactoryDefaults() override
    {
        log << QStringLiteral("ApplyFactoryDefaults");
        shownSystem = systemOf(BuiltIn);
        shownWeekly = weeklyOf(BuiltIn);
    }
    int selectedTab() const override { return tab; }
    bool CheckPowerPage() override
    {
        log << QStringLiteral("CheckPowerPage");
        return powerOk;
    }
    bool CheckAlarmPage() override
    {
        log << QStringLiteral("CheckAlarmPage");
        return alarmOk;
    }
    void refreshPageDisplays() override { log << QStringLiteral("refreshPageDisplays"); }
    void refillSoundLists() override { log << QStringLiteral("refillSoundLists"); }
    void setCaption(const QString &caption) override
    {
        log << QStringLiteral("setCaption:") + caption;
    }
    void closeWindow() override { log << QStringLiteral("closeWindow"); }
    void pagesSaved() override { log << QStringLiteral("pagesSaved"); }

private:
    SettingsState &m_state;
};

const QString kFilerTavion = QStringLiteral("Filer access error!(Tavion)");
const QString kPrompt = QStringLiteral("Do you want to save the changes?");

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void saveToDevice_data();
    void saveToDevice();
    void saveAsksTheShownPage_data();
    void saveAsksTheShownPage();
    void saveToPc_data();
    void saveToPc();

    void openFromDevice_data();
    void openFromDevice();
    void loadStopsAtFirstFetchFailure_data();
    void loadStopsAtFirstFetchFailure();

    void reset_data();
    void reset();

    void findWorkingFiles_data();
    void findWorkingFiles();

    void refreshCheckFile_data();
    void refreshCheckFile();

    void soundList_data();
    void soundList();

    void guardedSaveToDevice_data();
    void guardedSaveToDevice();

private:
    QString host(const std::string &windowsPath) const
    {
        return m_mapper->toHost(QString::fromStdString(windowsPath));
    }
    void put(const std::string &windowsPath, const QByteArray &bytes)
    {
        QVERIFY(writeFile(host(windowsPath), bytes));
    }
    QByteArray contents(const std::string &windowsPath) const;
    bool exists(const std::string &windowsPath) const
    {
        return QFileInfo::exists(host(windowsPath));
    }
    void putDeviceFiles();

    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<PathMapper> m_mapper;
    PathsTable m_paths;
    SettingsState m_state;
    std::unique_ptr<FakeDeviceLink> m_link;
    std::unique_ptr<FakeMessageBoxes> m_boxes;
    std::unique_ptr<FakePages> m_pages;
    std::unique_ptr<SettingsHistory> m_history;
    std::unique_ptr<SettingsStore> m_store;
};

QByteArray TestSettingsStore::contents(const std::string &windowsPath) const
{
    QFile f(host(windowsPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestSettingsStore::putDeviceFiles()
{
    m_link->setFile(kDeviceSystemFile, bytesOf(systemOf(Device)));
    m_link->setFile(kDeviceWeeklyFile, bytesOf(weeklyOf(Device)));
}

// A throwaway Wine prefix with the suite at C:\Suite, its factory files and its transfer cache.
void TestSettingsStore::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    const QString prefix = m_tmp->filePath(QStringLiteral("prefix"));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/Suite/dockman/cache/system")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));

    m_mapper = std::make_unique<PathMapper>(prefix);
    m_paths = PathsTable::compute("C:\\Suite", "C:\\Program");
    m_state = SettingsState{};
    m_state.systemRecord = systemOf(Previous);
    m_state.weeklyRecord = weeklyOf(Previous);
    put(m_paths.DefaultSystemFile, bytesOf(systemOf(Factory)));
    put(m_paths.DefaultWeeklyFile, bytesOf(weeklyOf(Factory)));

    m_link = std::make_unique<FakeDeviceLink>(*m_mapper);
    m_link->addDirectory(QStringLiteral("\\system"));
    m_boxes = std::make_unique<FakeMessageBoxes>();
    m_pages = std::make_unique<FakePages>(m_state);
    m_history = std::make_unique<SettingsHistory>(m_tmp->filePath(QStringLiteral("history")));
    m_store = std::make_unique<SettingsStore>(m_state, m_paths, *m_mapper, *m_link, *m_boxes,
                                              *m_pages, *m_history);
}

void TestSettingsStore::saveToDevice_data()
{
    QTest::addColumn<QString>("cache");  // "present", "no system dir", "no cache dir"
    QTest::addColumn<int>("failingPut"); // 1 = system, 2 = weekly, 0 = none
    QTest::addColumn<int>("putResult");  // what the failing put returns
    QTest::addColumn<bool>("pagesCopy");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QStringList>("sent"); // each is written into the cache just before

    const QStringList both{kDeviceSystemFile, kDeviceWeeklyFile};
    const QStringList system{kDeviceSystemFile}, none;
    auto row = [](const char *name, const char *cache, int failingPut, int putResult,
                  bool pagesCopy, bool saved, const QStringList &sent) {
        QTest::newRow(name) << QString::fromLatin1(cache) << failingPut << putResult << pagesCopy
                            << saved << sent;
    };
    row("both sent", "present", 0, 0, true, true, both);
    row("system dir made", "no system dir", 0, 0, true, true, both);
    row("parent missing", "no cache dir", 0, 0, true, false, none);
    row("link fails on system", "present", 1, 5, true, false, system);
    row("link fails on weekly", "present", 2, 5, true, false, both);
    row("only the low 16 bits count", "present", 1, 0x10000, true, true, both);
    row("low 16 bits set above", "present", 1, 0x10001, true, false, system);
    row("pages cannot be copied", "present", 0, 0, false, false, none);
}

void TestSettingsStore::saveToDevice()
{
    QFETCH(QString, cache);
    QFETCH(int, failingPut);
    QFETCH(int, putResult);
    QFETCH(bool, pagesCopy);
    QFETCH(bool, saved);
    QFETCH(QStringList, sent);
    const bool systemWritten = !sent.isEmpty(), weeklyWritten = sent.size() == 2;

    // Old cache files of other lengths: a save leaves exactly the record's bytes.
    const QByteArray oldSystem(300, 'S');
    const QByteArray oldWeekly(10, 'W');
    if (cache == u"present") {
        put(m_paths.CacheSystemFile, oldSystem);
        put(m_paths.CacheWeeklyFile, oldWeekly);
    } else {
        const QString dir = host(m_paths.CacheSystemDir);
        QVERIFY(QDir(dir).removeRecursively());
        if (cache == u"no cache dir")
            QVERIFY(QDir(QFileInfo(dir).path()).removeRecursively());
    }
    putDeviceFiles();
    if (failingPut)
        m_link->forceResult(QStringLiteral("Vlt_PutFile"), failingPut, putResult);
    m_pages->copyOk = pagesCopy;
    m_state.ChangedFlag = true;

    QCOMPARE(m_store->SaveSettings(SettingsSource::Device), saved);

    QStringList sentPaths;
    for (const auto &call : m_link->calls) {
        QCOMPARE(call.args.value(2), QStringLiteral("-1"));
        if (call.op == u"Vlt_PutFile")
            sentPaths << call.args.value(0);
    }
    QCOMPARE(sentPaths, sent);
    // The device's records are fetched into the cache before anything is sent.
    const bool fetched = pagesCopy && cache != u"no cache dir";
    QCOMPARE(contents(m_paths.CacheSystemFile),
             systemWritten ? bytesOf(systemOf(Pages))
                           : (cache == u"present" ? oldSystem : QByteArray()));
    QCOMPARE(contents(m_paths.CacheWeeklyFile),
             weeklyWritten ? bytesOf(weeklyOf(Pages))
             : fetched     ? bytesOf(weeklyOf(Device))
                           : (cache == u"present" ? oldWeekly : QByteArray()));
    if (!sent.isEmpty() && saved)
        QCOMPARE(m_link->file(kDeviceWeeklyFile).value_or(QByteArray()), bytesOf(weeklyOf(Pages)));

    QCOMPARE(m_boxes->shown, saved ? QStringList() : QStringList{kFilerTavion});
    QCOMPARE(m_state.ChangedFlag, !saved);
    QCOMPARE(m_pages->log.contains(QStringLiteral("setCaption:Quorix")), saved);
    // The records hold the page values once they were copied, whatever failed later.
    QCOMPARE(m_state.systemRecord == systemOf(Pages), pagesCopy);
    if (cache == u"no cache dir")
        QVERIFY(!QFileInfo::exists(host(m_paths.CacheSystemDir)));
}

void TestSettingsStore::saveAsksTheShownPage_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("powerOk");
    QTest::addColumn<bool>("alarmOk");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QStringList>("checks");

    QTest::newRow("power page refuses")
        << 1 << false << true << false << QStringList{QStringLiteral("CheckPowerPage")};
    QTest::newRow("power page agrees")
        << 1 << true << true << true << QStringList{QStringLiteral("CheckPowerPage")};
    QTest::newRow("alarm page refuses")
        << 6 << true << false << false << QStringList{QStringLiteral("CheckAlarmPage")};
    QTest::newRow("other pages are not asked") << 3 << false << false << true << QStringList();
}

void TestSettingsStore::saveAsksTheShownPage()
{
    QFETCH(int, tab);
    QFETCH(bool, powerOk);
    QFETCH(bool, alarmOk);
    QFETCH(bool, saved);
    QFETCH(QStringList, checks);

    m_pages->tab = tab;
    m_pages->powerOk = powerOk;
    m_pages->alarmOk = alarmOk;
    m_state.ChangedFlag = true;
    putDeviceFiles();

    QCOMPARE(m_store->SaveSettings(SettingsSource::Device), saved);
    QStringList asked = m_pages->log.filter(QStringLiteral("Check"));
    QCOMPARE(asked, checks);
    // A refusing page has shown its own message; nothing is written or sent.
    QVERIFY(m_boxes->shown.isEmpty());
    QCOMPARE(exists(m_paths.CacheSystemFile), saved);
    QCOMPARE(m_link->calls.size(), saved ? 6 : 0); // fetch, send, read back
    QCOMPARE(m_state.ChangedFlag, !saved);
}

void TestSettingsStore::saveToPc_data()
{
    QTest::addColumn<bool>("iniDir");
    QTest::newRow("ini dir present") << true;
    QTest::newRow("ini dir missing") << false;
}

void TestSettingsStore::saveToPc()
{
    QFETCH(bool, iniDir);
    if (iniDir)
        QVERIFY(QDir().mkpath(host(m_paths.PcIniDir)));
    m_state.ChangedFlag = true;

    QCOMPARE(m_store->SaveSettings(SettingsSource::PC), iniDir);
    QCOMPARE(m_boxes->shown,
             iniDir ? QStringList() : QStringList{QStringLiteral("Filer access error!(PC)")});
    QVERIFY(m_link->calls.isEmpty());
    QCOMPARE(contents(m_paths.PcSystemFile), iniDir ? bytesOf(systemOf(Pages)) : QByteArray());
    QCOMPARE(contents(m_paths.PcWeeklyFile), iniDir ? bytesOf(weeklyOf(Pages)) : QByteArray());
    QVERIFY(!exists(m_paths.CacheSystemFile));
}

void TestSettingsStore::openFromDevice_data()
{
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<int>("answer");   // MessageBoxes::Answer
    QTest::addColumn<QString>("link"); // "ok", "put fails", "unreachable"
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<int>("loaded"); // marker the records end with
    QTest::addColumn<int>("shown");  // marker the pages end with
    QTest::addColumn<bool>("changed");

    const int yes = int(MessageBoxes::Answer::Yes);
    const int no = int(MessageBoxes::Answer::No);
    const int cancel = int(MessageBoxes::Answer::Cancel);
    const QString get = QStringLiteral("Vlt_GetFile");
    const QString put = QStringLiteral("Vlt_PutFile");
    // Both files, the sound listing, then the listed sound copied into the cache.
    const QStringList load{get, get, QStringLiteral("Vlt_IsExist"), QStringLiteral("Vlt_DirByExt"),
                           get};

    QTest::newRow("no edits: no question")
        << false << yes << "ok" << QStringList() << load << int(Device) << int(Device) << false;
    QTest::newRow("Cancel keeps the edits") << true << cancel << "ok" << QStringList{kPrompt}
                                            << QStringList() << int(Previous) << int(Pages) << true;
    QTest::newRow("No drops the edits") << true << no << "ok" << QStringList{kPrompt} << load
                                        << int(Device) << int(Device) << false;
    // The edits reach the device first, so the load brings them back.
    QTest::newRow("Yes saves first")
        << true << yes << "ok" << QStringList{kPrompt}
        << QStringList{get, get, put, put, get, get} + load << int(Pages) << int(Pages) << false;
    QTest::newRow("Yes while the link fails")
        << true << yes << "put fails" << QStringList{kPrompt, kFilerTavion}
        << QStringList{get, get, put} << int(Pages) << int(Pages) << true;
    QTest::newRow("No while the device is away")
        << true << no << "unreachable" << QStringList{kPrompt, kFilerTavion} << QStringList{get}
        << int(Previous) << int(BuiltIn) << true;
    QTest::newRow("clean while the device is away")
        << false << yes << "unreachable" << QStringList{kFilerTavion} << QStringList{get}
        << int(Previous) << int(BuiltIn) << false;
}

void TestSettingsStore::openFromDevice()
{
    QFETCH(bool, dirty);
    QFETCH(int, answer);
    QFETCH(QString, link);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, ops);
    QFETCH(int, loaded);
    QFETCH(int, shown);
    QFETCH(bool, changed);

    putDeviceFiles();
    m_link->addDirectory(QStringLiteral("\\system\\sound"));
    m_link->listing = "CHIME.snd";
    m_link->unreachable = link == u"unreachable";
    if (link == u"put fails")
        m_link->failCall(QStringLiteral("Vlt_PutFile"));
    m_state.ChangedFlag = dirty;
    m_boxes->answers = {MessageBoxes::Answer(answer)};

    m_store->OpenFromDevice();

    QCOMPARE(m_boxes->shown, messages);
    QCOMPARE(m_link->ops(), ops);
    QCOMPARE(m_state.systemRecord, systemOf(std::int16_t(loaded)));
    QCOMPARE(m_state.weeklyRecord, weeklyOf(std::int16_t(loaded)));
    QCOMPARE(m_pages->shownSystem, systemOf(std::int16_t(shown)));
    QCOMPARE(m_state.ChangedFlag, changed);
    QVERIFY(!m_state.LoadingPages);

    const bool fetched = ops.contains(QStringLiteral("Vlt_DirByExt"));
    QCOMPARE(m_state.SoundList, fetched ? (QStringList{"CHIME.snd", QString()}) : QStringList());
    QCOMPARE(m_pages->log.contains(QStringLiteral("setCaption:Quorix")),
             fetched || ops.size() == 2);
    if (fetched) {
        // The link relies on the padded field; the padding is not part of the path.
        const QString field =
            m_link->calls.at(ops.indexOf(QStringLiteral("Vlt_IsExist")) - 2).args.at(0);
        QCOMPARE(field.size(), 200);
        QCOMPARE(field.trimmed(), QString::fromStdString(m_paths.CacheSystemFile));
        QVERIFY(m_pages->loadingWhileFilled);
        QCOMPARE(
            m_pages->log.mid(m_pages->log.indexOf(QStringLiteral("RecordsToPages")), 2),
            (QStringList{QStringLiteral("RecordsToPages"), QStringLiteral("refreshPageDisplays")}));
    }
}

void TestSettingsStore::loadStopsAtFirstFetchFailure_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("gets");
    QTest::newRow("system file") << kDeviceSystemFile << 1;
    QTest::newRow("weekly file") << kDeviceWeeklyFile << 2;
}

void TestSettingsStore::loadStopsAtFirstFetchFailure()
{
    QFETCH(QString, missing);
    QFETCH(int, gets);
    putDeviceFiles();
    m_link->removeFile(missing);
    // Cache files from an earlier session must not be read in place of the device's.
    put(m_paths.CacheSystemFile, bytesOf(systemOf(Factory)));
    put(m_paths.CacheWeeklyFile, bytesOf(weeklyOf(Factory)));
    m_state.ChangedFlag = true;

    m_store->LoadSettings(SettingsSource::Device);

    QCOMPARE(m_link->ops(), QStringList(gets, QStringLiteral("Vlt_GetFile")));
    QCOMPARE(m_boxes->shown, QStringList{kFilerTavion});
    QCOMPARE(m_state.systemRecord, systemOf(Previous));
    QCOMPARE(m_state.weeklyRecord, weeklyOf(Previous));
    QCOMPARE(m_pages->log, QStringList{QStringLiteral("ApplyFactoryDefaults")});
    QVERIFY(m_state.ChangedFlag);
    QVERIFY(!m_state.LoadingPages);
}

void TestSettingsStore::reset_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("missingFactoryFile");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("pagesLog");

    const QStringList filled{QStringLiteral("RecordsToPages"),
                             QStringLiteral("refreshPageDisplays")};
    QTest::newRow("No") << false << QString() << int(Previous) << int(Pages) << false
                        << QStringList();
    QTest::newRow("Yes") << true << QString() << int(Factory) << int(Factory) << true << filled;
    // Looked up before either is read: the system record must not change either.
    QTest::newRow("Yes, weekly.cif missing")
        << true << QStringLiteral("weekly") << int(Previous) << int(BuiltIn) << false
        << QStringList{QStringLiteral("ApplyFactoryDefaults")};
    QTest::newRow("Yes, system.cif missing")
        << true << QStringLiteral("system") << int(Previous) << int(BuiltIn) << false
        << QStringList{QStringLiteral("ApplyFactoryDefaults")};
}

void TestSettingsStore::reset()
{
    QFETCH(bool, yes);
    QFETCH(QString, missingFactoryFile);
    QFETCH(int, records);
    QFETCH(int, shown);
    QFETCH(bool, changed);
    QFETCH(QStringList, pagesLog);

    if (missingFactoryFile == u"weekly")
        QVERIFY(QFile::remove(host(m_paths.DefaultWeeklyFile)));
    if (missingFactoryFile == u"system")
        QVERIFY(QFile::remove(host(m_paths.DefaultSystemFile)));
    m_boxes->answers = {yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No};

    m_store->ResetToDefaults();

    QStringList messages{QStringLiteral("Reset default setting.\rAre you sure?")};
    if (!missingFactoryFile.isEmpty())
        messages << QStringLiteral("Filer access error!");
    QCOMPARE(m_boxes->shown, messages);
    QCOMPARE(m_state.systemRecord, systemOf(std::int16_t(records)));
    QCOMPARE(m_state.weeklyRecord, weeklyOf(std::int16_t(records)));
    QCOMPARE(m_pages->shownSystem, systemOf(std::int16_t(shown)));
    // Factory settings count as unsaved, and the caption is left to the caller.
    QCOMPARE(m_state.ChangedFlag, changed);
    QCOMPARE(m_pages->log, pagesLog);
    QVERIFY(m_link->calls.isEmpty());

    if (changed) {
        // So closing now offers to save them.
        m_boxes->answers = {MessageBoxes::Answer::Cancel};
        QVERIFY(!m_store->SavePrompt());
        QCOMPARE(m_boxes->shown.last(), kPrompt);
    }
}

void TestSettingsStore::findWorkingFiles_data()
{
    QTest::addColumn<QString>("device"); // "both", "no weekly", "unreachable"
    QTest::addColumn<bool>("factorySystem");
    QTest::addColumn<bool>("factoryWeekly");
    QTest::addColumn<int>("source"); // -1 = none
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("gets");

    const int device = int(SettingsSource::Device);
    const int factory = int(SettingsSource::Default);
    const QStringList notWorking{QStringLiteral("Not find the working file!")};
    QTest::newRow("device answers") << "both" << false << false << device << QStringList() << 2;
    QTest::newRow("device lacks weekly.ini")
        << "no weekly" << true << true << factory << notWorking << 2;
    auto away = [](const char *name, bool system, bool weekly, int source, const QString &says) {
        QTest::newRow(name) << "unreachable" << system << weekly << source << QStringList{says}
                            << 1;
    };
    away("away, both factory files", true, true, factory, notWorking.first());
    away("away, only weekly.cif", false, true, -1, QStringLiteral("Not find system.cif"));
    away("away, only system.cif", true, false, -1, QStringLiteral("Not find weekly.cif"));
    away("away, neither", false, false, -1, QStringLiteral("Not find system.cif,weekly.cif"));
}

void TestSettingsStore::findWorkingFiles()
{
    QFETCH(QString, device);
    QFETCH(bool, factorySystem);
    QFETCH(bool, factoryWeekly);
    QFETCH(int, source);
    QFETCH(QStringList, messages);
    QFETCH(int, gets);

    putDeviceFiles();
    if (device == u"no weekly")
        m_link->removeFile(kDeviceWeeklyFile);
    m_link->unreachable = device == u"unreachable";
    if (!factorySystem)
        QVERIFY(QFile::remove(host(m_paths.DefaultSystemFile)));
    if (!factoryWeekly)
        QVERIFY(QFile::remove(host(m_paths.DefaultWeeklyFile)));

    const auto found = m_store->FindWorkingFiles();

    QCOMPARE(found ? int(*found) : -1, source);
    QCOMPARE(m_boxes->shown, messages);
    QCOMPARE(m_link->ops(), QStringList(gets, QStringLiteral("Vlt_GetFile")));
    QCOMPARE(m_pages->log.contains(QStringLiteral("closeWindow")), source == -1);
    // The lookup only chooses; the load comes later.
    QCOMPARE(m_state.systemRecord, systemOf(Previous));
    QVERIFY(!m_pages->log.contains(QStringLiteral("RecordsToPages")));
}

void TestSettingsStore::refreshCheckFile_data()
{
    QTest::addColumn<bool>("source");
    QTest::addColumn<bool>("copyDir");
    QTest::addColumn<QDateTime>("copyTime"); // invalid = no copy yet
    QTest::addColumn<bool>("replaced");

    const QDateTime none;
    const QDate day(2024, 5, 10); // the source is stamped 12:00:00.900 that day
    auto copyAt = [](const char *name, const QDateTime &copyTime, bool replaced) {
        QTest::newRow(name) << true << true << copyTime << replaced;
    };
    copyAt("no copy yet", none, true);
    QTest::newRow("no source") << false << true << QDateTime(day, QTime(8, 0)) << false;
    copyAt("same date, earlier time", QDateTime(day, QTime(11, 59, 59)), true);
    copyAt("same date, later time", QDateTime(day, QTime(12, 0, 1)), false);
    copyAt("later date, earlier time", QDateTime(day.addDays(1), QTime(8, 0)), false);
    copyAt("earlier date, later time", QDateTime(day.addDays(-1), QTime(23, 0)), true);
    copyAt("equal", QDateTime(day, QTime(12, 0)), false);
    copyAt("within the same second", QDateTime(day, QTime(12, 0, 0, 100)), false);
    QTest::newRow("apps dir missing") << true << false << none << false;
}

void TestSettingsStore::refreshCheckFile()
{
    QFETCH(bool, source);
    QFETCH(bool, copyDir);
    QFETCH(QDateTime, copyTime);
    QFETCH(bool, replaced);

    const QDateTime sourceTime(QDate(2024, 5, 10), QTime(12, 0, 0, 900));
    auto stamp = [this](const std::string &file, const QDateTime &when) {
        QFile f(host(file));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    if (source) {
        put(m_paths.CheckFileSource, "new check file");
        stamp(m_paths.CheckFileSource, sourceTime);
    }
    if (copyDir)
        QVERIFY(QDir().mkpath(QFileInfo(host(m_paths.CheckFileCopy)).path()));
    if (copyTime.isValid()) {
        put(m_paths.CheckFileCopy, "old");
        stamp(m_paths.CheckFileCopy, copyTime);
    }

    m_store->RefreshCheckFile();

    const QByteArray expected = replaced ? "new check file" : copyTime.isValid() ? "old" : "";
    QCOMPARE(contents(m_paths.CheckFileCopy), expected);
    QVERIFY(m_boxes->shown.isEmpty());
    QCOMPARE(QFileInfo::exists(QFileInfo(host(m_paths.CheckFileCopy)).path()), copyDir);
    if (replaced) {
        // The copy takes the source's time, so the next start leaves it alone.
        QCOMPARE(QFileInfo(host(m_paths.CheckFileCopy)).lastModified(), sourceTime);
        put(m_paths.CheckFileSource, "changed, same time");
        stamp(m_paths.CheckFileSource, sourceTime);
        m_store->RefreshCheckFile();
        QCOMPARE(contents(m_paths.CheckFileCopy), QByteArray("new check file"));
    }
    const QStringList leftovers =
        QDir(QFileInfo(host(m_paths.CheckFileCopy)).path()).entryList(QDir::Files);
    QVERIFY(leftovers.size() <= 1);
}

void TestSettingsStore::soundList_data()
{
    QTest::addColumn<bool>("soundDir");
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<int>("count"); // -1000 = the characters written
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");

    const int written = -1000;
    const QString e;
    // A listing of a present sound directory, every character of it counted, no list before.
    auto listed = [&](const char *name, const QByteArray &listing, const QStringList &after) {
        QTest::newRow(name) << true << listing << written << QStringList() << after;
    };
    listed("two names", "A.snd\tB.snd", {"A.snd", "B.snd", e});
    listed("ending with a tab", "A.snd\tB.snd\t", {"A.snd", "B.snd", e});
    listed("one name", "A.snd", {"A.snd", e});
    listed("doubled tab", "A.snd\t\tB.snd", {"A.snd", e, "B.snd", e});
    listed("leading tab", "\tA.snd", {e, "A.snd", e});
    listed("ANSI names", "\xE9t\xE9.snd\t\x80.snd",
           {QStringLiteral("été.snd"), QStringLiteral("€.snd"), e});
    // Names no device file can have (climbing out, dot names, absolute paths, wildcards and
    // quotes, control characters, a NUL) are left out; the names around them stay.
    static const char bad[] = "..\\..\\x.snd\tA.snd\t.\t..\t/etc/x.snd\tC:x.snd\t*.snd\t?.snd\t"
                              "\"q\".snd\t<a>.snd\ta|b.snd\tB.snd\ta\x01.snd\tb\r.snd\tc\x7f.snd\t"
                              "A\0B.snd\tC.snd";
    listed("bad names among good ones", QByteArray(bad, sizeof bad - 1),
           {"A.snd", "B.snd", "C.snd", e});
    QTest::newRow("no sound directory, first listing")
        << false << QByteArray("A.snd") << written << QStringList() << QStringList{e};
    QTest::newRow("no sound directory after a listing")
        << false << QByteArray() << written << QStringList{"OLD.snd", e} << QStringList{e};
    QTest::newRow("empty listing after a listing")
        << true << QByteArray() << written << QStringList{"OLD.snd", "X.snd", e} << QStringList{e};
    QTest::newRow("shorter than the last listing")
        << true << QByteArray("Z.snd") << written << QStringList{"A.snd", "B.snd", "C.snd", e}
        << QStringList{"Z.snd", e};
    QTest::newRow("count shorter than the text")
        << true << QByteArray("A.snd\tB.snd") << 5 << QStringList() << QStringList{"A.snd", e};
    QTest::newRow("only the low 16 bits count") << true << QByteArray("A.snd\tB.snd") << 0x10005
                                                << QStringList() << QStringList{"A.snd", e};
    QTest::newRow("negative count")
        << true << QByteArray("A.snd") << -1 << QStringList() << QStringList{e};
    QTest::newRow("only bad names")
        << true << QByteArray("..\t/x") << written << QStringList{"OLD.snd", e} << QStringList{e};
}

void TestSettingsStore::soundList()
{
    QFETCH(bool, soundDir);
    QFETCH(QByteArray, listing);
    QFETCH(int, count);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);

    if (soundDir)
        m_link->addDirectory(QStringLiteral("\\System\\Sound"));
    m_link->listing = listing;
    if (count != -1000)
        m_link->listingResult = count;
    m_state.SoundList = before;

    m_store->GetSoundList();

    QCOMPARE(m_state.SoundList, after);
    // The sound directory is listed once it is there, and every listed sound is copied into the
    // sound cache; the lists are refilled from it.
    QStringList listedWith, copied;
    for (const auto &c : m_link->calls) {
        if (c.op == QStringLiteral("Vlt_DirByExt"))
            listedWith << c.args;
        if (c.op == QStringLiteral("Vlt_GetFile"))
            copied << c.args.at(1);
    }
    const QStringList listArgs{QStringLiteral("\\system\\sound"), QStringLiteral("snd"),
                               QStringLiteral("1024")};
    QCOMPARE(listedWith, soundDir ? listArgs : QStringList());
    QStringList expectedCopies;
    for (const QString &name : after.mid(0, after.indexOf(QString())))
        expectedCopies << QStringLiteral("\\system\\sound\\") + name;
    QCOMPARE(copied, expectedCopies);
    QCOMPARE(m_pages->log.count(QStringLiteral("refillSoundLists")), 1);
}

// A save to the device after a load from it keeps the device's records in the history first,
// replaces records changed on the device since only when the user agrees, and reads back.
void TestSettingsStore::guardedSaveToDevice_data()
{
    QTest::addColumn<QString>("device"); // "as loaded", "changed", "keeps old files", "away"
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("systemAfter"); // marker of the device's system record afterwards
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QByteArrayList>("kept"); // the system records kept in the history

    const QStringList changed{
        QStringLiteral("The settings on the Tavion have changed since they "
                       "were opened. Replace them with the settings shown here?")};
    const QByteArrayList none, device{bytesOf(systemOf(Device))};
    QTest::newRow("equal") << "as loaded" << QStringList() << int(Pages) << true << device;
    QTest::newRow("changed on the device")
        << "changed" << changed << int(Previous) << false << none;
    QTest::newRow("read-back differs")
        << "keeps old files" << QStringList{kFilerTavion} << int(Device) << false << device;
    QTest::newRow("device unreadable")
        << "away" << QStringList{kFilerTavion} << int(Device) << false << none;
}

void TestSettingsStore::guardedSaveToDevice()
{
    QFETCH(QString, device);
    QFETCH(QStringList, messages);
    QFETCH(int, systemAfter);
    QFETCH(bool, saved);
    QFETCH(QByteArrayList, kept);
    putDeviceFiles();
    m_store->LoadSettings(SettingsSource::Device);
    m_pages->shownSystem = systemOf(Pages);
    m_pages->log.clear();
    if (device == u"changed")
        m_link->setFile(kDeviceSystemFile, bytesOf(systemOf(Previous)));
    m_link->keepsOldFiles = device == u"keeps old files";
    m_link->unreachable = device == u"away";
    m_boxes->answers = {MessageBoxes::Answer::No}; // keep the edits when asked
    m_state.ChangedFlag = true;

    QCOMPARE(m_store->SaveSettings(SettingsSource::Device), saved);
    QCOMPARE(m_boxes->shown, messages);
    QCOMPARE(m_link->file(kDeviceSystemFile), bytesOf(systemOf(std::int16_t(systemAfter))));
    QCOMPARE(m_state.ChangedFlag, !saved);
    // Only a save that got through makes the user name count as saved.
    QCOMPARE(m_pages->log.contains(QStringLiteral("pagesSaved")), saved);
    QByteArrayList keptSystems;
    for (QByteArray system, weekly; const auto &snapshot : m_history->list())
        keptSystems << (SettingsHistory::read(snapshot, system, weekly) ? system : "damaged");
    QCOMPARE(keptSystems, kept);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"

#include "settings/SettingsStore.h"

#include "core/RecordLayout.h"
#include "devicelink/SoundList.h"
#include "platform/AtomicFile.h"
#include "platform/DirListing.h"
#include "settings/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kFilerError = QStringLiteral("Filer access error!");
const QString kChangedOnDevice =
    QStringLiteral("The settings on the Tavion have changed since they were opened. Replace them "
                   "with the settings shown here?");
constexpr qsizetype kPcPathField = 200;

// The load passes the PC path as a blank-padded field; a longer path is passed whole rather
// than cut, which would send the file somewhere else.
QString pcPathField(const std::string &path)
{
    return QString::fromStdString(path).leftJustified(kPcPathField, u' ');
}

QByteArray readAll(const QString &hostPath)
{
    QFile file(hostPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTime toSecond(const QTime &t)
{
    return QTime(t.hour(), t.minute(), t.second());
}

SettingsState::Origin originOf(SettingsSource source)
{
    switch (source) {
    case SettingsSource::PC:
        return SettingsState::Origin::PC;
    case SettingsSource::Device:
        return SettingsState::Origin::Device;
    case SettingsSource::Default:
        break;
    }
    return SettingsState::Origin::Factory;
}

} // namespace

SettingsStore::SettingsStore(SettingsState &state, const PathsTable &paths,
                             const PathMapper &mapper, DeviceLink &link, MessageBoxes &boxes,
                             SettingsPages &pages, SettingsHistory &history)
    : m_state(state), m_paths(paths), m_mapper(mapper), m_link(link), m_boxes(boxes),
      m_pages(pages), m_history(history)
{
}

SettingsStore::FilePair SettingsStore::filesOf(SettingsSource source) const
{
    switch (source) {
    case SettingsSource::PC:
        return {m_paths.PcSystemFile, m_paths.PcWeeklyFile};
    case SettingsSource::Device:
        return {m_paths.CacheSystemFile, m_paths.CacheWeeklyFile};
    case SettingsSource::Default:
        break;
    }
    return {m_paths.DefaultSystemFile, m_paths.DefaultWeeklyFile};
}

QString SettingsStore::host(const std::string &windowsPath) const
{
    return m_mapper.toHost(QString::fromStdString(windowsPath));
}

bool SettingsStore::exists(const std::string &windowsPath) const
{
    return !DirOrEmpty(m_mapper, QString::fromStdString(windowsPath), DirListing::PlainFiles)
                .isEmpty();
}

// System first; the weekly file is not asked for once the system file failed.
bool SettingsStore::fetchDeviceFiles()
{
    if (m_link.Vlt_GetFile(pcPathField(m_paths.CacheSystemFile), kDeviceSystemFile, kWholeFile) !=
        0)
        return false;
    return m_link.Vlt_GetFile(pcPathField(m_paths.CacheWeeklyFile), kDeviceWeeklyFile,
                              kWholeFile) == 0;
}

// Both records change together or not at all.
bool SettingsStore::readRecords(const FilePair &files)
{
    SystemRecord system = m_state.systemRecord;
    WeeklyRecord weekly = m_state.weeklyRecord;
    if (!recordfile::read(host(files.system), system.bytes, nullptr, nullptr) ||
        !recordfile::read(host(files.weekly), weekly.bytes, nullptr, nullptr))
        return false;
    m_state.systemRecord = system;
    m_state.weeklyRecord = weekly;
    return true;
}

void SettingsStore::LoadSettings(SettingsSource source)
{
    m_state.LoadingPages = true;
    const FilePair files = filesOf(source);
    const struct
    {
        SystemRecord system;
        WeeklyRecord weekly;
    } shown{m_state.systemRecord, m_state.weeklyRecord};

    bool ok = true;
    if (source == SettingsSource::Device) {
        ok = fetchDeviceFiles();
        if (ok)
            GetSoundList();
    }
    if (ok) {
        // Both are looked up before either is read.
        const bool systemThere = exists(files.system);
        const bool weeklyThere = exists(files.weekly);
        ok = systemThere && weeklyThere && readRecords(files);
    }
    if (ok && source == SettingsSource::Default && m_paths.OwnInstallation) {
        // Quorix's own factory files cannot know the device's own bytes: those of the
        // settings shown stay.
        copyOpaqueBytes(systemLayout(), shown.system.bytes.data(),
                        m_state.systemRecord.bytes.data());
        copyOpaqueBytes(weeklyLayout(), shown.weekly.bytes.data(),
                        m_state.weeklyRecord.bytes.data());
    }
    if (!ok) {
        const QString where = source == SettingsSource::PC       ? QStringLiteral("(PC)")
                              : source == SettingsSource::Device ? QStringLiteral("(Tavion)")
                                                                 : QString();
        m_boxes.warn(kFilerError + where);
        m_pages.ApplyFactoryDefaults();
        m_state.LoadingPages = false;
        return;
    }

    if (source == SettingsSource::Device)
        m_lastDevice = RecordPair{readAll(host(files.system)), readAll(host(files.weekly))};
    m_pages.RecordsToPages();
    m_pages.refreshPageDisplays();
    m_state.ShownOrigin = originOf(source);
    ++m_state.Loads;
    if (source == SettingsSource::Default) {
        // Factory settings count as an unsaved change, so the save prompt offers to send them.
        m_state.ChangedFlag = true;
    } else {
        m_pages.setCaption(kTitle);
        m_state.ChangedFlag = false;
    }
    m_state.LoadingPages = false;
}

SettingsStore::Written SettingsStore::writeFiles(SettingsSource destination)
{
    if (destination == SettingsSource::Default)
        return Written::No; // the factory files are never written
    if (!m_pages.PagesToRecords())
        return Written::No;
    const FilePair files = filesOf(destination);
    if (destination == SettingsSource::Device)
        return writeToDevice(files);
    return recordfile::write(host(files.system), m_state.systemRecord.bytes, nullptr) &&
                   recordfile::write(host(files.weekly), m_state.weeklyRecord.bytes, nullptr)
               ? Written::Yes
               : Written::No;
}

SettingsStore::Written SettingsStore::writeToDevice(const FilePair &files)
{
    if (DirOrEmpty(m_mapper, QString::fromStdString(m_paths.CacheSystemDir),
                   DirListing::Directories)
            .isEmpty()) {
        // One level only: a missing parent means the installation is incomplete.
        const QString dir = host(m_paths.CacheSystemDir);
        if (dir.isEmpty() || !QDir().mkdir(dir))
            return Written::No;
    }
    // The new records reach the transfer cache before the device is touched, so a save to a
    // device that cannot be reached still leaves them there.
    const QString systemFile = QString::fromStdString(files.system);
    const QString weeklyFile = QString::fromStdString(files.weekly);
    if (!recordfile::write(host(files.system), m_state.systemRecord.bytes, nullptr) ||
        !recordfile::write(host(files.weekly), m_state.weeklyRecord.bytes, nullptr))
        return Written::No;

    DeviceTransfer transfer(m_link, m_mapper);
    const auto onDevice = transfer.fetch();
    if (!onDevice)
        return Written::No;
    if (m_lastDevice && *onDevice != *m_lastDevice && !m_boxes.askYesNo(kChangedOnDevice))
        return Written::Declined;
    if (!transfer.keep(m_history, *onDevice))
        return Written::No;

    // What was sent is remembered step by step: after a save that stopped half-way the device
    // holds this window's own records, which the guard must not take for someone else's.
    const RecordPair sent{imageOf(m_state.systemRecord), imageOf(m_state.weeklyRecord)};
    if (!transfer.send(kDeviceSystemFile, systemFile))
        return Written::No;
    m_lastDevice = RecordPair{sent.system, onDevice->weekly};
    if (!transfer.send(kDeviceWeeklyFile, weeklyFile))
        return Written::No;
    m_lastDevice = sent;
    return transfer.readBack(sent) ? Written::Yes : Written::No;
}

bool SettingsStore::SaveSettings(SettingsSource destination)
{
    // The shown page has the last word; it reports its own refusal.
    if (!CheckPageOfTab(m_pages, m_pages.selectedTab()))
        return false;

    switch (writeFiles(destination)) {
    case Written::Yes:
        break;
    case Written::Declined:
        return false; // the edits stay unsaved
    case Written::No:
        m_boxes.warn(kFilerError + (destination == SettingsSource::PC
                                        ? QStringLiteral("(PC)")
                                        : QStringLiteral("(Tavion)")));
        return false;
    }
    m_state.ChangedFlag = false;
    m_state.ShownOrigin = originOf(destination);
    // Only now do the pages count as saved, so a failed save still shows its edits at close.
    m_pages.pagesSaved();
    m_pages.setCaption(kTitle);
    return true;
}

bool SettingsStore::SavePrompt()
{
    if (!m_state.ChangedFlag)
        return true;
    switch (m_boxes.askYesNoCancel(QStringLiteral("Do you want to save the changes?"))) {
    case MessageBoxes::Answer::Yes:
        return SaveSettings(SettingsSource::Device);
    case MessageBoxes::Answer::No:
        return true;
    case MessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

void SettingsStore::ResetToDefaults()
{
    if (m_boxes.askYesNo(QStringLiteral("Reset default setting.\rAre you sure?")))
        LoadSettings(SettingsSource::Default);
}

std::optional<SettingsSource> SettingsStore::FindWorkingFiles()
{
    // CacheSystemDir is fixed in the Paths table when it is built; there is nothing to redo.
    if (fetchDeviceFiles())
        return SettingsSource::Device;

    const bool systemThere = exists(m_paths.DefaultSystemFile);
    const bool weeklyThere = exists(m_paths.DefaultWeeklyFile);
    if (systemThere && weeklyThere) {
        m_boxes.warn(QStringLiteral("Not find the working file!"));
        return SettingsSource::Default;
    }
    QString missing;
    if (!systemThere)
        missing = QStringLiteral("system.cif");
    if (!weeklyThere)
        missing += missing.isEmpty() ? QStringLiteral("weekly.cif") : QStringLiteral(",weekly.cif");
    m_boxes.warn(QStringLiteral("Not find ") + missing);
    m_pages.closeWindow();
    return std::nullopt;
}

void SettingsStore::RefreshCheckFile()
{
    if (m_paths.CheckFileSource.empty())
        return; // Quorix's own installation has no check file
    if (!exists(m_paths.CheckFileSource))
        return;
    const QString source = host(m_paths.CheckFileSource);
    const QString copy = host(m_paths.CheckFileCopy);
    if (source.isEmpty() || copy.isEmpty())
        return;

    if (exists(m_paths.CheckFileCopy)) {
        // File times count to the second, as the suite's own copy compares them.
        const QDateTime sourceTime = QFileInfo(source).lastModified();
        const QDateTime copyTime = QFileInfo(copy).lastModified();
        if (!sourceTime.isValid() || !copyTime.isValid())
            return;
        const QDate sourceDate = sourceTime.date();
        const QDate copyDate = copyTime.date();
        const bool newer =
            sourceDate > copyDate ||
            (sourceDate == copyDate && toSecond(sourceTime.time()) > toSecond(copyTime.time()));
        if (!newer)
            return;
    }
    // A missing apps directory or a locked file simply ends the refresh.
    copyFileReplacing(source, copy, true);
}

void SettingsStore::GetSoundList()
{
    ::GetSoundList(m_link, m_state.SoundList);
    mirrorSoundFiles();
    // The lists must offer the device's sounds before the alarms reach the pages, or every
    // alarm would load as "Off" and the next save would switch it off on the device.
    m_pages.refillSoundLists();
}

void SettingsStore::mirrorSoundFiles()
{
    // The sound cache mirrors the device, as the suite's transfer tool would keep it, so the
    // lists and the preview find the files there. A copy that fails is skipped.
    const QString cacheDir = QString::fromStdString(m_paths.SoundCacheDir);
    const QString cacheHost = m_mapper.toHost(cacheDir);
    if (cacheHost.isEmpty() || !QDir().mkpath(cacheHost))
        return;
    for (const QString &name : soundNames(m_state.SoundList)) {
        if (name.contains(u'\\') || name.contains(u'/') || name.contains(QStringLiteral("..")))
            continue;
        m_link.Vlt_GetFile(cacheDir + u'\\' + name, kDeviceSoundDir + u'\\' + name, -1);
    }
}

bool SettingsStore::OpenSnapshot(const SettingsHistory::Snapshot &snapshot)
{
    QByteArray system, weekly;
    if (!SettingsHistory::read(snapshot, system, weekly)) {
        m_boxes.warn(kFilerError + QStringLiteral("(PC)"));
        return false;
    }
    m_pages.ApplyFactoryDefaults();
    m_state.LoadingPages = true;
    m_state.systemRecord = toRecord<SystemRecord>(system);
    m_state.weeklyRecord = toRecord<WeeklyRecord>(weekly);
    m_pages.RecordsToPages();
    m_pages.refreshPageDisplays();
    m_state.ShownOrigin = SettingsState::Origin::History;
    ++m_state.Loads;
    // Unsaved until saved: the save prompt and the save commands put it back.
    m_state.ChangedFlag = true;
    m_state.LoadingPages = false;
    return true;
}

void SettingsStore::OpenFromDevice()
{
    if (!SavePrompt())
        return;
    m_pages.ApplyFactoryDefaults();
    LoadSettings(SettingsSource::Device);
}

QStringList SettingsStore::alarmSoundFiles() const
{
    if (m_state.StartedFromDevice)
        return soundNames(m_state.SoundList);
    QStringList names;
    DirListing listing(m_mapper);
    for (QString name = listing.first(QString::fromStdString(m_paths.SoundCachePattern),
                                      DirListing::PlainFiles);
         !name.isEmpty(); name = listing.next())
        names << name;
    return names;
}

#include "devicelink/DirectoryDeviceLink.h"

#include "core/AnsiText.h"
#include "devicelink/DeviceFinder.h"
#include "devicelink/EntryMatch.h"
#include "platform/AtomicFile.h"
#include "platform/DeviceNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <memory>

namespace {

const QString kOrganisation = QStringLiteral("Rovoveri");
const QString kRootKey = QStringLiteral("Link/DeviceRoot");
const QString kAskKey = QStringLiteral("Link/AskBeforeRelease");

// The components of a device path; nullopt for anything that could name a place outside the
// device: "..", drive letters and stream names (':'), control characters, wildcards.
std::optional<QStringList> deviceComponents(const QString &devicePath)
{
    QStringList parts;
    for (const QString &part : QString(devicePath).replace(u'/', u'\\').split(u'\\')) {
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..")
            return std::nullopt;
        if (!isDeviceFileName(part))
            return std::nullopt;
        parts << part;
    }
    return parts;
}

bool isWithin(const QString &canonicalRoot, const QString &canonicalPath)
{
    return canonicalPath == canonicalRoot ||
           canonicalPath.startsWith(canonicalRoot.endsWith(u'/') ? canonicalRoot
                                                                 : canonicalRoot + u'/');
}

} // namespace

DeviceLinkSettings DeviceLinkSettings::load()
{
    QSettings store(kOrganisation, kOrganisation);
    DeviceLinkSettings s;
    s.deviceRoot = store.value(kRootKey).toString();
    s.askBeforeRelease = store.value(kAskKey, false).toBool();
    return s;
}

void DeviceLinkSettings::save() const
{
    QSettings store(kOrganisation, kOrganisation);
    store.setValue(kRootKey, deviceRoot);
    store.setValue(kAskKey, askBeforeRelease);
}

QString vlt::describe(std::int32_t result)
{
    switch (result) {
    case Ok:
        return QStringLiteral("done");
    case Unreachable:
        return QStringLiteral("the device cannot be reached");
    case PathRefused:
        return QStringLiteral("the device path leads outside the device");
    case NotFound:
        return QStringLiteral("no such file");
    case CopyFailed:
        return QStringLiteral("the file could not be copied");
    default:
        return QStringLiteral("link error %1").arg(result);
    }
}

DirectoryDeviceLink::DirectoryDeviceLink(const PathMapper &mapper, SettingsProvider settings,
                                         Hooks hooks)
    : m_mapper(mapper), m_settings(std::move(settings)), m_hooks(std::move(hooks))
{
}

DeviceSearch::DeviceSearch(const QProcessEnvironment &env)
    : m_rootOverride(env.value(QStringLiteral("TAVION_DEVICE_ROOT"))),
      m_finder(DeviceFinder::Places::fromEnvironment(env))
{
}

DeviceLinkSettings DeviceSearch::settings()
{
    DeviceLinkSettings s = DeviceLinkSettings::load();
    if (!m_rootOverride.isEmpty())
        s.deviceRoot = m_rootOverride;
    if (!s.deviceRoot.isEmpty())
        return s;
    if (!m_found) {
        m_found = QStringList();
        for (const FoundDevice &device : m_finder.find())
            m_found->append(device.root);
    }
    s.found = *m_found;
    if (s.found.size() == 1)
        s.deviceRoot = s.found.first();
    return s;
}

QStringList DeviceSearch::present()
{
    const DeviceLinkSettings s = settings();
    if (!s.found.isEmpty() || s.deviceRoot.isEmpty())
        return s.found;
    return m_finder.holdsTavion(s.deviceRoot) ? QStringList{s.deviceRoot} : QStringList{};
}

QStringList DeviceSearch::rescan()
{
    m_found.reset();
    return present();
}

DirectoryDeviceLink::SettingsProvider
DirectoryDeviceLink::settingsFrom(const QProcessEnvironment &env)
{
    // Looked for once, when first needed: a run keeps the device it found.
    return [search = std::make_shared<DeviceSearch>(env)] { return search->settings(); };
}

QString DirectoryDeviceLink::rootProblem() const
{
    const DeviceLinkSettings s = m_settings();
    if (s.deviceRoot.isEmpty() && s.found.size() > 1)
        return QStringLiteral("no device folder is set and %1 Tavions are plugged in (%2): choose "
                              "one in the link settings or with TAVION_DEVICE_ROOT")
            .arg(s.found.size())
            .arg(s.found.join(QStringLiteral(", ")));
    if (s.deviceRoot.isEmpty())
        return QStringLiteral("no device folder is set (TAVION_DEVICE_ROOT or the link settings) "
                              "and no Tavion was found among the mounted folders");
    if (!QFileInfo(s.deviceRoot).isDir())
        return QStringLiteral("device folder %1 is not there").arg(s.deviceRoot);
    return {};
}

QString DirectoryDeviceLink::foundRoot() const
{
    const DeviceLinkSettings s = m_settings();
    return s.found.size() == 1 && s.deviceRoot == s.found.first() ? s.deviceRoot : QString();
}

DirectoryDeviceLink::Target DirectoryDeviceLink::resolve(const QString &devicePath) const
{
    const QString root = m_settings().deviceRoot;
    const QString canonicalRoot = root.isEmpty() ? QString() : QFileInfo(root).canonicalFilePath();
    if (canonicalRoot.isEmpty() || !QFileInfo(canonicalRoot).isDir())
        return {vlt::Unreachable, {}};
    const auto parts = deviceComponents(devicePath);
    if (!parts)
        return {vlt::PathRefused, {}};

    QString host = canonicalRoot;
    bool existing = true;
    for (const QString &part : *parts) {
        const QString entry = existing ? matchEntry(host, part) : QString();
        existing = !entry.isEmpty();
        host += u'/' + (existing ? entry : part);
        if (existing && QFileInfo(host).isSymLink() &&
            !isWithin(canonicalRoot, QFileInfo(host).canonicalFilePath()))
            return {vlt::PathRefused, {}}; // a link out of the device tree (or a dangling one)
    }
    return {vlt::Ok, host};
}

std::optional<QString> DirectoryDeviceLink::hostPathOf(const QString &devicePath) const
{
    const Target t = resolve(devicePath);
    if (t.status != vlt::Ok)
        return std::nullopt;
    return t.hostPath;
}

QString DirectoryDeviceLink::hostPcPath(const QString &pcPath) const
{
    QString path = pcPath;
    while (path.endsWith(u' '))
        path.chop(1);
    return path.isEmpty() ? QString() : m_mapper.toHost(path);
}

std::int32_t DirectoryDeviceLink::Vlt_GetFile(const QString &pcPath, const QString &devicePath,
                                              std::int32_t)
{
    const Target device = resolve(devicePath);
    if (device.status != vlt::Ok)
        return device.status;
    if (!QFileInfo(device.hostPath).isFile())
        return vlt::NotFound;
    const QString pc = hostPcPath(pcPath);
    if (pc.isEmpty())
        return vlt::CopyFailed;
    // The transfer cache is the link's to keep: a missing cache directory is made.
    if (!QDir().mkpath(QFileInfo(pc).absolutePath()))
        return vlt::CopyFailed;
    return copyFileReplacing(device.hostPath, pc, true) ? vlt::Ok : vlt::CopyFailed;
}

std::int32_t DirectoryDeviceLink::Vlt_PutFile(const QString &devicePath, const QString &pcPath,
                                              std::int32_t)
{
    const Target device = resolve(devicePath);
    if (device.status != vlt::Ok)
        return device.status;
    const QString pc = hostPcPath(pcPath);
    if (pc.isEmpty() || !QFileInfo(pc).isFile())
        return vlt::NotFound;
    if (QFileInfo(device.hostPath).isDir() || !QDir().mkpath(QFileInfo(device.hostPath).path()))
        return vlt::CopyFailed;
    return copyFileReplacing(pc, device.hostPath, true) ? vlt::Ok : vlt::CopyFailed;
}

std::int32_t DirectoryDeviceLink::Vlt_IsExist(const QString &devicePath)
{
    const Target device = resolve(devicePath);
    return device.status == vlt::Ok && QFileInfo::exists(device.hostPath) ? 1 : 0;
}

std::int32_t DirectoryDeviceLink::Vlt_DeleteFile(const QString &devicePath)
{
    const Target device = resolve(devicePath);
    if (device.status != vlt::Ok)
        return device.status;
    const QFileInfo info(device.hostPath);
    if (!info.exists())
        return vlt::NotFound;
    if (!info.isFile() || !QFile::remove(device.hostPath) || !syncFolder(info.path()))
        return vlt::CopyFailed;
    return vlt::Ok;
}

std::int32_t DirectoryDeviceLink::Vlt_DirByExt(const QString &deviceDir, const QString &extension,
                                               std::span<char> buffer, std::int32_t maxChars)
{
    const Target device = resolve(deviceDir);
    if (device.status != vlt::Ok || !QFileInfo(device.hostPath).isDir() || maxChars <= 0)
        return 0;
    const auto limit = std::min<std::size_t>(static_cast<std::size_t>(maxChars), buffer.size());

    const QString suffix = u'.' + extension;
    // Without QDir::Hidden the listing leaves out dot files.
    const QStringList entries =
        QDir(device.hostPath)
            .entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    std::string listing;
    for (const QString &name : entries) {
        if (!name.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        // A tab would split the name in two; a name without an ANSI spelling cannot be fetched.
        const auto ansiName = ansi::fromUtf8(name.toStdString());
        if (!ansiName || std::any_of(ansiName->begin(), ansiName->end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 32; }))
            continue;
        const std::size_t needed = listing.size() + (listing.empty() ? 0 : 1) + ansiName->size();
        // The buffer ends at a whole name: a cut name would list a sound the device lacks.
        if (needed > limit)
            break;
        if (!listing.empty())
            listing += '\t';
        listing += *ansiName;
    }
    std::copy(listing.begin(), listing.end(), buffer.begin());
    if (listing.size() < buffer.size())
        buffer[listing.size()] = '\0';
    return static_cast<std::int32_t>(listing.size());
}

void DirectoryDeviceLink::Vlt_SetupDisconnection()
{
    if (m_hooks.setup)
        m_hooks.setup();
}

std::int32_t DirectoryDeviceLink::Vlt_DoDisconnect()
{
    if (!m_settings().askBeforeRelease || !m_hooks.mayRelease)
        return vlt::Ok;
    return m_hooks.mayRelease() ? vlt::Ok : vlt::KeepConnected;
}

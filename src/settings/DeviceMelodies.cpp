#include "settings/DeviceMelodies.h"

#include "core/AnsiText.h"
#include "core/DeviceFileName.h"
#include "core/SndFile.h"
#include "devicelink/DeviceLink.h"
#include "platform/AtomicFile.h"
#include "settings/SettingsHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MaxNameBytes = 8;
const QString kWorkFile = QStringLiteral("melody.snd");

DeviceMelodies::Outcome failed(DeviceMelodies::Failure failure, const QString &problem)
{
    return {failure, problem, {}};
}

} // namespace

DeviceMelodies::DeviceMelodies(DeviceLink &link, QString workFolder, QString keepFolder,
                               Clock clock)
    : m_link(link), m_workFolder(std::move(workFolder)), m_keepFolder(std::move(keepFolder)),
      m_clock(std::move(clock))
{
}

QString DeviceMelodies::keepFolderFrom(const QProcessEnvironment &env)
{
    return keepFolderIn(SettingsHistory::folderFrom(env));
}

QString DeviceMelodies::keepFolderIn(const QString &historyFolder)
{
    return historyFolder + QStringLiteral("/sounds");
}

std::optional<QString> DeviceMelodies::deviceName(const QString &name, QString *problem)
{
    QString base = name;
    if (base.endsWith(QStringLiteral(".snd"), Qt::CaseInsensitive))
        base.chop(4);
    const auto ansiBytes = ansi::fromUtf8(base.toStdString());
    QString why;
    if (!ansiBytes)
        why = QStringLiteral("has characters Windows-1252 cannot store");
    else if (ansiBytes->empty() || ansiBytes->size() > MaxNameBytes)
        why = QStringLiteral("must be 1 to 8 bytes long");
    else if (!isDeviceFileName((base + QStringLiteral(".snd")).toStdU16String()) ||
             base.endsWith(u' ') || base.endsWith(u'.'))
        why = QStringLiteral("is not a valid device file name");
    if (!why.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("the melody name '%1' %2").arg(base, why);
        return std::nullopt;
    }
    return QString::fromStdString(ansi::toUtf8(ansi::toUpper(*ansiBytes)));
}

QString DeviceMelodies::devicePath(const QString &deviceName)
{
    return kDeviceSoundDir + u'\\' + deviceName + QStringLiteral(".snd");
}

DeviceMelodies::Outcome DeviceMelodies::fetch(const QString &devicePath, QByteArray &bytes)
{
    const QString work = m_workFolder + u'/' + kWorkFile;
    QFile::remove(work);
    const std::int32_t r = m_link.Vlt_GetFile(work, devicePath, kWholeFile);
    if (r != vlt::Ok)
        return failed(Failure::Device, QStringLiteral("fetching %1 from the device failed: %2")
                                           .arg(devicePath, vlt::describe(r)));
    QFile file(work);
    if (!file.open(QIODevice::ReadOnly))
        return failed(Failure::Device, QStringLiteral("reading the fetched %1 failed: %2")
                                           .arg(devicePath, file.errorString()));
    bytes = file.readAll();
    return {};
}

DeviceMelodies::Outcome DeviceMelodies::keep(const QString &name, const QByteArray &bytes)
{
    QString error;
    if (!QDir().mkpath(m_keepFolder))
        return failed(
            Failure::Device,
            QStringLiteral("keeping %1 on the PC failed: cannot make %2").arg(name, m_keepFolder));
    const QString stem =
        m_keepFolder + u'/' + name + u'-' + m_clock().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString kept = stem + QStringLiteral(".snd");
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = stem + u'-' + QString::number(n) + QStringLiteral(".snd");
    if (!writeFileAtomically(kept, bytes, &error))
        return failed(Failure::Device,
                      QStringLiteral("keeping %1 on the PC failed: %2").arg(name, error));
    return {Failure::None, {}, kept};
}

bool DeviceMelodies::isOnDevice(const QString &deviceName)
{
    return vlt::low16(m_link.Vlt_IsExist(devicePath(deviceName))) != 0;
}

DeviceMelodies::Outcome DeviceMelodies::put(const QByteArray &snd, const QString &name,
                                            bool replace)
{
    QString problem;
    const auto device = deviceName(name, &problem);
    if (!device)
        return failed(Failure::BadInput, problem);
    SndFile parsed;
    const SndResult check = ParseSndFile(
        {reinterpret_cast<const std::uint8_t *>(snd.constData()), std::size_t(snd.size())}, parsed);
    if (check.error != SndError::None)
        return failed(Failure::BadInput, QString::fromStdString(SndResultText(check)));
    // What follows the end marker is never read; it does not go to the device either.
    const QByteArray melody = snd.left(qsizetype(4 + 2 * (parsed.records.size() + 1)));

    const QString path = devicePath(*device);
    Outcome outcome;
    if (isOnDevice(*device)) {
        if (!replace)
            return failed(Failure::BadInput,
                          QStringLiteral("%1 is already on the device (use --replace)").arg(path));
        QByteArray old;
        if (outcome = fetch(path, old); !outcome.ok())
            return outcome;
        if (outcome = keep(*device, old); !outcome.ok())
            return outcome;
    }
    // A failure from here on still names the copy kept.
    auto deviceFailed = [&](const QString &why) {
        return Outcome{Failure::Device, why, outcome.keptFile};
    };
    const QString work = m_workFolder + u'/' + kWorkFile;
    QString error;
    if (!writeFileAtomically(work, melody, &error))
        return deviceFailed(error);
    const std::int32_t r = m_link.Vlt_PutFile(path, work, kWholeFile);
    if (vlt::low16(r) != 0)
        return deviceFailed(
            QStringLiteral("sending %1 to the device failed: %2").arg(path, vlt::describe(r)));
    QByteArray back;
    if (Outcome read = fetch(path, back); !read.ok())
        return deviceFailed(read.problem);
    if (back != melody)
        return deviceFailed(
            QStringLiteral("%1 on the device differs from what was sent").arg(path));
    return outcome;
}

DeviceMelodies::Outcome DeviceMelodies::get(const QString &name, QByteArray &snd)
{
    QString problem;
    const auto device = deviceName(name, &problem);
    if (!device)
        return failed(Failure::BadInput, problem);
    const QString path = devicePath(*device);
    if (vlt::low16(m_link.Vlt_IsExist(path)) == 0)
        return failed(Failure::BadInput, QStringLiteral("%1 is not on the device").arg(path));
    return fetch(path, snd);
}

DeviceMelodies::Outcome DeviceMelodies::remove(const QString &name)
{
    QByteArray old;
    if (Outcome got = get(name, old); !got.ok())
        return got;
    const QString device = *deviceName(name, nullptr);
    const QString path = devicePath(device);
    Outcome outcome = keep(device, old);
    if (!outcome.ok())
        return outcome;
    const std::int32_t r = m_link.Vlt_DeleteFile(path);
    if (vlt::low16(r) != 0 || vlt::low16(m_link.Vlt_IsExist(path)) != 0)
        return {
            Failure::Device,
            QStringLiteral("removing %1 from the device failed: %2").arg(path, vlt::describe(r)),
            outcome.keptFile};
    return outcome;
}

#include "settings/DeviceTransfer.h"

#include "devicelink/DeviceLink.h"
#include "platform/PathMapper.h"
#include "settings/SettingsHistory.h"

#include <QFile>
#include <QFileInfo>

DeviceTransfer::DeviceTransfer(DeviceLink &link, const PathMapper &mapper, QString systemFile,
                               QString weeklyFile)
    : m_link(link), m_mapper(mapper), m_systemFile(std::move(systemFile)),
      m_weeklyFile(std::move(weeklyFile))
{
}

std::optional<QByteArray> DeviceTransfer::fetchOne(const QString &devicePath, const QString &pcFile)
{
    const std::int32_t r = m_link.Vlt_GetFile(pcFile, devicePath, kWholeFile);
    if (r != vlt::Ok) {
        m_problem = QStringLiteral("fetching %1 from the device failed: %2")
                        .arg(devicePath, vlt::describe(r));
        return std::nullopt;
    }
    QFile file(m_mapper.toHost(pcFile));
    if (!file.open(QIODevice::ReadOnly)) {
        m_problem =
            QStringLiteral("reading the fetched %1 failed: %2").arg(devicePath, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<RecordPair> DeviceTransfer::fetch()
{
    const auto system = fetchOne(kDeviceSystemFile, m_systemFile);
    if (!system)
        return std::nullopt;
    const auto weekly = fetchOne(kDeviceWeeklyFile, m_weeklyFile);
    if (!weekly)
        return std::nullopt;
    return RecordPair{*system, *weekly};
}

bool DeviceTransfer::keep(SettingsHistory &history, const RecordPair &records)
{
    QString error;
    m_snapshotId = history.store(records.system, records.weekly, &error);
    if (m_snapshotId.isEmpty())
        m_problem = QStringLiteral("keeping the device's settings in the history failed: ") + error;
    return !m_snapshotId.isEmpty();
}

bool DeviceTransfer::send(const QString &devicePath, const QString &pcFile)
{
    const std::int32_t r = m_link.Vlt_PutFile(devicePath, pcFile, kWholeFile);
    if (vlt::low16(r) == 0)
        return true;
    m_problem =
        QStringLiteral("sending %1 to the device as %2 failed: %3")
            .arg(QFileInfo(m_mapper.toHost(pcFile)).fileName(), devicePath, vlt::describe(r));
    return false;
}

bool DeviceTransfer::readBack(const RecordPair &expected)
{
    const auto now = fetch();
    if (!now) {
        m_problem = QStringLiteral("read-back: ") + m_problem;
        return false;
    }
    if (now->system != expected.system || now->weekly != expected.weekly) {
        m_problem =
            QStringLiteral("read-back: %1 on the device differs from what was sent")
                .arg(now->system != expected.system ? kDeviceSystemFile : kDeviceWeeklyFile);
        return false;
    }
    return true;
}

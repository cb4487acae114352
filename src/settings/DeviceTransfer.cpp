#include "settings/DeviceTransfer.h"

#include "devicelink/DeviceLink.h"
#include "platform/PathMapper.h"
#include "settings/SettingsHistory.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

// Off unless asked for: QT_LOGGING_RULES=quorix.history.info=true.
Q_LOGGING_CATEGORY(lcHistory, "quorix.history", QtWarningMsg)

DeviceTransfer::DeviceTransfer(DeviceLink &link, const PathMapper &mapper)
    : m_link(link), m_mapper(mapper)
{
}

std::optional<QByteArray> DeviceTransfer::fetchOne(const QString &devicePath)
{
    if (!m_fetched) {
        m_fetched = std::make_unique<QTemporaryDir>();
        if (!m_fetched->isValid()) {
            m_problem = QStringLiteral("no temporary folder for the device's records: ") +
                        m_fetched->errorString();
            m_fetched.reset();
            return std::nullopt;
        }
    }
    const QString pcFile = m_fetched->filePath(devicePath.section(u'\\', -1));
    QFile::remove(pcFile);
    const std::int32_t r = m_link.Vlt_GetFile(pcFile, devicePath, kWholeFile);
    // Nothing of that name on a device the link reached: a new or wiped Tavion.
    if (r == vlt::NotFound && vlt::low16(m_link.Vlt_IsExist(devicePath)) == 0)
        return QByteArray();
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
    const auto system = fetchOne(kDeviceSystemFile);
    if (!system)
        return std::nullopt;
    const auto weekly = fetchOne(kDeviceWeeklyFile);
    if (!weekly)
        return std::nullopt;
    return RecordPair{*system, *weekly};
}

bool DeviceTransfer::keep(SettingsHistory &history, const RecordPair &records)
{
    QString error;
    if (records.system.isEmpty() && records.weekly.isEmpty()) {
        m_snapshotId.clear();
        history.removeLeftovers();
        qCInfo(lcHistory, "the device holds no settings yet: nothing to keep in the history");
        return true;
    }
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

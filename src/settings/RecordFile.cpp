#include "settings/RecordFile.h"

#include <QFile>
#include <QSaveFile>

namespace recordfile {

bool read(const QString &hostPath, std::span<std::uint8_t> record, qint64 *bytesRead,
          QString *error)
{
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const qint64 got =
        file.read(reinterpret_cast<char *>(record.data()), static_cast<qint64>(record.size()));
    if (got < 0) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (bytesRead)
        *bytesRead = got;
    return true;
}

bool write(const QString &hostPath, std::span<const std::uint8_t> record, QString *error)
{
    QSaveFile file(hostPath);
    const auto size = static_cast<qint64>(record.size());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(record.data()), size) != size) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // On a full disk Qt's buffered write can stop short without reporting it; the size on disk
    // is the proof, and a short file must never be renamed over the old one.
    if (!file.flush() || file.size() != size) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("the file could not be written whole (disk full?)");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace recordfile

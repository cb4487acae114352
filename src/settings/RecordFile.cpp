#include "settings/RecordFile.h"

#include "platform/AtomicFile.h"

#include <QFile>

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
    return writeFileAtomically(hostPath,
                               QByteArrayView(reinterpret_cast<const char *>(record.data()),
                                              static_cast<qsizetype>(record.size())),
                               error);
}

} // namespace recordfile

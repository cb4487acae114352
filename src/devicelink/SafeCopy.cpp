#include "devicelink/SafeCopy.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error)
{
    auto fail = [&](const QFileDevice &file) {
        if (error)
            *error = file.fileName() + QStringLiteral(": ") + file.errorString();
        return false;
    };

    QFile source(fromHost);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source);
    const QDateTime modified = source.fileTime(QFileDevice::FileModificationTime);

    QSaveFile target(toHost);
    if (!target.open(QIODevice::WriteOnly))
        return fail(target);
    char chunk[64 * 1024];
    qint64 copied = 0;
    for (;;) {
        const qint64 got = source.read(chunk, sizeof chunk);
        if (got < 0)
            return fail(source);
        if (got == 0)
            break;
        if (target.write(chunk, got) != got)
            return fail(target);
        copied += got;
    }
    // On a full disk Qt's buffered write can stop short without reporting it; a short copy
    // must never be renamed over the target.
    if (!target.flush() || target.size() != copied) {
        target.cancelWriting();
        if (error)
            *error = toHost + QStringLiteral(": the copy could not be written whole (disk full?)");
        return false;
    }
    if (!target.commit())
        return fail(target);

    if (keepModified) {
        QFile copy(toHost);
        // A copy with a fresh time would look newer than its source on the next comparison.
        if (!copy.open(QIODevice::ReadWrite) ||
            !copy.setFileTime(modified, QFileDevice::FileModificationTime))
            return fail(copy);
    }
    return true;
}

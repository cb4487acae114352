#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QFile>

AtomicFile::AtomicFile(const QString &hostPath) : m_file(hostPath) {}

bool AtomicFile::fail(QString *error)
{
    if (error)
        *error = m_file.fileName() + QStringLiteral(": ") + m_file.errorString();
    m_file.cancelWriting();
    return false;
}

bool AtomicFile::open(QString *error)
{
    m_written = 0;
    return m_file.open(QIODevice::WriteOnly) || fail(error);
}

bool AtomicFile::write(QByteArrayView bytes, QString *error)
{
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size())
        return fail(error);
    m_written += bytes.size();
    return true;
}

bool AtomicFile::commit(QString *error)
{
    // On a full disk Qt's buffered write can stop short without reporting it; the size on disk
    // is the proof, and a short file must never be renamed over the old one.
    if (!m_file.flush() || m_file.size() != m_written) {
        m_file.cancelWriting();
        if (error)
            *error = m_file.fileName() +
                     QStringLiteral(": the file could not be written whole (disk full?)");
        return false;
    }
    return m_file.commit() || fail(error);
}

bool writeFileAtomically(const QString &hostPath, QByteArrayView bytes, QString *error)
{
    AtomicFile file(hostPath);
    return file.open(error) && file.write(bytes, error) && file.commit(error);
}

bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error)
{
    QFile source(fromHost);
    auto sourceFailed = [&] {
        if (error)
            *error = source.fileName() + QStringLiteral(": ") + source.errorString();
        return false;
    };
    if (!source.open(QIODevice::ReadOnly))
        return sourceFailed();
    const QDateTime modified = source.fileTime(QFileDevice::FileModificationTime);

    AtomicFile target(toHost);
    if (!target.open(error))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = source.read(chunk, sizeof chunk);
        if (got < 0)
            return sourceFailed();
        if (got == 0)
            break;
        if (!target.write(QByteArrayView(chunk, got), error))
            return false;
    }
    if (!target.commit(error))
        return false;

    if (keepModified) {
        QFile copy(toHost);
        // A copy with a fresh time would look newer than its source on the next comparison.
        if (!copy.open(QIODevice::ReadWrite) ||
            !copy.setFileTime(modified, QFileDevice::FileModificationTime)) {
            if (error)
                *error = copy.fileName() + QStringLiteral(": ") + copy.errorString();
            return false;
        }
    }
    return true;
}

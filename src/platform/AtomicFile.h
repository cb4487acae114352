#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

// The one way the program replaces a file. The new bytes go to a temporary file beside the
// target, always named ".<name>.quorix-tmp"; it is flushed to the storage and its size checked,
// then renamed over the target, and the folder is flushed too. So the target is always its
// whole old or its whole new content, also after a crash, a pulled cable or a killed program,
// and success means the content is on the storage. A temporary file that a killed write leaves
// behind is removed by the next write into that folder.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &hostPath);
    // An uncommitted temporary file is removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // ".<name>.quorix-tmp" beside the target.
    static QString temporaryPath(const QString &hostPath);

    bool open(QString *error);
    bool write(QByteArrayView bytes, QString *error);
    // The last-modified time the new file gets.
    void setModified(const QDateTime &time) { m_modified = time; }
    // Puts the new content in place; nothing changes at the target when this fails.
    bool commit(QString *error);

private:
    bool fail(QString *error, int code);

    QString m_target;
    QString m_temporary;
    int m_fd = -1;
    qint64 m_written = 0;
    std::optional<QDateTime> m_modified;
};

// Replaces the file with exactly these bytes.
bool writeFileAtomically(const QString &hostPath, QByteArrayView bytes, QString *error);

// Copies a host file over another one. With keepModified the copy gets the source's
// last-modified time, as a Windows copy does.
bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error = nullptr);

// Flushes a folder's entries (a rename or a new name in it) to the storage.
bool syncFolder(const QString &folder, QString *error = nullptr);

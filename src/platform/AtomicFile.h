#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// The one way the program replaces a file: the new bytes go to a temporary file beside the
// target, their size on disk is checked, and only then is the temporary renamed over the
// target. The target is always its whole old or its whole new content, never a torn one.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &hostPath);

    bool open(QString *error);
    bool write(QByteArrayView bytes, QString *error);
    // Puts the new content in place; nothing changes at the target when this fails.
    bool commit(QString *error);

private:
    bool fail(QString *error);

    QSaveFile m_file;
    qint64 m_written = 0;
};

// Replaces the file with exactly these bytes.
bool writeFileAtomically(const QString &hostPath, QByteArrayView bytes, QString *error);

// Copies a host file over another one. With keepModified the copy gets the source's
// last-modified time, as a Windows copy does.
bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error = nullptr);

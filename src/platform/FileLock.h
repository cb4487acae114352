#pragma once

#include <QString>

// An exclusive lock on a file, held until the object goes. The system drops it when the
// process ends, however it ends, so a killed program never leaves a stale lock behind; the
// (empty) lock file itself stays.
class FileLock
{
public:
    explicit FileLock(QString path) : m_path(std::move(path)) {}
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits up to timeoutMs while another process holds it; false when it stays taken or the
    // file cannot be opened.
    bool lock(int timeoutMs);
    // After a failed lock(): true when it failed because another holder has the lock.
    bool takenByAnother() const { return m_taken; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_taken = false;
};

#pragma once

// Ways to make file writes fail that work for root too (CI runs the tests as root, and
// permission bits do not stop root).

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace faults {

inline bool isRoot()
{
    return ::geteuid() == 0;
}

// How a directory is made to refuse the files written into it.
enum class Block
{
    None,
    ReadOnly, // no write permission; as root, a regular file where the file's name is needed
    Full,     // every file may hold only a few bytes, as on a full disk
    Missing,  // the directory and its parent are gone
};

// While it lives, no process write may make a file longer than `bytes` (EFBIG, as a full disk
// gives ENOSPC): a write that crosses the line fails half done.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// Makes writes of `files` in `dir` fail the read-only way. As root the files' names are taken by
// directories, so neither a temporary file renamed over them nor a direct write can succeed;
// returns the names that now hold a directory instead of the old file.
inline QStringList makeReadOnly(const QString &dir, const QStringList &files)
{
    if (!isRoot()) {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        return {};
    }
    QStringList replaced;
    for (const QString &name : files) {
        const QString path = dir + u'/' + name;
        QFile::remove(path);
        QDir().mkpath(path + QStringLiteral("/taken"));
        replaced << name;
    }
    return replaced;
}

inline void restoreWritable(const QString &dir)
{
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Temporary files of an atomic replace must not be left beside the target.
inline QStringList strayFiles(const QString &dir, const QStringList &expected)
{
    QStringList stray;
    for (const QString &name :
         QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!expected.contains(name))
            stray << name;
    return stray;
}

// Applies a folder fault to `dir`; returns the names that became directories (root's read-only).
inline QStringList applyBlock(const QString &dir, Block how, const QStringList &files,
                              std::unique_ptr<FileSizeLimit> &limit)
{
    if (how == Block::ReadOnly)
        return makeReadOnly(dir, files);
    if (how == Block::Full)
        limit = std::make_unique<FileSizeLimit>(100);
    if (how == Block::Missing) // the folder and its parent
        QDir(QFileInfo(dir).path()).removeRecursively();
    return {};
}

// Each of `files` in `dir` is one of its `allowed` images (a directory where `taken`), never a
// mix or a stub, and no temporary file is left beside them. A missing folder stays missing.
inline void verifyWhole(const QString &dir, const QStringList &files,
                        const QList<QList<QByteArray>> &allowed, const QStringList &taken)
{
    if (!QFileInfo(dir).isDir())
        return;
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray actual = readFile(dir + u'/' + files[i]);
        const QList<QByteArray> ok =
            taken.contains(files[i]) ? QList<QByteArray>{"<directory>"} : allowed[i];
        QVERIFY2(ok.contains(actual),
                 qPrintable(QStringLiteral("%1/%2: %3 bytes, neither old nor new")
                                .arg(dir, files[i])
                                .arg(actual.size())));
    }
    QCOMPARE(strayFiles(dir, files), QStringList());
}

} // namespace faults

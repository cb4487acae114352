#pragma once

// Ways to make file writes fail that work for root too (CI runs the tests as root).

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace faults {

// How a folder is made to refuse the files written into it.
enum class Block
{
    None,
    ReadOnly, // a folder holds each file's name, which stops root too (permission bits do not)
    Full,     // no file may grow past 100 bytes, as on a full disk
    Missing,  // the folder and its parent are gone
};

// While it lives, a write past `bytes` fails half done (EFBIG, as a full disk gives ENOSPC).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

// Makes `dir` refuse `files`; a Full block lasts while `limit` holds it.
inline void applyBlock(const QString &dir, Block how, const QStringList &files,
                       std::unique_ptr<FileSizeLimit> &limit)
{
    for (const QString &name : how == Block::ReadOnly ? files : QStringList()) {
        QFile::remove(dir + u'/' + name);
        QDir().mkpath(dir + u'/' + name + QStringLiteral("/taken"));
    }
    if (how == Block::Full)
        limit = std::make_unique<FileSizeLimit>(100);
    if (how == Block::Missing)
        QDir(QFileInfo(dir).path()).removeRecursively();
}

// Files in `dir` besides `expected`: what an atomic replace must never leave behind.
inline QStringList strayFiles(const QString &dir, const QStringList &expected)
{
    QStringList stray = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    stray.removeIf([&](const QString &name) { return expected.contains(name); });
    return stray;
}

} // namespace faults

#pragma once

#include "devicelink/DeviceLink.h"
#include "platform/PathMapper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

#include <algorithm>
#include <optional>

// A device held in memory. Records every call with its arguments and result, and can make any
// chosen call fail (or return any chosen result). PC paths are real files, reached through the
// PathMapper as the shipped link does, so the code under test reads and writes real files.
class FakeDeviceLink : public DeviceLink
{
public:
    struct Call
    {
        QString op;
        QStringList args;
        std::int32_t result;
    };

    explicit FakeDeviceLink(const PathMapper &mapper) : m_mapper(mapper) {}

    // Device files by path; names compare case-insensitively, as on the device.
    void setFile(const QString &devicePath, const QByteArray &bytes)
    {
        m_files[key(devicePath)] = bytes;
    }
    void removeFile(const QString &devicePath) { m_files.remove(key(devicePath)); }
    std::optional<QByteArray> file(const QString &devicePath) const
    {
        const auto it = m_files.constFind(key(devicePath));
        return it == m_files.cend() ? std::nullopt : std::optional<QByteArray>(*it);
    }
    void addDirectory(const QString &devicePath) { m_dirs << key(devicePath); }

    bool unreachable = false;                  // every call fails
    QByteArray listing;                        // the ANSI text Vlt_DirByExt writes
    std::optional<std::int32_t> listingResult; // reported instead of the characters written
    bool releaseAllowed = true;                // answer of Vlt_DoDisconnect
    bool keepsOldFiles = false;                // puts report success, the files stay as they were
    int setupShown = 0;

    QList<Call> calls;

    // Makes the n-th call (1-based; 0 = every call) of op return result instead.
    void forceResult(const QString &op, int n, std::int32_t result) { m_forced[op][n] = result; }
    void failCall(const QString &op, int n = 0) { forceResult(op, n, vlt::CopyFailed); }

    QStringList ops() const
    {
        QStringList names;
        for (const Call &c : calls)
            names << c.op;
        return names;
    }

    std::int32_t Vlt_GetFile(const QString &pcPath, const QString &devicePath,
                             std::int32_t mode) override
    {
        const auto forced = forcedResult(QStringLiteral("Vlt_GetFile"));
        std::int32_t r = forced.value_or(vlt::Ok);
        if (!forced && unreachable)
            r = vlt::Unreachable;
        else if (!forced && !file(devicePath))
            r = vlt::NotFound;
        if (r == vlt::Ok && !writePc(pcPath, *file(devicePath)))
            r = vlt::CopyFailed;
        return record(QStringLiteral("Vlt_GetFile"), {pcPath, devicePath, QString::number(mode)},
                      r);
    }

    std::int32_t Vlt_PutFile(const QString &devicePath, const QString &pcPath,
                             std::int32_t mode) override
    {
        const auto forced = forcedResult(QStringLiteral("Vlt_PutFile"));
        std::int32_t r = forced.value_or(vlt::Ok);
        if (!forced && unreachable)
            r = vlt::Unreachable;
        if (vlt::low16(r) == 0 && !keepsOldFiles) {
            QFile pc(m_mapper.toHost(pcPath));
            if (pc.open(QIODevice::ReadOnly))
                setFile(devicePath, pc.readAll());
            else if (!forced)
                r = vlt::NotFound;
        }
        return record(QStringLiteral("Vlt_PutFile"), {devicePath, pcPath, QString::number(mode)},
                      r);
    }

    std::int32_t Vlt_IsExist(const QString &devicePath) override
    {
        const QString k = key(devicePath);
        const bool there = m_dirs.contains(k) || m_files.contains(k) ||
                           std::any_of(m_files.keyBegin(), m_files.keyEnd(),
                                       [&](const QString &f) { return f.startsWith(k + u'\\'); });
        const auto forced = forcedResult(QStringLiteral("Vlt_IsExist"));
        const std::int32_t r = forced.value_or(!unreachable && there ? 1 : 0);
        return record(QStringLiteral("Vlt_IsExist"), {devicePath}, r);
    }

    std::int32_t Vlt_DirByExt(const QString &deviceDir, const QString &extension,
                              std::span<char> buffer, std::int32_t maxChars) override
    {
        std::int32_t written = 0;
        if (!unreachable) {
            const auto n = std::min<qsizetype>(
                {listing.size(), qsizetype(std::max(maxChars, 0)), qsizetype(buffer.size())});
            std::copy_n(listing.constData(), n, buffer.begin());
            written = static_cast<std::int32_t>(n);
        }
        const std::int32_t r =
            forcedResult(QStringLiteral("Vlt_DirByExt")).value_or(listingResult.value_or(written));
        return record(QStringLiteral("Vlt_DirByExt"),
                      {deviceDir, extension, QString::number(maxChars)}, r);
    }

    void Vlt_SetupDisconnection() override
    {
        ++setupShown;
        record(QStringLiteral("Vlt_SetupDisconnection"), {}, 0);
    }

    std::int32_t Vlt_DoDisconnect() override
    {
        const auto forced = forcedResult(QStringLiteral("Vlt_DoDisconnect"));
        return record(QStringLiteral("Vlt_DoDisconnect"), {},
                      forced.value_or(releaseAllowed ? vlt::Ok : vlt::KeepConnected));
    }

private:
    static QString key(const QString &devicePath)
    {
        QString k = devicePath.toLower();
        k.replace(u'/', u'\\');
        if (!k.startsWith(u'\\'))
            k.prepend(u'\\');
        return k;
    }

    std::optional<std::int32_t> forcedResult(const QString &op)
    {
        const int n = ++m_count[op];
        const auto it = m_forced.constFind(op);
        if (it == m_forced.cend())
            return std::nullopt;
        if (it->contains(n))
            return it->value(n);
        if (it->contains(0))
            return it->value(0);
        return std::nullopt;
    }

    std::int32_t record(const QString &op, const QStringList &args, std::int32_t result)
    {
        calls << Call{op, args, result};
        return result;
    }

    // Trailing blanks of the load's padded field are not part of the path.
    bool writePc(QString pcPath, const QByteArray &bytes)
    {
        while (pcPath.endsWith(u' '))
            pcPath.chop(1);
        const QString host = m_mapper.toHost(pcPath);
        if (host.isEmpty() || !QDir().mkpath(QFileInfo(host).absolutePath()))
            return false;
        QFile f(host);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    const PathMapper &m_mapper;
    QMap<QString, QByteArray> m_files;
    QStringList m_dirs;
    QHash<QString, QHash<int, std::int32_t>> m_forced;
    QHash<QString, int> m_count;
};

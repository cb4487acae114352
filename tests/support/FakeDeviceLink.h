#pragma once

#include "devicelink/DeviceLink.h"
#include "platform/PathMapper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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
        return it == m_files.cend() ? std::nullopt : std::optional(*it);
    }
    void addDirectory(const QString &devicePath) { m_dirs << key(devicePath); }

    bool unreachable = false; // every call fails
    QByteArray listing;       // the ANSI text Vlt_DirByExt writes
    bool listsFiles = false;  // Vlt_DirByExt lists the files held instead of `listing`
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
        const auto bytes = file(devicePath);
        std::int32_t r =
            forced("Vlt_GetFile")
                .value_or(unreachable ? vlt::Unreachable : (bytes ? vlt::Ok : vlt::NotFound));
        if (r == vlt::Ok && !writePc(pcPath, bytes.value_or(QByteArray())))
            r = vlt::CopyFailed;
        return record("Vlt_GetFile", {pcPath, devicePath, QString::number(mode)}, r);
    }

    std::int32_t Vlt_PutFile(const QString &devicePath, const QString &pcPath,
                             std::int32_t mode) override
    {
        const auto forcedResult = forced("Vlt_PutFile");
        std::int32_t r = forcedResult.value_or(unreachable ? vlt::Unreachable : vlt::Ok);
        QFile pc(m_mapper.toHost(pcPath));
        if (vlt::low16(r) == 0 && pc.open(QIODevice::ReadOnly)) {
            if (!keepsOldFiles)
                setFile(devicePath, pc.readAll());
        } else if (vlt::low16(r) == 0 && !forcedResult)
            r = vlt::NotFound;
        return record("Vlt_PutFile", {devicePath, pcPath, QString::number(mode)}, r);
    }

    std::int32_t Vlt_IsExist(const QString &devicePath) override
    {
        const QString k = key(devicePath);
        const bool there = m_dirs.contains(k) ||
                           std::any_of(m_files.keyBegin(), m_files.keyEnd(),
                                       [&](auto &f) { return f == k || f.startsWith(k + u'\\'); });
        return record("Vlt_IsExist", {devicePath},
                      forced("Vlt_IsExist").value_or(!unreachable && there ? 1 : 0));
    }

    std::int32_t Vlt_DeleteFile(const QString &devicePath) override
    {
        std::int32_t r = forced("Vlt_DeleteFile")
                             .value_or(unreachable ? vlt::Unreachable
                                                   : (file(devicePath) ? vlt::Ok : vlt::NotFound));
        if (r == vlt::Ok)
            removeFile(devicePath);
        return record("Vlt_DeleteFile", {devicePath}, r);
    }

    std::int32_t Vlt_DirByExt(const QString &deviceDir, const QString &extension,
                              std::span<char> buffer, std::int32_t maxChars) override
    {
        if (listsFiles)
            listing = filesIn(deviceDir, extension);
        const auto n = unreachable ? 0
                                   : std::min<qsizetype>({listing.size(), std::max(maxChars, 0),
                                                          qsizetype(buffer.size())});
        std::copy_n(listing.constData(), n, buffer.begin());
        return record("Vlt_DirByExt", {deviceDir, extension, QString::number(maxChars)},
                      forced("Vlt_DirByExt").value_or(listingResult.value_or(std::int32_t(n))));
    }

    void Vlt_SetupDisconnection() override
    {
        ++setupShown;
        record("Vlt_SetupDisconnection", {}, 0);
    }

    std::int32_t Vlt_DoDisconnect() override
    {
        return record(
            "Vlt_DoDisconnect", {},
            forced("Vlt_DoDisconnect").value_or(releaseAllowed ? vlt::Ok : vlt::KeepConnected));
    }

private:
    static QString key(QString devicePath)
    {
        devicePath = devicePath.toLower().replace(u'/', u'\\');
        return devicePath.startsWith(u'\\') ? devicePath : u'\\' + devicePath;
    }

    std::optional<std::int32_t> forced(const QString &op)
    {
        const int n = ++m_count[op];
        const QHash<int, std::int32_t> results = m_forced.value(op);
        return results.contains(n) || results.contains(0) ? results.value(n, results.value(0))
                                                          : std::optional<std::int32_t>();
    }

    std::int32_t record(const QString &op, const QStringList &args, std::int32_t result)
    {
        calls << Call{op, args, result};
        return result;
    }

    // The names of the files in a folder with an extension, tab-separated, as the device lists.
    QByteArray filesIn(const QString &deviceDir, const QString &extension) const
    {
        QStringList names;
        const QString folder = key(deviceDir) + u'\\';
        for (const QString &path : m_files.keys()) {
            const QString name = path.mid(folder.size());
            if (path.startsWith(folder) && !name.contains(u'\\') &&
                name.endsWith(u'.' + extension.toLower()))
                names << name.toUpper().chopped(extension.size()) + extension;
        }
        return names.join(u'\t').toLatin1();
    }

    // Trailing blanks of the load's padded field are not part of the path.
    bool writePc(QString pcPath, const QByteArray &bytes)
    {
        while (pcPath.endsWith(u' '))
            pcPath.chop(1);
        const QString host = m_mapper.toHost(pcPath);
        QFile f(host);
        return !host.isEmpty() && QDir().mkpath(QFileInfo(host).absolutePath()) &&
               f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    const PathMapper &m_mapper;
    QMap<QString, QByteArray> m_files;
    QStringList m_dirs;
    QHash<QString, QHash<int, std::int32_t>> m_forced;
    QHash<QString, int> m_count;
};

#pragma once

#include "core/RecordImage.h"
#include "platform/Installation.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Whole-file helpers for tests that set up and inspect files byte for byte. writeFile creates
// the parent folders; writeExecutable also sets the execute bits (fake players and tools).
// readFile gives "<missing>" or "<directory>" when there is no file to read.
bool writeFile(const QString &path, const QByteArray &bytes);
bool writeExecutable(const QString &path, const QByteArray &script);
QByteArray readFile(const QString &path);

template <std::size_t N> QByteArray bytesOf(const RecordImage<N> &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes.data()), qsizetype(N));
}

// A throwaway Wine prefix (prefix/) with the suite installed at C:\Suite: user.reg naming it,
// dosdevices/c: -> ../drive_c, and the suite folder; beside it an empty device folder
// (device/). Paths are host paths.
struct TestSuite
{
    QTemporaryDir dir;

    explicit TestSuite(bool installed = true);

    QString prefix() const { return dir.filePath(QStringLiteral("prefix")); }
    QString userReg() const { return prefix() + QStringLiteral("/user.reg"); }
    QString device() const { return dir.filePath(QStringLiteral("device")); }
    // Host path of C:\Suite\<relative>, relative written with '/'.
    QString suite(const QString &relative = {}) const;
    // Writes user.reg naming C:\Suite as the installation.
    bool install() const;
    // Factory files razevo\system.cif and razevo\weekly.cif.
    bool writeFactoryFiles(const QByteArray &system, const QByteArray &weekly) const;
    // Quorix's own installation beside it: factory files in own/factory, the XDG cache and
    // data folders own/cache and own/data.
    bool writeOwnFactoryFiles(const QByteArray &system, const QByteArray &weekly) const;
    InstallationPlaces places() const;
};

#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <chrono>

// A Tavion found among the mounted file systems.
struct FoundDevice
{
    QString root;  // the folder it is mounted at
    QString label; // the file system's label; null when it has none

    bool operator==(const FoundDevice &) const = default;
};

// Looks for plugged-in Tavions: the removable-media mounts of the mount table (/media/$USER/*,
// /run/media/$USER/*, /media/*, /mnt/*) and the GVfs mounts in $XDG_RUNTIME_DIR/gvfs whose
// folder holds system/system.ini of 256 bytes and system/weekly.ini of 76 bytes. It only looks
// at names and sizes; nothing is opened, let alone written.
class DeviceFinder
{
public:
    struct Places
    {
        QString mountTable = QStringLiteral("/proc/self/mountinfo");
        QString user;       // $USER; empty = no per-user media folders
        QString runtimeDir; // $XDG_RUNTIME_DIR; empty = no GVfs mounts
        // Where the paths of the mount table are seen from: empty for this system, else a folder
        // that stands in for "/" (and holds dev/disk/by-label).
        QString systemRoot;

        static Places fromEnvironment(const QProcessEnvironment &env);
    };

    explicit DeviceFinder(Places places,
                          std::chrono::milliseconds timeLimit = std::chrono::seconds(1));

    // The Tavions in mount-table order, then those of GVfs by name. A mount that has not
    // answered when the time limit is up is left out.
    QList<FoundDevice> find() const;
    // Whether folder holds a Tavion by the same rule, within the same time limit.
    bool holdsTavion(const QString &folder) const;

private:
    Places m_places;
    std::chrono::milliseconds m_timeLimit;
};

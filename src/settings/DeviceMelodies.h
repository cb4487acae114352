#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

class DeviceLink;

// The melodies in the device's sound folder: put one there, fetch one, remove one. Nothing is
// lost: a melody that is replaced or removed is first kept on the PC, in the "sounds" folder of
// the settings history, as NAME-YYYYMMDD-HHMMSS.snd (then -2, -3 ... within one second).
class DeviceMelodies
{
public:
    enum class Failure
    {
        None,
        BadInput, // a refused name or file, a melody that is not there or already is
        Device,   // the device or the PC folder failed
    };
    struct Outcome
    {
        Failure failure = Failure::None;
        QString problem;  // why, when it failed
        QString keptFile; // the PC copy of a replaced or removed melody
        bool ok() const { return failure == Failure::None; }
    };
    using Clock = std::function<QDateTime()>;

    // workFolder: a PC folder the files travel through (host path, the caller's to own).
    DeviceMelodies(DeviceLink &link, QString workFolder, QString keepFolder,
                   Clock clock = &QDateTime::currentDateTime);

    // The history folder's "sounds" sub-folder.
    static QString keepFolderFrom(const QProcessEnvironment &env);
    static QString keepFolderIn(const QString &historyFolder);
    // The device's name for NAME (".snd" may follow): upper case, at most 8 Windows-1252 bytes
    // and a valid device file name; nullopt with the reason otherwise.
    static std::optional<QString> deviceName(const QString &name, QString *problem);
    // "\system\sound\NAME.snd".
    static QString devicePath(const QString &deviceName);

    // True when the device holds a melody of that name now.
    bool isOnDevice(const QString &deviceName);

    // Puts a sound file the reader accepts on the device under NAME, up to its end marker. An
    // existing melody of that name is refused unless replace, and then kept first. The device's
    // copy is read back.
    Outcome put(const QByteArray &snd, const QString &name, bool replace);
    Outcome get(const QString &name, QByteArray &snd);
    Outcome remove(const QString &name);

private:
    Outcome fetch(const QString &devicePath, QByteArray &bytes);
    Outcome keep(const QString &name, const QByteArray &bytes);

    DeviceLink &m_link;
    QString m_workFolder;
    QString m_keepFolder;
    Clock m_clock;
};

#pragma once

#include "devicelink/DeviceLink.h"

#include <QStringList>

// Device directory of the alarm sounds, and the extension of their files.
inline const QString kDeviceSoundDir = QStringLiteral("\\system\\sound");
inline const QString kSoundExtension = QStringLiteral("snd");

// Rebuilds SoundList from the device: entries 0..n-1 are the names of the device's sound files
// in the order the link lists them, entry n is empty. A device without a sound directory gives
// the single empty entry.
void GetSoundList(DeviceLink &link, QStringList &SoundList);

// False for a name no device sound file can have: empty, "." or "..", control characters
// (NUL included), path separators, drive or stream colons, wildcards and quotes. Such names
// are left out of SoundList, so they never reach a list, a file name or the device.
bool isDeviceSoundFileName(const QString &name);

// The names of a SoundList up to its first empty entry.
QStringList soundNames(const QStringList &SoundList);

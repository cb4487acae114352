#pragma once

#include "devicelink/DeviceLink.h"

#include <QStringList>

// Rebuilds SoundList from the device: entries 0..n-1 are the names of the device's sound files
// in the order the link lists them, entry n is empty. A device without a sound directory gives
// the single empty entry.
void GetSoundList(DeviceLink &link, QStringList &SoundList);

// The names of a SoundList up to its first empty entry.
QStringList soundNames(const QStringList &SoundList);

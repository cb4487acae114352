#pragma once

#include <QString>

// The entry of dir called name, as the device names things: the exact spelling if present,
// else the first that differs only in case; empty when there is none.
QString matchEntry(const QString &dir, const QString &name);

#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

// The command line of quorix, read before the GUI application object exists so that --help and
// --version work without a display. Qt's own options (-platform, -style, ...) are let through
// for the application object. Returns the exit status when the program is to end at once
// (help, version, a bad option or argument), nullopt when it is to start.
std::optional<int> ReadStartOptions(const QStringList &arguments, QTextStream &out,
                                    QTextStream &err);

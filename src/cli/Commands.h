#pragma once

#include "cli/CliContext.h"

// Each command gets its own arguments (without the command word) and returns an exit code.
int showCommand(const QStringList &args, CliContext &ctx);
int setCommand(const QStringList &args, CliContext &ctx);
int pathsCommand(const QStringList &args, CliContext &ctx);
int snd2wavCommand(const QStringList &args, CliContext &ctx);
// Device melodies from ringtone text, MIDI files or the text form, and back to text.
int melodyCommand(const QStringList &args, CliContext &ctx);

// Device commands. A device that cannot be reached or a transfer that fails ends them with
// ExitDeviceFailure and a message naming the step.
int pullCommand(const QStringList &args, CliContext &ctx);
int pushCommand(const QStringList &args, CliContext &ctx);
// Lists, puts, fetches or removes device melodies; a replaced or removed one is kept first.
int soundsCommand(const QStringList &args, CliContext &ctx);
int deviceCommand(const QStringList &args, CliContext &ctx);
// Returns ExitOk once a Tavion is mounted, ExitDeviceFailure (after a message) at the timeout.
int deviceWait(const QStringList &args, CliContext &ctx);
// The snapshots of the device's settings, and putting one back on the device.
int historyCommand(const QStringList &args, CliContext &ctx);
int restoreCommand(const QStringList &args, CliContext &ctx);
// Exits as cmp does: 0 equal, 1 different, 2 trouble. A snapshot id stands for its record of
// the other argument's kind, or for both records.
int diffCommand(const QStringList &args, CliContext &ctx);
// Fields outside their value rules, in a record file or on the device (cli/CheckCommand.h).
int checkCommand(const QStringList &args, CliContext &ctx);

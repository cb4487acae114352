#pragma once

#include "cli/CliContext.h"

// Each command gets its own arguments (without the command word) and returns an exit code.
int showCommand(const QStringList &args, CliContext &ctx);
int setCommand(const QStringList &args, CliContext &ctx);
int pathsCommand(const QStringList &args, CliContext &ctx);
int snd2wavCommand(const QStringList &args, CliContext &ctx);

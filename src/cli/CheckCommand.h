#pragma once

#include "cli/Commands.h"
#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/DeviceTransfer.h"

#include <optional>

// Warns on stderr about each field outside its value rule; sending goes on unchanged.
void warnOutsideRules(CliContext &ctx, const QString &step, const RecordPair &images);

// Both records of the device, fetched for reading; an exit code when that fails.
std::optional<int> readDeviceRecords(CliContext &ctx, const QString &step, SystemRecord &system,
                                     WeeklyRecord &weekly);

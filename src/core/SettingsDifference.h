#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <string>
#include <vector>

// The settings that differ between two pairs of records, named as a user knows them
// ("Contrast", "Alarm 2", "User Name", "Power On Time"), each once, system record first.
std::vector<std::string> differingSettings(const SystemRecord &systemA, const WeeklyRecord &weeklyA,
                                           const SystemRecord &systemB,
                                           const WeeklyRecord &weeklyB);

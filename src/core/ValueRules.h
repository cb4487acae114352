#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// What each field bound to a control may hold: exactly what that control can show and
// produce. quorixctl refuses anything else (unless told --raw) and the pages take their ranges
// and list lengths from here. Fields without a row have no control.
enum class RuleKind : std::uint8_t
{
    Range,     // min..max; a list's positions, a picker's hours, an option pair's 0 and 1
    Repeat,    // 0 (off), 255 (daily) or a weekday mask min..max
    SoundName, // empty, or a device file name of at most max Windows-1252 bytes
    Text,      // at most max Windows-1252 bytes
};

struct ValueRule
{
    std::string_view field; // "[N]" stands for every alarm number
    RuleKind kind;
    int min;
    int max;

    // The number of entries of the list whose positions the rule allows.
    constexpr int entries() const { return max - min + 1; }
};

inline constexpr std::array<ValueRule, 23> kValueRules{{
    {"Contrast", RuleKind::Range, 10, 22},    // Contlast slider
    {"StandbyMode", RuleKind::Range, 0, 2},   // PowerStandby list
    {"AutoOffDelay", RuleKind::Range, 0, 12}, // PowerWaitTime list
    {"PowerOnHour", RuleKind::Range, 0, 23},  // DTP_Power pickers
    {"PowerOnMinute", RuleKind::Range, 0, 59},
    {"PowerOffHour", RuleKind::Range, 0, 23},
    {"PowerOffMinute", RuleKind::Range, 0, 59},
    {"BacklightTime", RuleKind::Range, 0, 10},          // BackLight list
    {"KeyChirp", RuleKind::Range, 0, 1},                // CheckBeep pair
    {"AlarmSoundOn", RuleKind::Range, 0, 1},            // CheckSound pair
    {"FilerViewMode", RuleKind::Range, 0, 2},           // FilerType list
    {"FilerSortKey", RuleKind::Range, 1, 4},            // FilerKind list, stored as codes 1..4
    {"FilerSortOrder", RuleKind::Range, 0, 1},          // FilerSort list
    {"ClockFormat", RuleKind::Range, 0, 1},             // ClockType pair
    {"DaylightSaving", RuleKind::Range, 0, 1},          // Dst pair
    {"UserName", RuleKind::Text, 0, 12},                // UserName box
    {"AlarmEntry[N].Repeat", RuleKind::Repeat, 1, 127}, // Week list and weekday boxes
    {"AlarmEntry[N].Hour", RuleKind::Range, 0, 23},     // DTP_ALTime pickers
    {"AlarmEntry[N].Minute", RuleKind::Range, 0, 59},
    {"AlarmEntry[N].SoundName", RuleKind::SoundName, 0, 8}, // Sound lists
    {"HourlyChime", RuleKind::Range, 0, 1},                 // TimeSignal pair
    {"RepeatIndex[N]", RuleKind::Range, 0, 2},              // Week lists
    {"WeekdayMask[N]", RuleKind::Range, 0, 127},            // seven weekday boxes
}};

// The rule of a field named with "[N]" for its alarm number; for compile-time use by the pages.
constexpr const ValueRule &valueRule(std::string_view field)
{
    for (const ValueRule &rule : kValueRules) {
        if (rule.field == field)
            return rule;
    }
    throw std::invalid_argument("no value rule for this field");
}

// The rule of a field as quorixctl names it ("AlarmEntry[2].Hour"); nullptr for a field
// without a control.
const ValueRule *findRule(std::string_view field);

bool allows(const ValueRule &rule, int value);
bool allowsText(const ValueRule &rule, std::string_view ansiBytes);
// What the rule allows, in words: "10..22", "0, 255 or 1..127", ...
std::string allowedText(const ValueRule &rule);

// A field whose value lies outside its rule: its name, value ("\"text\"" for text) and rule.
struct RuleBreach
{
    std::string field;
    std::string value;
    std::string allowed;
    friend bool operator==(const RuleBreach &, const RuleBreach &) = default;
};

std::vector<RuleBreach> outsideRules(const SystemRecord &record);
std::vector<RuleBreach> outsideRules(const WeeklyRecord &record);

#include "core/SettingsDifference.h"

#include "core/RecordLayout.h"

#include <algorithm>
#include <cctype>
#include <span>

namespace {

bool startsWith(const std::string &s, std::string_view prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string &s, std::string_view suffix)
{
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "AutoOffDelay" -> "Auto Off Delay".
std::string spaced(const std::string &name)
{
    std::string words;
    for (char c : name) {
        if (!words.empty() && std::isupper(static_cast<unsigned char>(c)))
            words += ' ';
        words += c;
    }
    return words;
}

// What a user calls the setting a layout field holds. Alarm fields are named
// "AlarmEntry[n].Hour", "RepeatIndex[n]", "WeekdayMask[n]".
std::string settingOf(const std::string &field)
{
    const auto bracket = field.find('[');
    if (bracket != std::string::npos &&
        (startsWith(field, "AlarmEntry") || startsWith(field, "RepeatIndex") ||
         startsWith(field, "WeekdayMask")))
        return "Alarm " + std::to_string(std::stoi(field.substr(bracket + 1)) + 1);
    if (startsWith(field, "UserName"))
        return "User Name";
    if (startsWith(field, "Hidden") || startsWith(field, "Opaque"))
        return "Hidden Settings";
    for (std::string_view part : {"Hour", "Minute"}) {
        if (endsWith(field, part))
            return spaced(field.substr(0, field.size() - part.size())) + " Time";
    }
    return spaced(field);
}

void collect(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
             const std::vector<FieldLayout> &layout, std::vector<std::string> &names)
{
    for (const FieldLayout &f : layout) {
        if (std::equal(a.begin() + f.offset, a.begin() + f.offset + f.width, b.begin() + f.offset))
            continue;
        const std::string name = settingOf(f.name);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
}

} // namespace

std::vector<std::string> differingSettings(const SystemRecord &systemA, const WeeklyRecord &weeklyA,
                                           const SystemRecord &systemB, const WeeklyRecord &weeklyB)
{
    std::vector<std::string> names;
    collect(systemA.bytes, systemB.bytes, systemLayout(), names);
    collect(weeklyA.bytes, weeklyB.bytes, weeklyLayout(), names);
    return names;
}

#include "core/ValueRules.h"

#include "core/AnsiText.h"
#include "core/DeviceFileName.h"
#include "core/RecordLayout.h"

namespace {

// "AlarmEntry[2].Hour" -> "AlarmEntry[N].Hour".
std::string generalName(std::string_view field)
{
    std::string name(field);
    const auto open = name.find('[');
    const auto close = name.find(']', open);
    if (open != std::string::npos && close != std::string::npos)
        name.replace(open + 1, close - open - 1, "N");
    return name;
}

template <std::size_t N>
std::vector<RuleBreach> breaches(const RecordImage<N> &record,
                                 const std::vector<FieldLayout> &layout)
{
    std::vector<RuleBreach> found;
    for (const FieldLayout &f : layout) {
        const ValueRule *rule = findRule(f.name);
        if (!rule)
            continue;
        if (f.type == FieldType::Text) {
            const std::string text = record.textAt(f.offset, f.width);
            if (!allowsText(*rule, text))
                found.push_back({f.name, '"' + ansi::toUtf8(text) + '"', allowedText(*rule)});
        } else if (!allows(*rule, record.int16At(f.offset))) {
            found.push_back({f.name, std::to_string(record.int16At(f.offset)), allowedText(*rule)});
        }
    }
    return found;
}

} // namespace

const ValueRule *findRule(std::string_view field)
{
    const std::string name = generalName(field);
    for (const ValueRule &rule : kValueRules) {
        if (rule.field == name)
            return &rule;
    }
    return nullptr;
}

bool allows(const ValueRule &rule, int value)
{
    if (rule.kind == RuleKind::Repeat && (value == 0 || value == WeeklyRecord::RepeatDaily))
        return true;
    return value >= rule.min && value <= rule.max;
}

bool allowsText(const ValueRule &rule, std::string_view ansiBytes)
{
    if (ansiBytes.size() > std::size_t(rule.max))
        return false;
    if (rule.kind != RuleKind::SoundName || ansiBytes.empty())
        return true;
    std::u16string name;
    for (const char32_t cp : ansi::decodeUtf8(ansi::toUtf8(ansiBytes)).value_or(U""))
        name += char16_t(cp); // Windows-1252 lies within the first plane
    return isDeviceFileName(name);
}

std::string allowedText(const ValueRule &rule)
{
    const std::string max = std::to_string(rule.max);
    switch (rule.kind) {
    case RuleKind::Range:
        break;
    case RuleKind::Repeat:
        return "0, 255 or " + std::to_string(rule.min) + ".." + max;
    case RuleKind::SoundName:
        return "empty or a device sound name of at most " + max + " Windows-1252 bytes";
    case RuleKind::Text:
        return "at most " + max + " Windows-1252 bytes";
    }
    return std::to_string(rule.min) + ".." + max;
}

std::vector<RuleBreach> outsideRules(const SystemRecord &record)
{
    return breaches(record, systemLayout());
}

std::vector<RuleBreach> outsideRules(const WeeklyRecord &record)
{
    return breaches(record, weeklyLayout());
}

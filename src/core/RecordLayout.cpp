#include "core/RecordLayout.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <algorithm>

namespace {

std::vector<FieldLayout> makeSystemLayout()
{
    std::vector<FieldLayout> layout{{"Opaque00", 0, 6, FieldType::Bytes}};
    const std::pair<const char *, SystemField> ints1[] = {
        {"Hidden06", SystemField::Hidden06}, {"Contrast", SystemField::Contrast},
        {"Hidden10", SystemField::Hidden10}, {"Hidden12", SystemField::Hidden12},
        {"Hidden14", SystemField::Hidden14}, {"Hidden16", SystemField::Hidden16},
        {"Hidden18", SystemField::Hidden18},
    };
    const std::pair<const char *, SystemField> ints2[] = {
        {"Hidden28", SystemField::Hidden28},
        {"StandbyMode", SystemField::StandbyMode},
        {"AutoOffDelay", SystemField::AutoOffDelay},
        {"PowerOnHour", SystemField::PowerOnHour},
        {"PowerOnMinute", SystemField::PowerOnMinute},
        {"PowerOffHour", SystemField::PowerOffHour},
        {"PowerOffMinute", SystemField::PowerOffMinute},
        {"BacklightTime", SystemField::BacklightTime},
        {"KeyChirp", SystemField::KeyChirp},
        {"AlarmSoundOn", SystemField::AlarmSoundOn},
        {"FilerViewMode", SystemField::FilerViewMode},
        {"FilerSortKey", SystemField::FilerSortKey},
        {"FilerSortOrder", SystemField::FilerSortOrder},
        {"Hidden54", SystemField::Hidden54},
        {"ClockFormat", SystemField::ClockFormat},
        {"Hidden58", SystemField::Hidden58},
        {"Hidden60", SystemField::Hidden60},
        {"DaylightSaving", SystemField::DaylightSaving},
        {"Hidden64", SystemField::Hidden64},
        {"Hidden66", SystemField::Hidden66},
    };
    for (const auto &[name, field] : ints1)
        layout.push_back({name, static_cast<std::size_t>(field), 2, FieldType::Int16});
    layout.push_back({"Opaque20", 20, 8, FieldType::Bytes});
    for (const auto &[name, field] : ints2)
        layout.push_back({name, static_cast<std::size_t>(field), 2, FieldType::Int16});
    layout.push_back({"Opaque68", 68, 32, FieldType::Bytes});
    layout.push_back({"UserNameBytes", SystemRecord::UserNameOffset, SystemRecord::UserNameWidth,
                      FieldType::Bytes});
    layout.push_back(
        {"UserName", SystemRecord::UserNameOffset, SystemRecord::UserNameWidth, FieldType::Text});
    layout.push_back({"Opaque112", 112, 144, FieldType::Bytes});
    return layout;
}

std::vector<FieldLayout> makeWeeklyLayout()
{
    using W = WeeklyRecord;
    std::vector<FieldLayout> layout;
    for (int n = 0; n < W::AlarmCount; ++n) {
        const std::string entry = "AlarmEntry[" + std::to_string(n) + "].";
        layout.push_back({entry + "Repeat", W::repeatOffset(n), 2, FieldType::Int16});
        layout.push_back({entry + "Hour", W::hourOffset(n), 2, FieldType::Int16});
        layout.push_back({entry + "Minute", W::minuteOffset(n), 2, FieldType::Int16});
        layout.push_back(
            {entry + "SoundNameBytes", W::soundNameOffset(n), W::SoundNameWidth, FieldType::Bytes});
        layout.push_back(
            {entry + "SoundName", W::soundNameOffset(n), W::SoundNameWidth, FieldType::Text});
    }
    layout.push_back({"Hidden56", W::Hidden56Offset, 2, FieldType::Int16});
    layout.push_back({"HourlyChime", W::HourlyChimeOffset, 2, FieldType::Int16});
    for (int n = 0; n < W::AlarmCount; ++n)
        layout.push_back({"RepeatIndex[" + std::to_string(n) + "]", W::repeatIndexOffset(n), 2,
                          FieldType::Int16});
    for (int n = 0; n < W::AlarmCount; ++n)
        layout.push_back({"WeekdayMask[" + std::to_string(n) + "]", W::weekdayMaskOffset(n), 2,
                          FieldType::Int16});
    return layout;
}

} // namespace

const std::vector<FieldLayout> &systemLayout()
{
    static const std::vector<FieldLayout> layout = makeSystemLayout();
    return layout;
}

const std::vector<FieldLayout> &weeklyLayout()
{
    static const std::vector<FieldLayout> layout = makeWeeklyLayout();
    return layout;
}

const FieldLayout *findField(const std::vector<FieldLayout> &layout, const std::string &name)
{
    const auto it = std::find_if(layout.begin(), layout.end(),
                                 [&](const FieldLayout &f) { return f.name == name; });
    return it == layout.end() ? nullptr : &*it;
}

void copyOpaqueBytes(const std::vector<FieldLayout> &layout, const std::uint8_t *from,
                     std::uint8_t *to)
{
    for (const FieldLayout &field : layout) {
        if (field.name.starts_with("Opaque"))
            std::copy_n(from + field.offset, field.width, to + field.offset);
    }
}

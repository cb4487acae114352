#include "gui/pages/TimePage.h"

#include "gui/pages/PageNumbers.h"

#include "settings/SettingsState.h"

#include <QRadioButton>

namespace {

// 12/24 hour reads left to right in element order; the Off/On pairs show "On" (element 1) first.
bool elementOrder(const QString &array)
{
    return array == QLatin1String("ClockType");
}

} // namespace

TimePage::TimePage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Time, QStringLiteral("Time Settings"), TimeHeightTwips, state, boxes,
                parent)
{
    const struct
    {
        const char *array;
        const char *caption;
        const char *spoken;
        int top;
        const char *text0; // caption of element 0
        const char *text1; // caption of element 1
        int optionWidth;
        QRadioButton **options;
    } rows[] = {
        {"ClockType", "&12/24 Hour", "12/24 Hour", 240, "12 hour", "24 hour", 1455, m_clockType},
        {"TimeSignal", "&Hourly chime", "Hourly chime", 1200, "Off", "On", 1215, m_timeSignal},
        {"Dst", "Da&ylight Savings", "Daylight Savings", 2160, "Off", "On", 1215, m_dst},
    };
    for (const auto &row : rows) {
        const QString array = QString::fromLatin1(row.array);
        const QString spoken = QString::fromLatin1(row.spoken) + QLatin1Char(' ');
        auto *frame = addFrame(this, QStringLiteral("Frame") + array,
                               QString::fromLatin1(row.caption), 1680, row.top, 4695, 800);
        // Create the left option first, so the keyboard order follows the screen.
        const int left = elementOrder(array) ? 0 : 1;
        const char *texts[2] = {row.text0, row.text1};
        for (int element : {left, 1 - left}) {
            const QString text = QString::fromLatin1(texts[element]);
            row.options[element] =
                addOption(frame, array, element, text, spoken + text, element == left ? 600 : 2280,
                          360, row.optionWidth, 255);
        }
        for (QRadioButton *option : {row.options[0], row.options[1]}) {
            connect(option, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    m_state.ChangedFlag = true; // ClockType_Click, TimeSignal_Click, Dst_Click
            });
        }
    }
}

QRadioButton *TimePage::ClockType(int element) const
{
    return element == 0 || element == 1 ? m_clockType[element] : nullptr;
}

QRadioButton *TimePage::TimeSignal(int element) const
{
    return element == 0 || element == 1 ? m_timeSignal[element] : nullptr;
}

QRadioButton *TimePage::Dst(int element) const
{
    return element == 0 || element == 1 ? m_dst[element] : nullptr;
}

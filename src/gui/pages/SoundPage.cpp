#include "gui/pages/SoundPage.h"

#include "gui/pages/PageNumbers.h"

#include "settings/SettingsState.h"

#include <QRadioButton>

SoundPage::SoundPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Sound, QStringLiteral("Sound Setting"), HeightTwips, state, boxes, parent)
{
    const struct
    {
        const char *array;
        const char *caption;
        const char *spoken;
        int top;
        QRadioButton **options;
    } pairs[] = {{"CheckBeep", "&Key Chirp", "Key Chirp", 360, m_beep},
                 {"CheckSound", "A&larm Sound", "Alarm Sound", 1680, m_sound}};
    for (const auto &pair : pairs) {
        const QString array = QString::fromLatin1(pair.array);
        const QString spoken = QString::fromLatin1(pair.spoken);
        auto *frame = addFrame(this, QStringLiteral("Frame") + array,
                               QString::fromLatin1(pair.caption), 1080, pair.top, 6135, 1095);
        // "On" comes first on screen, but it is element 1.
        pair.options[1] = addOption(frame, array, 1, QStringLiteral("On"),
                                    spoken + QStringLiteral(" On"), 600, 480, 1600, 255);
        pair.options[0] = addOption(frame, array, 0, QStringLiteral("Off"),
                                    spoken + QStringLiteral(" Off"), 2280, 480, 1600, 255);
        for (QRadioButton *option : {pair.options[0], pair.options[1]}) {
            connect(option, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    m_state.ChangedFlag = true; // CheckBeep_Click, CheckSound_Click
            });
        }
    }
}

QRadioButton *SoundPage::CheckBeep(int element) const
{
    return element == 0 || element == 1 ? m_beep[element] : nullptr;
}

QRadioButton *SoundPage::CheckSound(int element) const
{
    return element == 0 || element == 1 ? m_sound[element] : nullptr;
}

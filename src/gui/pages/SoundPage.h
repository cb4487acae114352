#pragma once

#include "gui/pages/PageFrame.h"

class QRadioButton;

// "Sound Setting" (frame 1): key chirp and alarm sound, each an Off/On pair.
class SoundPage : public PageFrame
{
    Q_OBJECT

public:
    SoundPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    // Element 0 is "Off", element 1 "On".
    QRadioButton *CheckBeep(int element) const;
    QRadioButton *CheckSound(int element) const;

private:
    QRadioButton *m_beep[2] = {nullptr, nullptr};
    QRadioButton *m_sound[2] = {nullptr, nullptr};
};

#pragma once

#include "gui/pages/PageFrame.h"

class QRadioButton;

// "Time Settings" (frame 6): clock format, hourly chime and daylight saving.
class TimePage : public PageFrame
{
    Q_OBJECT

public:
    static constexpr int TimeHeightTwips = 3105;

    TimePage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    // ClockType: element 0 "12 hour", 1 "24 hour". TimeSignal, Dst: element 0 "Off", 1 "On".
    QRadioButton *ClockType(int element) const;
    QRadioButton *TimeSignal(int element) const;
    QRadioButton *Dst(int element) const;

private:
    QRadioButton *m_clockType[2] = {nullptr, nullptr};
    QRadioButton *m_timeSignal[2] = {nullptr, nullptr};
    QRadioButton *m_dst[2] = {nullptr, nullptr};
};

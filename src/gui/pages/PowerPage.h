#pragma once

#include "gui/pages/PageFrame.h"
#include "gui/pages/PowerGraph.h"

class QComboBox;
class QTimeEdit;

// "Power Management" (frame 0): display standby mode, switch-off delay, daily on and off
// times, and the 24-hour graph of the hours the display is on.
class PowerPage : public PageFrame
{
    Q_OBJECT

public:
    PowerPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    QComboBox *PowerStandby() const { return m_standby; }
    QComboBox *PowerWaitTime() const { return m_waitTime; }
    // Element 0 is the power-on time, element 1 the power-off time.
    QTimeEdit *DTP_Power(int element) const;

    QGroupBox *waitTimeFrame() const { return m_waitFrame; }
    QGroupBox *onTimeFrame() const { return m_onFrame; }
    QGroupBox *offTimeFrame() const { return m_offFrame; }
    QGroupBox *graphFrame() const { return m_graphFrame; }
    QWidget *barArea() const { return m_barArea; }

    // The yellow bars as last drawn, in twips inside the bar area.
    const powergraph::OnBars &onBars() const { return m_bars; }

    // Shows the frames the selected standby mode uses and redraws the graph where it needs it.
    void ShowPowerFrames();
    void DrawPowerGraph();
    // True when the page may be left or saved; otherwise the user has been told why.
    bool CheckPowerPage();
    bool CheckPowerTimes();

private:
    void PowerStandby_Click();
    void PowerWaitTime_Click();
    void DTP_Power_Change();

    void buildGraph();

    QComboBox *m_standby = nullptr;
    QComboBox *m_waitTime = nullptr;
    QTimeEdit *m_power[2] = {nullptr, nullptr};
    QGroupBox *m_waitFrame = nullptr;
    QGroupBox *m_onFrame = nullptr;
    QGroupBox *m_offFrame = nullptr;
    QGroupBox *m_graphFrame = nullptr;
    QWidget *m_barArea = nullptr;
    powergraph::OnBars m_bars;
};

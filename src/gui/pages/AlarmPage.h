#pragma once

#include "core/ValueRules.h"
#include "gui/pages/PageFrame.h"

#include <QStringList>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QIcon;
class QLabel;
class QPushButton;
class QTimeEdit;

// "Alarm" (frame 5): four alarms, each with a repeat mode, a time, seven weekday boxes, a
// sound name and a preview button. Keeps the weekday choice of an alarm while it is Off or
// Daily, and the sound lists filled with the device's sound names.
class AlarmPage : public PageFrame
{
    Q_OBJECT

public:
    static constexpr int AlarmCount = 4;
    static constexpr int DayCount = 7; // element 0 Monday .. 6 Sunday
    static constexpr int SoundNameBytes = valueRule("AlarmEntry[N].SoundName").max;
    enum Repeat
    {
        RepeatOff = 0,
        RepeatDaily = 1,
        RepeatWeekly = 2
    };

    AlarmPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    QGroupBox *Frame20(int alarm) const;
    QComboBox *Week(int alarm) const;
    QTimeEdit *DTP_ALTime(int alarm) const;
    QComboBox *Sound(int alarm) const;
    QPushButton *cbtSNDprev(int alarm) const;
    // The weekday boxes AL1Week .. AL4Week of alarms 0 .. 3, element day.
    QCheckBox *ALWeek(int alarm, int day) const;

    // Where SoundCombo_Disp takes the sound file names from (the settings layer decides).
    void setSoundFiles(std::function<QStringList()> soundFiles)
    {
        m_soundFiles = std::move(soundFiles);
    }
    // Number of wave output devices, asked whenever an alarm is refreshed; none by default.
    void setWaveDeviceCount(std::function<int()> count) { m_waveDeviceCount = std::move(count); }

    // Puts alarm N's seven weekday boxes into list; N outside 0..3 leaves it untouched.
    void SetALWeek(std::array<QCheckBox *, DayCount> &list, int alarm) const;
    // Brings the boxes, sound list and preview button of an alarm in line with its mode.
    void RefreshAlarm(int alarm);
    void RefreshAllAlarms();
    void SoundCombo_Disp();
    // False, after telling the user, when length exceeds maximum.
    bool CheckComboLen(int length, int maximum);
    // The alarm page never refuses a tab change or a save.
    bool CheckAlarmPage() { return true; }

    // The names the lists offer for these file names, in list order: upper-case base names
    // of at most 8 bytes, sorted by character code, duplicates kept.
    static QStringList soundListEntries(const QStringList &fileNames);
    // Upper case by the device's Windows-1252 rules ("ß" and "µ" stay as they are).
    static QString upperAsDevice(const QString &text);
    // Bytes the text takes in the single-byte code page.
    static int ansiByteLength(const QString &text);

signals:
    // The preview button of an alarm was pressed.
    void previewRequested(int alarm);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRow(int alarm, const QIcon &preview);

    void Week_Click(int alarm);
    void ALWeek_Click(int alarm, int day);
    void Sound_Click(int alarm);
    void Sound_LostFocus(int alarm);

    struct Row
    {
        QGroupBox *frame = nullptr;
        QComboBox *week = nullptr;
        QTimeEdit *time = nullptr;
        QComboBox *sound = nullptr;
        QPushButton *preview = nullptr;
        std::array<QCheckBox *, DayCount> days{};
    };
    std::array<Row, AlarmCount> m_rows;

    // True while SoundCombo_Disp refills the lists, which is no edit of the user's.
    bool SoundComboFilling = false;
    // True while Week_Click puts a repeat list back to "Off".
    bool WeekReverting = false;
    std::function<QStringList()> m_soundFiles = [] { return QStringList(); };
    std::function<int()> m_waveDeviceCount = [] { return 0; };
};

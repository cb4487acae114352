#include "gui/PageBinding.h"

#include "core/AnsiText.h"
#include "core/FactoryValues.h"
#include "gui/pages/AlarmPage.h"
#include "gui/pages/DisplayPage.h"
#include "gui/pages/FilerPage.h"
#include "gui/pages/PowerPage.h"
#include "gui/pages/SoundPage.h"
#include "gui/pages/TimePage.h"
#include "gui/pages/UserNamePage.h"
#include "settings/SettingsState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>

#include <stdexcept>

const QString PageBinding::DefaultUserName = QString::fromUtf8(kFactoryUserName);

namespace {

// -1 clears the selection, as a record written with nothing selected asks.
void selectPosition(QComboBox *list, int position)
{
    if (position >= -1 && position < list->count())
        list->setCurrentIndex(position);
}

// The pickers' ranges are the value rules of their fields.
void setHour(QTimeEdit *picker, int hour)
{
    if (hour >= picker->minimumTime().hour() && hour <= picker->maximumTime().hour())
        picker->setTime(QTime(hour, picker->time().minute()));
}

void setMinute(QTimeEdit *picker, int minute)
{
    if (minute >= picker->minimumTime().minute() && minute <= picker->maximumTime().minute())
        picker->setTime(QTime(picker->time().hour(), minute));
}

void setTimeFields(QTimeEdit *picker, int hour, int minute)
{
    setHour(picker, hour);
    setMinute(picker, minute);
}

// Off/on pairs: 0 selects element 0, any other value element 1.
template <typename Page>
void selectOption(const Page *page, QRadioButton *(Page::*element)(int) const, int value)
{
    (page->*element)(value == 0 ? 0 : 1)->setChecked(true);
}

template <typename Page>
std::int16_t optionValue(const Page *page, QRadioButton *(Page::*element)(int) const)
{
    return (page->*element)(0)->isChecked() ? 0 : 1;
}

std::int16_t position(const QComboBox *list)
{
    return static_cast<std::int16_t>(list->currentIndex());
}

std::int16_t hourOf(const QTimeEdit *picker)
{
    return static_cast<std::int16_t>(picker->time().hour());
}

std::int16_t minuteOf(const QTimeEdit *picker)
{
    return static_cast<std::int16_t>(picker->time().minute());
}

// Sound names come from file names; a character the code page lacks is stored as '?'.
std::string soundNameBytes(const QString &text)
{
    std::string bytes;
    for (char32_t cp : text.toUcs4()) {
        const auto byte = ansi::fromCodePoint(cp);
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes.substr(0, WeeklyRecord::SoundNameWidth);
}

} // namespace

PageBinding::PageBinding(SettingsState &state, const Pages &pages) : m_state(state), m_pages(pages)
{
}

int PageBinding::sortKeyToPosition(int code)
{
    switch (code) {
    case 4:
        return 1; // Type
    case 2:
        return 3; // Date
    default:
        return code - 1; // Name 1, Size 3
    }
}

int PageBinding::positionToSortKey(int position)
{
    switch (position) {
    case 1:
        return 4;
    case 3:
        return 2;
    default:
        return position + 1;
    }
}

void PageBinding::checkAlarm(int alarm) const
{
    if (alarm < 0 || alarm >= AlarmPage::AlarmCount)
        throw std::out_of_range("alarm number out of range");
}

void PageBinding::GetWeekCheckSave(std::int16_t &mask, int alarm) const
{
    checkAlarm(alarm);
    const auto &days = m_state.WeekCheckSave[static_cast<std::size_t>(alarm)];
    int bits = 0;
    for (int day = 0; day < AlarmPage::DayCount; ++day) {
        if (days[static_cast<std::size_t>(day)] == 1)
            bits |= 1 << day;
    }
    mask = static_cast<std::int16_t>(bits);
}

void PageBinding::SetWeekCheckSave(std::int16_t mask, int alarm)
{
    checkAlarm(alarm);
    auto &days = m_state.WeekCheckSave[static_cast<std::size_t>(alarm)];
    for (int day = 0; day < AlarmPage::DayCount; ++day)
        days[static_cast<std::size_t>(day)] = (mask >> day) & 1;
}

void PageBinding::GetWeekCheck(std::int16_t &repeat, int alarm)
{
    checkAlarm(alarm);
    WeeklyRecord &weekly = m_state.weeklyRecord;
    const std::int16_t listPosition = position(m_pages.alarm->Week(alarm));
    if (listPosition == AlarmPage::RepeatOff)
        repeat = 0;
    else if (listPosition == AlarmPage::RepeatDaily)
        repeat = WeeklyRecord::RepeatDaily;
    else
        repeat = weekly.weekdayMask(alarm);
    weekly.setRepeatIndex(alarm, listPosition);
}

void PageBinding::SetWeekCheck(std::int16_t, int alarm)
{
    checkAlarm(alarm);
    QComboBox *week = m_pages.alarm->Week(alarm);
    // With no sound to play, an alarm can only be off.
    if (m_pages.alarm->Sound(alarm)->count() == 0)
        week->setCurrentIndex(AlarmPage::RepeatOff);
    else
        selectPosition(week, m_state.weeklyRecord.repeatIndex(alarm));
}

void PageBinding::systemToPages(const SystemRecord &sys)
{
    PowerPage *power = m_pages.power;
    selectPosition(power->PowerStandby(), sys.get(SystemField::StandbyMode));
    selectPosition(power->PowerWaitTime(), sys.get(SystemField::AutoOffDelay));
    setTimeFields(power->DTP_Power(0), sys.get(SystemField::PowerOnHour),
                  sys.get(SystemField::PowerOnMinute));
    setTimeFields(power->DTP_Power(1), sys.get(SystemField::PowerOffHour),
                  sys.get(SystemField::PowerOffMinute));

    QLineEdit *userName = m_pages.userName->UserName();
    userName->setText(QString::fromStdString(ansi::toUtf8(sys.userName())));
    if (userName->text().isEmpty())
        userName->setText(DefaultUserName);
    UserNameSnapshot = userName->text();

    selectOption(m_pages.sound, &SoundPage::CheckBeep, sys.get(SystemField::KeyChirp));
    selectOption(m_pages.sound, &SoundPage::CheckSound, sys.get(SystemField::AlarmSoundOn));

    FilerPage *filer = m_pages.filer;
    selectPosition(filer->FilerType(), sys.get(SystemField::FilerViewMode));
    selectPosition(filer->FilerKind(), sortKeyToPosition(sys.get(SystemField::FilerSortKey)));
    selectPosition(filer->FilerSort(), sys.get(SystemField::FilerSortOrder));

    QSlider *contrast = m_pages.display->Contlast();
    const int contrastValue = sys.get(SystemField::Contrast);
    if (contrastValue >= contrast->minimum() && contrastValue <= contrast->maximum())
        contrast->setValue(contrastValue);
    selectPosition(m_pages.display->BackLight(), sys.get(SystemField::BacklightTime));

    selectOption(m_pages.time, &TimePage::ClockType, sys.get(SystemField::ClockFormat));
    selectOption(m_pages.time, &TimePage::Dst, sys.get(SystemField::DaylightSaving));
}

void PageBinding::RecordsToPages()
{
    const WeeklyRecord &weekly = m_state.weeklyRecord;
    systemToPages(m_state.systemRecord);
    selectOption(m_pages.time, &TimePage::TimeSignal, weekly.hourlyChime());

    AlarmPage *alarms = m_pages.alarm;
    for (int alarm = 0; alarm < AlarmPage::AlarmCount; ++alarm) {
        SetWeekCheck(weekly.repeat(alarm), alarm);
        SetWeekCheckSave(weekly.weekdayMask(alarm), alarm);
        setTimeFields(alarms->DTP_ALTime(alarm), weekly.hour(alarm), weekly.minute(alarm));
        m_state.AlarmSoundName[static_cast<std::size_t>(alarm)] =
            QString::fromStdString(ansi::toUtf8(weekly.soundName(alarm)));
    }
}

bool PageBinding::PagesToRecords()
{
    SystemRecord &sys = m_state.systemRecord;
    WeeklyRecord &weekly = m_state.weeklyRecord;
    PowerPage *power = m_pages.power;

    sys.set(SystemField::Contrast, static_cast<std::int16_t>(m_pages.display->Contlast()->value()));

    sys.set(SystemField::StandbyMode, position(power->PowerStandby()));
    sys.set(SystemField::AutoOffDelay, position(power->PowerWaitTime()));
    sys.set(SystemField::PowerOnHour, hourOf(power->DTP_Power(0)));
    sys.set(SystemField::PowerOnMinute, minuteOf(power->DTP_Power(0)));
    sys.set(SystemField::PowerOffHour, hourOf(power->DTP_Power(1)));
    sys.set(SystemField::PowerOffMinute, minuteOf(power->DTP_Power(1)));

    sys.setUserName({});
    QString name = m_pages.userName->UserName()->text();
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    const auto nameBytes = ansi::fromUtf8(name.toStdString());
    if (!nameBytes || !sys.setUserName(*nameBytes))
        return false;

    sys.set(SystemField::BacklightTime, position(m_pages.display->BackLight()));
    sys.set(SystemField::KeyChirp, optionValue(m_pages.sound, &SoundPage::CheckBeep));
    sys.set(SystemField::AlarmSoundOn, optionValue(m_pages.sound, &SoundPage::CheckSound));
    FilerPage *filer = m_pages.filer;
    sys.set(SystemField::FilerViewMode, position(filer->FilerType()));
    sys.set(SystemField::FilerSortKey,
            static_cast<std::int16_t>(positionToSortKey(filer->FilerKind()->currentIndex())));
    sys.set(SystemField::FilerSortOrder, position(filer->FilerSort()));
    sys.set(SystemField::ClockFormat, optionValue(m_pages.time, &TimePage::ClockType));
    sys.set(SystemField::DaylightSaving, optionValue(m_pages.time, &TimePage::Dst));

    AlarmPage *alarms = m_pages.alarm;
    for (int alarm = 0; alarm < AlarmPage::AlarmCount; ++alarm) {
        std::int16_t mask = 0;
        GetWeekCheckSave(mask, alarm);
        weekly.setWeekdayMask(alarm, mask);
        std::int16_t repeat = 0;
        GetWeekCheck(repeat, alarm);
        weekly.setRepeat(alarm, repeat);
        weekly.setHour(alarm, hourOf(alarms->DTP_ALTime(alarm)));
        weekly.setMinute(alarm, minuteOf(alarms->DTP_ALTime(alarm)));
        weekly.setSoundName(alarm, soundNameBytes(alarms->Sound(alarm)->currentText()));
    }

    weekly.setHourlyChime(optionValue(m_pages.time, &TimePage::TimeSignal));
    return true;
}

void PageBinding::ApplyFactoryDefaults()
{
    // The page handlers that run on the way are no edits: a load that fails afterwards must
    // leave the window as clean (or as changed) as it was.
    const bool changed = m_state.ChangedFlag;
    m_state.LoadingPages = true;

    systemToPages(factorySystemRecord());
    selectOption(m_pages.time, &TimePage::TimeSignal, factoryWeeklyRecord().hourlyChime());
    for (int alarm = 0; alarm < AlarmPage::AlarmCount; ++alarm)
        m_pages.alarm->Week(alarm)->setCurrentIndex(AlarmPage::RepeatOff);

    // Device settings no page shows.
    for (const FactoryValue &v : kFactorySystemValues) {
        if (!v.shownOnPage)
            m_state.systemRecord.set(v.field, v.value);
    }
    m_state.weeklyRecord.setHidden56(factoryWeeklyRecord().hidden56());

    m_state.LoadingPages = false;
    m_state.ChangedFlag = changed;
}

bool PageBinding::CheckPowerPage()
{
    return m_pages.power->CheckPowerPage();
}

bool PageBinding::CheckAlarmPage()
{
    return m_pages.alarm->CheckAlarmPage();
}

void PageBinding::refreshPageDisplays()
{
    m_pages.power->ShowPowerFrames();
    m_pages.filer->ShowFilerPicture();
    m_pages.alarm->SoundCombo_Disp();
    m_pages.alarm->RefreshAllAlarms();
}

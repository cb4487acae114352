#include "gui/pages/AlarmPage.h"

#include "gui/pages/ListClick.h"
#include "gui/pages/PageNumbers.h"

#include "core/AnsiText.h"
#include "devicelink/SoundList.h"
#include "gui/DrawnIcon.h"
#include "gui/pages/ControlArray.h"
#include "platform/DeviceNames.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>

namespace {

constexpr const char *WeekEntries[] = {"Off", "Daily", "Weekly"};
static_assert(std::ssize(WeekEntries) == valueRule("RepeatIndex[N]").entries());

// Rows of the four alarm frames, in twips from the page's top.
constexpr int RowTops[AlarmPage::AlarmCount] = {240, 960, 1660, 2400};

// Left edges of the weekday boxes by element (Monday .. Sunday); the row reads Sunday first.
constexpr int DayLefts[AlarmPage::DayCount] = {3350, 3800, 4250, 4700, 5150, 5600, 2900};
const char *const DayLabelNames[AlarmPage::DayCount] = {
    "LabelMon", "LabelTue", "LabelWed", "LabelThu", "LabelFri", "LabelSat", "LabelSun"};
const char *const DayNames[AlarmPage::DayCount] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                   "Friday", "Saturday", "Sunday"};
constexpr int Saturday = 5;
constexpr int Sunday = 6;

// A small loudspeaker with sound waves, in one colour.
QPixmap loudspeaker(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF speaker[] = {{1, 6}, {4, 6}, {8, 2}, {8, 14}, {4, 10}, {1, 10}};
    painter.drawPolygon(speaker, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1.2));
    painter.drawArc(QRectF(6, 5, 5, 6), -60 * 16, 120 * 16);
    painter.drawArc(QRectF(5, 2.5, 9, 11), -60 * 16, 120 * 16);
    return pixmap;
}

// The preview buttons' picture, drawn when the Alarm page is first shown. Qt's own greying of
// a black picture stays dark; a light grey one shows plainly that there is nothing to play
// (alarm off, or no sound output).
QIcon previewIcon()
{
    return drawnIcon(QSize(16, 16), 1, [](QIcon &icon, qreal) {
        icon.addPixmap(loudspeaker(Qt::black));
        icon.addPixmap(loudspeaker(QColor(160, 160, 160)), QIcon::Disabled);
    });
}

// The face of a sound list: white while it can be used, the window's grey while its alarm is
// off. A list without an editor draws its face with the button colour, so both roles change.
void paintListFace(QComboBox *list, QPalette::ColorRole systemColour)
{
    const QColor face = QApplication::palette().color(QPalette::Active, systemColour);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, face);
    palette.setColor(QPalette::Button, face);
    list->setPalette(palette);
}

} // namespace

AlarmPage::AlarmPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Alarm, QStringLiteral("Alarm"), HeightTwips, state, boxes, parent)
{
    const QIcon preview = previewIcon();
    for (int alarm = 0; alarm < AlarmCount; ++alarm)
        buildRow(alarm, preview);
    // Every list starts at "Off"; its row must look it before any load or default reaches it.
    RefreshAllAlarms();
}

void AlarmPage::buildRow(int alarm, const QIcon &preview)
{
    Row &row = m_rows[static_cast<std::size_t>(alarm)];
    const QString number = QString::number(alarm + 1);
    const QString spoken = QStringLiteral("Alarm ") + number + QLatin1Char(' ');

    row.frame = addFrame(this, controls::elementName(QStringLiteral("Frame20"), alarm),
                         QStringLiteral("Alarm &") + number, 60, RowTops[alarm], 8040, 700);

    row.week = new QComboBox(row.frame);
    row.week->setObjectName(controls::elementName(QStringLiteral("Week"), alarm));
    row.week->setAccessibleName(spoken + QStringLiteral("Repeat"));
    addEntries(row.week, WeekEntries);
    placeTwips(row.week, 120, 320, 1335, 315);

    row.time = new QTimeEdit(row.frame);
    row.time->setObjectName(controls::elementName(QStringLiteral("DTP_ALTime"), alarm));
    row.time->setAccessibleName(spoken + QStringLiteral("Time"));
    row.time->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    row.time->setDisplayFormat(QStringLiteral("h:mm AP"));
    row.time->setButtonSymbols(QAbstractSpinBox::NoButtons);
    row.time->setTimeRange(
        QTime(valueRule("AlarmEntry[N].Hour").min, valueRule("AlarmEntry[N].Minute").min),
        QTime(valueRule("AlarmEntry[N].Hour").max, valueRule("AlarmEntry[N].Minute").max));
    placeTwips(row.time, 1560, 300, 1095, 315);

    // Create the boxes in screen order (Sunday first) so the keyboard follows the row.
    for (int day : {Sunday, 0, 1, 2, 3, 4, Saturday}) {
        // "LabelMon" shows "Mon".
        auto *label = new QLabel(QString::fromLatin1(DayLabelNames[day]).mid(5), row.frame);
        label->setObjectName(controls::elementName(QString::fromLatin1(DayLabelNames[day]), alarm));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        if (day == Saturday || day == Sunday) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText,
                             day == Saturday ? QColor(0, 0, 255) : QColor(255, 0, 0));
            label->setPalette(palette);
        }
        // Centred over its box.
        placeTwips(label, DayLefts[day] - 90, 165, 435, 195);

        auto *box = new QCheckBox(row.frame);
        box->setObjectName(
            controls::elementName(QStringLiteral("AL") + number + QStringLiteral("Week"), day));
        box->setAccessibleName(spoken + QString::fromLatin1(DayNames[day]));
        placeTwips(box, DayLefts[day], 360, 255, 255);
        row.days[static_cast<std::size_t>(day)] = box;
        connect(box, &QCheckBox::toggled, this, [this, alarm, day] { ALWeek_Click(alarm, day); });
    }

    auto *soundLabel = new QLabel(QStringLiteral("Sound"), row.frame);
    soundLabel->setObjectName(controls::elementName(QStringLiteral("Label7"), alarm));
    placeTwips(soundLabel, 6120, 120, 1000, 195);

    row.sound = new QComboBox(row.frame);
    row.sound->setObjectName(controls::elementName(QStringLiteral("Sound"), alarm));
    row.sound->setAccessibleName(spoken + QStringLiteral("Sound"));
    placeTwips(row.sound, 6120, 320, 1455, 315);
    row.sound->installEventFilter(this);

    row.preview = new QPushButton(row.frame);
    row.preview->setObjectName(controls::elementName(QStringLiteral("cbtSNDprev"), alarm));
    row.preview->setAccessibleName(spoken + QStringLiteral("Sound Preview"));
    row.preview->setToolTip(QStringLiteral("Play the alarm sound"));
    row.preview->setIcon(preview);
    row.preview->setIconSize(QSize(16, 16));
    placeTwips(row.preview, 7560, 320, 375, 315);

    connectListClick(row.week, this, [this, alarm] { Week_Click(alarm); });
    connect(row.time, &QTimeEdit::timeChanged, this, [this] { m_state.ChangedFlag = true; });
    connectListClick(row.sound, this, [this, alarm] { Sound_Click(alarm); });
    connect(row.preview, &QPushButton::clicked, this,
            [this, alarm] { emit previewRequested(alarm); });
}

QGroupBox *AlarmPage::Frame20(int alarm) const
{
    return alarm >= 0 && alarm < AlarmCount ? m_rows[static_cast<std::size_t>(alarm)].frame
                                            : nullptr;
}

QComboBox *AlarmPage::Week(int alarm) const
{
    return alarm >= 0 && alarm < AlarmCount ? m_rows[static_cast<std::size_t>(alarm)].week
                                            : nullptr;
}

QTimeEdit *AlarmPage::DTP_ALTime(int alarm) const
{
    return alarm >= 0 && alarm < AlarmCount ? m_rows[static_cast<std::size_t>(alarm)].time
                                            : nullptr;
}

QComboBox *AlarmPage::Sound(int alarm) const
{
    return alarm >= 0 && alarm < AlarmCount ? m_rows[static_cast<std::size_t>(alarm)].sound
                                            : nullptr;
}

QPushButton *AlarmPage::cbtSNDprev(int alarm) const
{
    return alarm >= 0 && alarm < AlarmCount ? m_rows[static_cast<std::size_t>(alarm)].preview
                                            : nullptr;
}

QCheckBox *AlarmPage::ALWeek(int alarm, int day) const
{
    if (alarm < 0 || alarm >= AlarmCount || day < 0 || day >= DayCount)
        return nullptr;
    return m_rows[static_cast<std::size_t>(alarm)].days[static_cast<std::size_t>(day)];
}

void AlarmPage::SetALWeek(std::array<QCheckBox *, DayCount> &list, int alarm) const
{
    if (alarm >= 0 && alarm < AlarmCount)
        list = m_rows[static_cast<std::size_t>(alarm)].days;
}

void AlarmPage::RefreshAlarm(int alarm)
{
    std::array<QCheckBox *, DayCount> days{};
    SetALWeek(days, alarm);
    const Row &row = m_rows.at(static_cast<std::size_t>(alarm));
    switch (row.week->currentIndex()) {
    case RepeatOff:
        for (QCheckBox *box : days) {
            box->setChecked(false);
            box->setEnabled(false);
        }
        row.sound->setEnabled(false);
        paintListFace(row.sound, QPalette::Window);
        row.preview->setEnabled(false);
        return;
    case RepeatDaily:
        for (QCheckBox *box : days) {
            box->setChecked(true);
            box->setEnabled(false);
        }
        break;
    case RepeatWeekly:
        for (int day = 0; day < DayCount; ++day) {
            QCheckBox *box = days[static_cast<std::size_t>(day)];
            box->setEnabled(true);
            box->setChecked(m_state.WeekCheckSave.at(static_cast<std::size_t>(alarm))
                                .at(static_cast<std::size_t>(day)) == 1);
        }
        break;
    default:
        return;
    }
    row.sound->setEnabled(true);
    paintListFace(row.sound, QPalette::Base);
    row.preview->setEnabled(m_waveDeviceCount() >= 1);
    if (row.sound->currentIndex() < 0 && row.sound->count() > 0)
        row.sound->setCurrentIndex(0);
}

void AlarmPage::RefreshAllAlarms()
{
    for (int alarm = 0; alarm < AlarmCount; ++alarm)
        RefreshAlarm(alarm);
}

QString AlarmPage::upperAsDevice(const QString &text)
{
    QString upper;
    for (const char32_t cp : text.toUcs4()) {
        // A character Windows-1252 lacks cannot be on the device; it is left as it is.
        const auto byte = ansi::fromCodePoint(cp);
        upper +=
            byte ? QString::fromStdString(ansi::toUtf8(ansi::toUpper(std::string(1, char(*byte)))))
                 : QString::fromUcs4(&cp, 1);
    }
    return upper;
}

QStringList AlarmPage::soundListEntries(const QStringList &fileNames)
{
    QStringList entries;
    for (const QString &fileName : fileNames) {
        // A name without an extension is taken whole.
        const QString base = upperAsDevice(fileName.section(QLatin1Char('.'), 0, 0));
        // Names no device file can have never become entries, nor a base that is empty.
        if (!isDeviceFileName(fileName) || base.isEmpty() || ansiByteLength(base) > SoundNameBytes)
            continue;
        // After every entry that is not greater, so equal names keep their listing order.
        qsizetype at = 0;
        while (at < entries.size() && !(entries[at] > base))
            ++at;
        entries.insert(at, base);
    }
    return entries;
}

int AlarmPage::ansiByteLength(const QString &text)
{
    // Windows-1252 has one byte per character; a character it lacks is stored as '?'.
    return static_cast<int>(text.toUcs4().size());
}

void AlarmPage::SoundCombo_Disp()
{
    SoundComboFilling = true;
    const QStringList entries = soundListEntries(m_soundFiles());
    // Refilling is no choice of the user's: the lists' handlers stay out of it, and
    // each alarm keeps its stored name whether the new list offers it or not.
    for (int alarm = 0; alarm < AlarmCount; ++alarm) {
        QComboBox *sound = m_rows[static_cast<std::size_t>(alarm)].sound;
        const QSignalBlocker blocker(sound);
        sound->clear();
        sound->addItems(entries);
        // Of equal entries the last, the one the listing produced last.
        sound->setCurrentIndex(static_cast<int>(
            entries.lastIndexOf(m_state.AlarmSoundName[static_cast<std::size_t>(alarm)])));
    }
    SoundComboFilling = false;
}

bool AlarmPage::CheckComboLen(int length, int maximum)
{
    if (length > maximum) {
        m_boxes.warn(QStringLiteral("Input string is too long. \r\n Maximum string length is") +
                     QString::number(maximum) + QStringLiteral("charcters."));
        return false;
    }
    return true;
}

void AlarmPage::Week_Click(int alarm)
{
    if (WeekReverting) {
        WeekReverting = false;
        return;
    }
    const Row &row = m_rows.at(static_cast<std::size_t>(alarm));
    if (row.sound->count() == 0) {
        if (!m_state.LoadingPages)
            m_boxes.warn(QStringLiteral("Not find the Sound File."));
        WeekReverting = true;
        row.week->setCurrentIndex(RepeatOff);
        WeekReverting = false;
    }
    RefreshAlarm(alarm);
    m_state.ChangedFlag = true;
}

void AlarmPage::ALWeek_Click(int alarm, int day)
{
    m_state.ChangedFlag = true;
    const Row &row = m_rows.at(static_cast<std::size_t>(alarm));
    // Only a Weekly alarm shows the user's own choice; Off and Daily fill the boxes themselves.
    if (row.week->currentIndex() == RepeatWeekly)
        m_state.WeekCheckSave.at(static_cast<std::size_t>(alarm))
            .at(static_cast<std::size_t>(day)) =
            row.days[static_cast<std::size_t>(day)]->isChecked() ? 1 : 0;
}

void AlarmPage::Sound_Click(int alarm)
{
    if (!SoundComboFilling)
        m_state.ChangedFlag = true;
    const Row &row = m_rows.at(static_cast<std::size_t>(alarm));
    m_state.AlarmSoundName[static_cast<std::size_t>(alarm)] = row.sound->currentText();
}

void AlarmPage::Sound_LostFocus(int alarm)
{
    QComboBox *sound = m_rows.at(static_cast<std::size_t>(alarm)).sound;
    if (!CheckComboLen(ansiByteLength(sound->currentText()), SoundNameBytes))
        QMetaObject::invokeMethod(
            sound, [sound] { sound->setFocus(); }, Qt::QueuedConnection);
}

bool AlarmPage::eventFilter(QObject *watched, QEvent *event)
{
    // Only a move to another control of this window counts: not the list's own popup, a menu,
    // or the user switching to another program.
    const auto leftForAnotherControl = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        return reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason &&
               reason != Qt::ActiveWindowFocusReason;
    };
    if (event->type() == QEvent::FocusOut && leftForAnotherControl()) {
        for (int alarm = 0; alarm < AlarmCount; ++alarm) {
            if (watched == m_rows[static_cast<std::size_t>(alarm)].sound)
                Sound_LostFocus(alarm);
        }
    }
    return PageFrame::eventFilter(watched, event);
}

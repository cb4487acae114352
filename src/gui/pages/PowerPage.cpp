#include "gui/pages/PowerPage.h"

#include "gui/pages/ListClick.h"
#include "gui/pages/PageNumbers.h"

#include "core/ValueRules.h"
#include "gui/Twips.h"
#include "gui/pages/ControlArray.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsState.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QTimeEdit>

namespace {

constexpr const char *StandbyEntries[] = {"Always On", "Auto Off", "Custom"};
constexpr const char *WaitTimeEntries[] = {"10 Sec", "20 Sec", "30 Sec", " 1 Min", " 2 Min",
                                           " 3 Min", " 4 Min", " 5 Min", " 6 Min", " 7 Min",
                                           " 8 Min", " 9 Min", "10 Min"};
static_assert(std::ssize(StandbyEntries) == valueRule("StandbyMode").entries());
static_assert(std::ssize(WaitTimeEntries) == valueRule("AutoOffDelay").entries());

const QColor OffColour(128, 128, 128);
const QColor OnColour(255, 255, 192);

// Frame15: the grey day with the yellow "display on" bars over it.
class BarArea : public QWidget
{
public:
    BarArea(const powergraph::OnBars &bars, QWidget *parent) : QWidget(parent), m_bars(bars) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), OffColour);
        paintBar(painter, m_bars.bar0);
        paintBar(painter, m_bars.bar1);
    }

private:
    void paintBar(QPainter &painter, const powergraph::Bar &bar)
    {
        if (!bar.visible)
            return;
        // Round both edges, so adjacent hours meet without gaps.
        const int x0 = twips::toPixels(bar.left, logicalDpiX());
        const int x1 = twips::toPixels(bar.left + bar.width, logicalDpiX());
        if (x1 > x0)
            painter.fillRect(QRect(x0, 0, x1 - x0, height()), OnColour);
    }

    const powergraph::OnBars &m_bars;
};

// FrmGRPH: an uncaptioned frame that also draws the AM and PM brackets above the hours.
class GraphFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QGroupBox::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        drawBracket(painter, 240, 2640);
        drawBracket(painter, 2760, 5160);
    }

private:
    void drawBracket(QPainter &painter, int fromTwips, int toTwips)
    {
        const int x0 = twips::toPixels(fromTwips, logicalDpiX());
        const int x1 = twips::toPixels(toTwips, logicalDpiX());
        const int y0 = twips::toPixels(240, logicalDpiY());
        const int y1 = twips::toPixels(360, logicalDpiY());
        painter.drawLine(x0, y0, x1, y0);
        painter.drawLine(x0, y0, x0, y1);
        painter.drawLine(x1, y0, x1, y1);
    }
};

} // namespace

PowerPage::PowerPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Power, QStringLiteral("Power Management"), HeightTwips, state, boxes,
                parent)
{
    auto *lcdFrame =
        addFrame(this, QStringLiteral("FrameLCD"), QStringLiteral("&LCD"), 1200, 240, 2535, 630);
    m_standby = new QComboBox(lcdFrame);
    m_standby->setObjectName(QStringLiteral("PowerStandby"));
    m_standby->setAccessibleName(QStringLiteral("LCD"));
    addEntries(m_standby, StandbyEntries);
    placeTwips(m_standby, 550, 240, 1455, 315);

    m_waitFrame = addFrame(this, QStringLiteral("FrameBatterySaving"),
                           QStringLiteral("&Battery Power Saving"), 4080, 240, 2535, 630);
    m_waitTime = new QComboBox(m_waitFrame);
    m_waitTime->setObjectName(QStringLiteral("PowerWaitTime"));
    m_waitTime->setAccessibleName(QStringLiteral("Battery Power Saving"));
    addEntries(m_waitTime, WaitTimeEntries);
    placeTwips(m_waitTime, 840, 240, 900, 315);

    m_onFrame = addFrame(this, QStringLiteral("FramePowerOn"), QStringLiteral("Power &On Time"),
                         1200, 1080, 2535, 630);
    m_offFrame = addFrame(this, QStringLiteral("FramePowerOff"), QStringLiteral("Power Off Ti&me"),
                          4080, 1080, 2535, 630);
    const QString pickerNames[2] = {QStringLiteral("Power On Time"),
                                    QStringLiteral("Power Off Time")};
    for (int i = 0; i < 2; ++i) {
        auto *picker = new QTimeEdit(i == 0 ? m_onFrame : m_offFrame);
        picker->setObjectName(controls::elementName(QStringLiteral("DTP_Power"), i));
        picker->setAccessibleName(pickerNames[i]);
        // The device shows English AM/PM whatever the desktop's language is.
        picker->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        picker->setDisplayFormat(QStringLiteral("h:mm AP"));
        picker->setTimeRange(QTime(valueRule("PowerOnHour").min, valueRule("PowerOnMinute").min),
                             QTime(valueRule("PowerOnHour").max, valueRule("PowerOnMinute").max));
        placeTwips(picker, i == 0 ? 600 : 480, 240, 1455, 315);
        m_power[i] = picker;
    }

    buildGraph();

    connectListClick(m_standby, this, [this] { PowerStandby_Click(); });
    connectListClick(m_waitTime, this, [this] { PowerWaitTime_Click(); });
    for (QTimeEdit *picker : m_power)
        connect(picker, &QTimeEdit::timeChanged, this, &PowerPage::DTP_Power_Change);
}

void PowerPage::buildGraph()
{
    m_graphFrame = new GraphFrame(this);
    m_graphFrame->setObjectName(QStringLiteral("FrmGRPH"));
    m_graphFrame->setAccessibleName(QStringLiteral("Power graph"));
    placeTwips(m_graphFrame, 1200, 1920, 5415, 1140);

    const struct
    {
        const char *text;
        int left;
    } hours[] = {{"12", 150},  {"2", 600},   {"4", 1020}, {"6", 1440}, {"8", 1840},
                 {"10", 2200}, {"12", 2600}, {"2", 3080}, {"4", 3480}, {"6", 3880},
                 {"8", 4300},  {"10", 4680}, {"12", 5060}};
    int element = 0;
    for (const auto &hour : hours) {
        auto *label = new QLabel(QString::fromLatin1(hour.text), m_graphFrame);
        label->setObjectName(controls::elementName(QStringLiteral("Label10"), element++));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeTwips(label, hour.left, 390, 255, 255);
    }

    // The bar area goes above the hour labels' lower edge, which only holds empty space.
    m_barArea = new BarArea(m_bars, m_graphFrame);
    m_barArea->setObjectName(QStringLiteral("Frame15"));
    m_barArea->setAccessibleName(QStringLiteral("Hours the display is on"));
    placeTwips(m_barArea, 240, 600, static_cast<int>(powergraph::BarAreaWidth),
               static_cast<int>(powergraph::BarAreaHeight));

    // Opaque labels that cover the middle of their bracket line.
    for (const auto &[text, left, name] :
         {std::tuple{" AM ", 1320, "LabelAM"}, std::tuple{" PM ", 3840, "LabelPM"}}) {
        auto *label = new QLabel(QString::fromLatin1(text), m_graphFrame);
        label->setObjectName(QString::fromLatin1(name));
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignCenter);
        placeTwips(label, left, 150, 375, 255);
    }
}

QTimeEdit *PowerPage::DTP_Power(int element) const
{
    return element == 0 || element == 1 ? m_power[element] : nullptr;
}

void PowerPage::ShowPowerFrames()
{
    const int mode = m_standby->currentIndex();
    if (mode < powergraph::AlwaysOn || mode > powergraph::Custom)
        return;
    m_waitFrame->setVisible(mode != powergraph::AlwaysOn);
    const bool custom = mode == powergraph::Custom;
    m_onFrame->setVisible(custom);
    m_offFrame->setVisible(custom);
    m_graphFrame->setVisible(custom);
    // Auto Off keeps the bars as they were; nothing of them is shown in that mode.
    if (mode != powergraph::AutoOff)
        DrawPowerGraph();
}

void PowerPage::DrawPowerGraph()
{
    const QTime on = m_power[0]->time();
    const QTime off = m_power[1]->time();
    m_bars = powergraph::computeOnBars(m_standby->currentIndex(), on.hour(), on.minute(),
                                       off.hour(), off.minute(), powergraph::BarAreaWidth);
    m_barArea->update();
}

bool PowerPage::CheckPowerPage()
{
    return CheckPowerTimes();
}

bool PowerPage::CheckPowerTimes()
{
    const QTime on = m_power[0]->time();
    const QTime off = m_power[1]->time();
    if (m_standby->currentIndex() == powergraph::Custom && on.hour() == off.hour() &&
        on.minute() == off.minute()) {
        m_boxes.warn(QStringLiteral("Specify ON/OFF or different time."));
        return false;
    }
    return true;
}

void PowerPage::PowerStandby_Click()
{
    ShowPowerFrames();
    m_state.ChangedFlag = true;
}

void PowerPage::PowerWaitTime_Click()
{
    m_state.ChangedFlag = true;
}

void PowerPage::DTP_Power_Change()
{
    DrawPowerGraph();
    m_state.ChangedFlag = true;
}

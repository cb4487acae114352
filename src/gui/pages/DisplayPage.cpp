#include "gui/pages/DisplayPage.h"

#include "gui/pages/ListClick.h"
#include "gui/pages/PageNumbers.h"

#include "core/ValueRules.h"
#include "settings/SettingsState.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>

namespace {

constexpr const char *BackLightEntries[] = {"Manual", " 1 Sec", " 2 Sec", " 3 Sec",
                                            " 4 Sec", " 5 Sec", " 6 Sec", " 7 Sec",
                                            " 8 Sec", " 9 Sec", "10 Sec"};
static_assert(std::ssize(BackLightEntries) == valueRule("BacklightTime").entries());

// A flat coloured rectangle standing for the device's screen.
QFrame *addScreen(QWidget *parent, const QString &objectName, const QColor &colour)
{
    auto *screen = new QFrame(parent);
    screen->setObjectName(objectName);
    screen->setFrameStyle(QFrame::Box | QFrame::Plain);
    screen->setAutoFillBackground(true);
    QPalette palette = screen->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    screen->setPalette(palette);
    return screen;
}

} // namespace

DisplayPage::DisplayPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Display, QStringLiteral("Setting Display"), HeightTwips, state, boxes,
                parent)
{
    auto *contrastFrame = addFrame(this, QStringLiteral("FrameContrast"),
                                   QStringLiteral("Tavion Panel &Contrast"), 720, 330, 2775, 2640);
    auto *greyScreen =
        addScreen(contrastFrame, QStringLiteral("ShapeContrast"), QColor(224, 224, 224));
    placeTwips(greyScreen, 480, 480, 1815, 1335);

    m_preview = new QLabel(QStringLiteral("Tavion Panel Contrast"), contrastFrame);
    m_preview->setObjectName(QStringLiteral("Label6"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setWordWrap(true);
    placeTwips(m_preview, 960, 840, 915, 705);

    m_contrast = new QSlider(Qt::Horizontal, contrastFrame);
    m_contrast->setObjectName(QStringLiteral("Contlast"));
    m_contrast->setAccessibleName(QStringLiteral("Tavion Panel Contrast"));
    m_contrast->setRange(ContrastMin, ContrastMax);
    m_contrast->setSingleStep(1);
    m_contrast->setPageStep(1);
    m_contrast->setTickInterval(1);
    m_contrast->setTickPosition(QSlider::TicksBelow);
    m_contrast->setValue(ContrastMiddle);
    placeTwips(m_contrast, 360, 2040, 2055, 255);

    auto *low = new QLabel(QStringLiteral("Low"), contrastFrame);
    low->setObjectName(QStringLiteral("LabelLow"));
    placeTwips(low, 360, 2320, 600, 255);
    auto *high = new QLabel(QStringLiteral("High"), contrastFrame);
    high->setObjectName(QStringLiteral("LabelHigh"));
    placeTwips(high, 1920, 2320, 495, 255);

    auto *backLightFrame =
        addFrame(this, QStringLiteral("FrameBackLight"),
                 QStringLiteral("Tavion &EL Backlight On Time"), 4680, 330, 2775, 2640);
    auto *litScreen =
        addScreen(backLightFrame, QStringLiteral("ShapeBackLight"), QColor(192, 255, 255));
    placeTwips(litScreen, 480, 480, 1815, 1335);

    m_backLight = new QComboBox(backLightFrame);
    m_backLight->setObjectName(QStringLiteral("BackLight"));
    m_backLight->setAccessibleName(QStringLiteral("Tavion EL Backlight On Time"));
    addEntries(m_backLight, BackLightEntries);
    placeTwips(m_backLight, 570, 2040, 1695, 315);

    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, contrastPreviewColour(ContrastMiddle));
    m_preview->setPalette(palette);

    connect(m_contrast, &QSlider::valueChanged, this, &DisplayPage::Contlast_Change);
    connectListClick(m_backLight, this, [this] { m_state.ChangedFlag = true; }); // BackLight_Click
}

QColor DisplayPage::contrastPreviewColour(int position)
{
    const int grey = 128 + 12 * (ContrastMiddle - position);
    return QColor(grey, grey, grey);
}

QColor DisplayPage::previewTextColour() const
{
    return m_preview->palette().color(QPalette::WindowText);
}

// Runs for every position change, a load's included, so the preview always matches the slider.
void DisplayPage::Contlast_Change(int position)
{
    m_state.ChangedFlag = true;
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, contrastPreviewColour(position));
    m_preview->setPalette(palette);
}

#include "gui/pages/PageFrame.h"

#include "gui/Twips.h"
#include "gui/pages/ControlArray.h"

#include <QRadioButton>

#include <algorithm>

PageFrame::PageFrame(int frameIndex, const QString &caption, int heightTwips, SettingsState &state,
                     MessageBoxes &boxes, QWidget *parent)
    : QGroupBox(caption, parent), m_state(state), m_boxes(boxes), m_frameIndex(frameIndex)
{
    setObjectName(controls::elementName(QStringLiteral("Frame1"), frameIndex));
    setAccessibleName(withoutMnemonic(caption));
    // The page geometry was drawn for an 8-point dialog font.
    QFont pageFont = font();
    pageFont.setPointSizeF(8.0);
    setFont(pageFont);
    setFixedSize(toPixelsX(WidthTwips), toPixelsY(heightTwips));
}

int PageFrame::toPixelsX(double twipValue) const
{
    return twips::toPixels(twipValue, logicalDpiX());
}

int PageFrame::toPixelsY(double twipValue) const
{
    return twips::toPixels(twipValue, logicalDpiY());
}

void PageFrame::placeTwips(QWidget *w, int left, int top, int width, int height) const
{
    // Asked once per control: every page is placed at start-up.
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    const int h = height > 0 ? twips::toPixels(height, dpiY) : w->sizeHint().height();
    // The layout was drawn for a narrower font: a control grows rightwards rather than clip.
    const int minimumWidth = w->minimumSizeHint().width();
    w->setGeometry(twips::toPixels(left, dpiX), twips::toPixels(top, dpiY),
                   std::max(twips::toPixels(width, dpiX), minimumWidth), h);
}

QGroupBox *PageFrame::addFrame(QWidget *parent, const QString &objectName, const QString &caption,
                               int left, int top, int width, int height)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(objectName);
    frame->setAccessibleName(withoutMnemonic(caption));
    placeTwips(frame, left, top, width, height);
    return frame;
}

QRadioButton *PageFrame::addOption(QWidget *parent, const QString &arrayName, int element,
                                   const QString &text, const QString &accessibleName, int left,
                                   int top, int width, int height)
{
    auto *option = new QRadioButton(text, parent);
    option->setObjectName(controls::elementName(arrayName, element));
    option->setAccessibleName(accessibleName);
    placeTwips(option, left, top, width, height);
    return option;
}

QString withoutMnemonic(const QString &caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i; // "&&" stands for one literal '&'
        plain += caption[i];
    }
    return plain;
}

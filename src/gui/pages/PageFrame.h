#pragma once

#include <QGroupBox>

class MessageBoxes;
class QRadioButton;
struct SettingsState;

// One page of the settings window: a captioned frame (element N of the window's Frame1
// array) whose controls are placed in twips relative to the frame, as the window was drawn.
class PageFrame : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int WidthTwips = 8175;
    static constexpr int HeightTwips = 3225;

    PageFrame(int frameIndex, const QString &caption, int heightTwips, SettingsState &state,
              MessageBoxes &boxes, QWidget *parent);

    int frameIndex() const { return m_frameIndex; }

    // Twips to pixels with this widget's logical resolution.
    int toPixelsX(double twipValue) const;
    int toPixelsY(double twipValue) const;
    // Places w inside its parent; a height of 0 keeps the widget's own preferred height.
    // A control never gets narrower than its content needs.
    void placeTwips(QWidget *w, int left, int top, int width, int height = 0) const;

protected:
    // A captioned sub-frame; its accessible name is the caption without the mnemonic.
    QGroupBox *addFrame(QWidget *parent, const QString &objectName, const QString &caption,
                        int left, int top, int width, int height);
    // One option button of an off/on pair: element 0 and 1 of arrayName.
    QRadioButton *addOption(QWidget *parent, const QString &arrayName, int element,
                            const QString &text, const QString &accessibleName, int left, int top,
                            int width, int height);

    SettingsState &m_state;
    MessageBoxes &m_boxes;

private:
    int m_frameIndex;
};

// The caption as a screen reader should say it: without its '&' mnemonic marker.
QString withoutMnemonic(const QString &caption);

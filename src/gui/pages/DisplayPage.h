#pragma once

#include "core/ValueRules.h"
#include "gui/pages/PageFrame.h"

#include <QColor>

class QComboBox;
class QLabel;
class QSlider;

// "Setting Display" (frame 3): panel contrast with a preview text, and backlight time.
class DisplayPage : public PageFrame
{
    Q_OBJECT

public:
    static constexpr int ContrastMin = valueRule("Contrast").min;
    static constexpr int ContrastMax = valueRule("Contrast").max;
    static constexpr int ContrastMiddle = 16;

    DisplayPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    QSlider *Contlast() const { return m_contrast; }
    QComboBox *BackLight() const { return m_backLight; }
    QLabel *Label6() const { return m_preview; }

    // Grey of the preview text for a slider position: darker text for higher contrast.
    static QColor contrastPreviewColour(int position);
    QColor previewTextColour() const;

private:
    void Contlast_Change(int position);

    QSlider *m_contrast = nullptr;
    QComboBox *m_backLight = nullptr;
    QLabel *m_preview = nullptr;
};

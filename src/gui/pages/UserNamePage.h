#pragma once

#include "core/ValueRules.h"
#include "gui/pages/PageFrame.h"

class QLineEdit;

// The owner's name (frame 7, "(Not Used)"): one text box of at most 12 characters. Typing in
// it marks nothing as changed; the window compares the text with the last stored name instead.
class UserNamePage : public PageFrame
{
    Q_OBJECT

public:
    static constexpr int MaxLength = valueRule("UserName").max;

    UserNamePage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    QLineEdit *UserName() const { return m_userName; }

protected:
    // This frame has no border, so its placeholder caption never shows.
    void paintEvent(QPaintEvent *) override {}

private:
    QLineEdit *m_userName = nullptr;
};

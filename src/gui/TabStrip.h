#pragma once

#include <QTabBar>

#include <functional>

// The main window's tab strip. A click, an arrow key, a wheel turn or a mnemonic that would
// move to another tab asks mayLeave first; a refusal swallows the input, so the header never
// moves to the new tab and back.
class TabStrip : public QTabBar
{
    Q_OBJECT

public:
    using QTabBar::QTabBar;

    std::function<bool()> mayLeave;

    // True once for a change whose leave check already ran (then the change itself need not
    // ask again).
    bool takePassedCheck() { return std::exchange(m_passed, false); }

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // False when the user may not move to tab `to`; a move to the current or no tab is free.
    bool refuses(int to);

    bool m_passed = false;
};

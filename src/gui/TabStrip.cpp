#include "gui/TabStrip.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QWheelEvent>

bool TabStrip::refuses(int to)
{
    m_passed = false;
    if (to < 0 || to >= count() || to == currentIndex() || !mayLeave)
        return false;
    m_passed = mayLeave();
    return !m_passed;
}

bool TabStrip::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const QKeySequence key = static_cast<QShortcutEvent *>(event)->key();
        for (int i = 0; i < count(); ++i) {
            if (QKeySequence::mnemonic(tabText(i)) == key && refuses(i))
                return true;
        }
    }
    const bool handled = QTabBar::event(event);
    m_passed = false;
    return handled;
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && refuses(tabAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void TabStrip::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step != 0 && refuses(currentIndex() + step)) {
        event->accept();
        return;
    }
    QTabBar::keyPressEvent(event);
}

void TabStrip::wheelEvent(QWheelEvent *event)
{
    const int step = event->angleDelta().y() > 0 ? -1 : event->angleDelta().y() < 0 ? 1 : 0;
    if (step != 0 && refuses(currentIndex() + step)) {
        event->accept();
        return;
    }
    QTabBar::wheelEvent(event);
}

#include "gui/RaiseWindow.h"

#include <QWidget>

void RestoreAndRaise(QWidget *window)
{
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

#include "gui/StartupLog.h"

#include <QEvent>
#include <QLoggingCategory>
#include <QWidget>
#include <QWindow>

#include <ctime>

Q_LOGGING_CATEGORY(lcStartup, "quorix.startup", QtInfoMsg)

namespace {

// Follows the window to its first exposure; the line is written once that exposure's paint
// and flush are done, from the next turn of the event loop.
class FirstShownWatcher : public QObject
{
public:
    explicit FirstShownWatcher(QWidget *window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle()) {
            m_window->removeEventFilter(this);
            m_window->windowHandle()->installEventFilter(this);
        } else if (event->type() == QEvent::Expose && m_window->windowHandle() == watched &&
                   m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    timespec now{};
                    clock_gettime(CLOCK_REALTIME, &now);
                    qCDebug(lcStartup, "shown at %lld.%06ld", static_cast<long long>(now.tv_sec),
                            now.tv_nsec / 1000);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void logWhenFirstShown(QWidget *window)
{
    if (lcStartup().isDebugEnabled())
        window->installEventFilter(new FirstShownWatcher(window));
}

#include "gui/DeviceArrival.h"

#include "devicelink/MountWatcher.h"
#include "gui/MainController.h"
#include "gui/pages/UserNamePage.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QWindow>

namespace {

const QString kConnected = QStringLiteral("A Tavion has been connected. Open its settings?");

template <typename Record> QByteArray bytesOf(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes.data()),
                      qsizetype(record.bytes.size()));
}

} // namespace

DeviceArrival::DeviceArrival(MountWatch &watch, Present present, QStringList known,
                             MainController &controller, MessageBoxes &boxes, QObject *parent)
    : QObject(parent), m_present(std::move(present)), m_known(std::move(known)),
      m_controller(controller), m_boxes(boxes)
{
    const SettingsState &state = m_controller.state();
    if (state.ShownOrigin == SettingsState::Origin::Factory) {
        m_fallbackLoads = state.Loads;
        m_fallbackRecords = shownRecords();
    }
    // Queued: the questions and messages of an arrival run their own event loops, which must
    // not run inside the notifier that told of it.
    connect(&watch, &MountWatch::mountsChanged, this, &DeviceArrival::check, Qt::QueuedConnection);
}

void DeviceArrival::check()
{
    const QStringList present = m_present();
    for (const QString &root : present)
        m_pending = m_pending || !m_known.contains(root);
    m_known = present; // one that left and comes back arrives again
    if (!m_pending)
        return;
    if (m_acting || dialogOpen()) {
        waitForDialog();
        return;
    }
    m_pending = false;
    if (present.size() == 1)
        open();
    if (m_pending) // arrived while a box of ours was open
        QMetaObject::invokeMethod(this, &DeviceArrival::check, Qt::QueuedConnection);
}

void DeviceArrival::open()
{
    m_acting = true;
    if (untouched()) {
        // Open on Tavion... without its save prompt: the factory settings of start-up count as
        // unsaved, but nobody made them.
        m_controller.ApplyFactoryDefaults();
        m_controller.store().LoadSettings(SettingsSource::Device);
    } else if (m_boxes.askYesNoDefaultNo(kConnected)) {
        // An edited user name counts as a change, as it does at close.
        if (m_controller.pages().userName->UserName()->text() !=
            m_controller.binding().UserNameSnapshot)
            m_controller.state().ChangedFlag = true;
        m_controller.store().OpenFromDevice();
    }
    m_acting = false;
}

bool DeviceArrival::untouched()
{
    const SettingsState &state = m_controller.state();
    switch (state.ShownOrigin) {
    case SettingsState::Origin::Factory:
        return state.Loads == m_fallbackLoads && !m_fallbackRecords.isEmpty() &&
               shownRecords() == m_fallbackRecords;
    case SettingsState::Origin::Device:
        return !state.ChangedFlag && m_controller.pages().userName->UserName()->text() ==
                                         m_controller.binding().UserNameSnapshot;
    case SettingsState::Origin::PC:
    case SettingsState::Origin::History:
        break;
    }
    return false;
}

// The records the pages would save now; the working records stay as they were.
QByteArray DeviceArrival::shownRecords()
{
    SettingsState &state = m_controller.state();
    const SystemRecord system = state.systemRecord;
    const WeeklyRecord weekly = state.weeklyRecord;
    QByteArray shown;
    if (m_controller.PagesToRecords())
        shown = bytesOf(state.systemRecord) + bytesOf(state.weeklyRecord);
    state.systemRecord = system;
    state.weeklyRecord = weekly;
    return shown;
}

bool DeviceArrival::dialogOpen() const
{
    return QGuiApplication::modalWindow() != nullptr || QApplication::activeModalWidget();
}

// The arrival is looked at again once the dialog on top has closed.
void DeviceArrival::waitForDialog()
{
    QWindow *dialog = QGuiApplication::modalWindow();
    if (!dialog && QApplication::activeModalWidget())
        dialog = QApplication::activeModalWidget()->windowHandle();
    if (!dialog || dialog == m_dialog)
        return; // no dialog: a box of ours is being answered, and check() runs again after it
    disconnect(m_hidden);
    disconnect(m_gone);
    m_dialog = dialog;
    m_hidden = connect(dialog, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            dialogClosed();
    });
    m_gone = connect(dialog, &QObject::destroyed, this, &DeviceArrival::dialogClosed);
}

void DeviceArrival::dialogClosed()
{
    disconnect(m_hidden);
    disconnect(m_gone);
    m_dialog = nullptr;
    // After the dialog has left the modal stack, which it has not yet while it hides.
    QMetaObject::invokeMethod(this, &DeviceArrival::check, Qt::QueuedConnection);
}

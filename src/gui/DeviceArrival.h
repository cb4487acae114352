#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class MainController;
class MessageBoxes;
class MountWatch;
class QWindow;

// A Tavion plugged in while the window is open: its settings replace settings nobody has
// touched (the factory settings of start-up, or this device's unchanged), are offered in place
// of anything else, and wait while a dialog is open. Several Tavions are left to the user.
class DeviceArrival : public QObject
{
    Q_OBJECT

public:
    // Looks for the Tavions there now (the folder set when it holds one, else those found).
    using Present = std::function<QStringList()>;

    // known: the Tavions there when the window opened. Call once the window has its settings.
    DeviceArrival(MountWatch &watch, Present present, QStringList known, MainController &controller,
                  MessageBoxes &boxes, QObject *parent = nullptr);

private:
    void check();
    void open();
    bool untouched();
    QByteArray shownRecords();
    bool dialogOpen() const;
    void waitForDialog();
    void dialogClosed();

    Present m_present;
    QStringList m_known;
    MainController &m_controller;
    MessageBoxes &m_boxes;
    bool m_pending = false; // a Tavion arrived and is not dealt with yet
    bool m_acting = false;
    // The factory settings the window fell back to at start-up, as the pages gave them then.
    int m_fallbackLoads = -1;
    QByteArray m_fallbackRecords;
    QPointer<QWindow> m_dialog;
    QMetaObject::Connection m_hidden;
    QMetaObject::Connection m_gone;
};

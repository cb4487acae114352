#pragma once

#include "gui/Preferences.h"

#include <QDialog>

class QCheckBox;

// The transfer reminder: after the settings went to the device, the user still has to let
// Dockman transfer all data. Ticking "Do not show..." switches the reminder off for good (the
// Settings menu switches it on again). The dialog only writes the flag; whoever shows it
// decides from ReminderSuppressed() whether to.
class FormT512Msg : public QDialog
{
    Q_OBJECT

public:
    explicit FormT512Msg(const Preferences &preferences, QWidget *parent = nullptr);

    // Any way of closing (OK, Escape, the close box) stores the switch-off when ticked.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Preferences m_preferences;
    QCheckBox *m_msgCheck = nullptr;
};

// Shows the reminder modally unless the user switched it off; returns whether it was shown.
// Quorix calls this after each successful save to the device.
bool ShowTransferReminder(const Preferences &preferences, QWidget *parent);

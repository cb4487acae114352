#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/SettingsHistory.h"

#include <QDialog>

class QListWidget;

// "Open from History...": the kept snapshots of the device's settings, newest first, each with
// its date, time and the settings in which it differs from those shown.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    HistoryDialog(const QList<SettingsHistory::Snapshot> &snapshots,
                  const SystemRecord &shownSystem, const WeeklyRecord &shownWeekly,
                  QWidget *parent = nullptr);

    // The chosen snapshot's index in the list given; -1 when none.
    int chosen() const;

private:
    QListWidget *m_list;
};

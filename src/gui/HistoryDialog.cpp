#include "gui/HistoryDialog.h"

#include "core/SettingsDifference.h"
#include "settings/RecordFile.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "Contrast, Alarm 2, User Name": where a snapshot differs from the shown settings.
QString summary(const SettingsHistory::Snapshot &snapshot, const SystemRecord &shownSystem,
                const WeeklyRecord &shownWeekly)
{
    QByteArray systemImage, weeklyImage;
    if (!SettingsHistory::read(snapshot, systemImage, weeklyImage))
        return QStringLiteral("(damaged)");
    QStringList names;
    for (const std::string &name :
         differingSettings(toRecord<SystemRecord>(systemImage), toRecord<WeeklyRecord>(weeklyImage),
                           shownSystem, shownWeekly))
        names << QString::fromStdString(name);
    return names.isEmpty() ? QStringLiteral("same as shown") : names.join(QStringLiteral(", "));
}

} // namespace

HistoryDialog::HistoryDialog(const QList<SettingsHistory::Snapshot> &snapshots,
                             const SystemRecord &shownSystem, const WeeklyRecord &shownWeekly,
                             QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("Open from History"));
    setWindowModality(Qt::WindowModal);

    auto *label = new QLabel(
        snapshots.isEmpty()
            ? QStringLiteral("No settings have been kept yet: the device's settings are kept "
                             "here before each save to the Tavion.")
            : QStringLiteral("The Tavion's settings before each save, and where they differ from "
                             "the settings shown:"),
        this);
    label->setWordWrap(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_list->setAccessibleName(QStringLiteral("Snapshots"));
    m_list->setMinimumWidth(480);
    for (const auto &snapshot : snapshots) {
        m_list->addItem(snapshot.time.toString(QStringLiteral("yyyy-MM-dd  HH:mm:ss")) +
                        QStringLiteral("    ") + summary(snapshot, shownSystem, shownWeekly));
    }
    m_list->setCurrentRow(0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setEnabled(!snapshots.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

int HistoryDialog::chosen() const
{
    return m_list->currentRow();
}

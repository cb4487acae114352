#include "gui/ReminderDialog.h"

#include "gui/HelpWindow.h"
#include "platform/MessageBoxes.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

FormT512Msg::FormT512Msg(const Preferences &preferences, QWidget *parent)
    : QDialog(parent), m_preferences(preferences)
{
    setObjectName(QStringLiteral("FormT512Msg"));
    setWindowTitle(kTitle);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Modal to the main window only, so the help window opened by F1 stays usable.
    setWindowModality(Qt::WindowModal);

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    image1->setPixmap(style()
                          ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                          .pixmap(iconSize, iconSize));
    image1->setAlignment(Qt::AlignTop);

    auto *label1 = new QLabel(
        QStringLiteral("Transfer all data by Dockman to Veltrix after close\r\n[Quorix]"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setTextFormat(Qt::PlainText);

    m_msgCheck = new QCheckBox(QStringLiteral("Do not show this dialog in the next time."), this);
    m_msgCheck->setObjectName(QStringLiteral("MsgCheck"));

    auto *command1 = new QPushButton(QStringLiteral("OK"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);

    auto *message = new QHBoxLayout;
    message->setSpacing(14);
    message->addWidget(image1);
    message->addWidget(label1, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(command1);
    buttonRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(message);
    layout->addSpacing(10);
    layout->addWidget(m_msgCheck);
    layout->addSpacing(6);
    layout->addLayout(buttonRow);
    setFixedSize(sizeHint());
}

void FormT512Msg::done(int result)
{
    if (m_msgCheck->isChecked())
        m_preferences.SaveMsgDsp(1);
    QDialog::done(result);
}

void FormT512Msg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        ShowHelpTopics(this);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormT512Msg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        CentreWindow(this, true);
    QDialog::showEvent(event);
}

bool ShowTransferReminder(const Preferences &preferences, QWidget *parent)
{
    if (preferences.ReminderSuppressed())
        return false;
    FormT512Msg reminder(preferences, parent);
    reminder.exec();
    return true;
}

#include "gui/DeviceLinkDialog.h"

#include "platform/MessageBoxes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename W> W *named(W *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QLatin1StringView(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

DeviceLinkDialog::DeviceLinkDialog(QWidget *parent, const QList<FoundDevice> &found)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DeviceLinkDialog"));
    setWindowTitle(QStringLiteral("Tavion link settings"));

    const DeviceLinkSettings current = DeviceLinkSettings::load();
    m_root = named(new QLineEdit(current.deviceRoot, this), "DeviceRoot",
                   QStringLiteral("Device folder"));
    m_root->setPlaceholderText(QStringLiteral("Folder the Tavion is mounted at"));
    auto *browse = named(new QToolButton(this), "DeviceRootBrowse",
                         QStringLiteral("Choose the device folder"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &DeviceLinkDialog::chooseFolder);

    m_ask = named(new QCheckBox(QStringLiteral("ask before releasing the device"), this),
                  "AskBeforeRelease", QStringLiteral("Ask before releasing the device"));
    m_ask->setChecked(current.askBeforeRelease);

    auto *buttons =
        named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
              "Buttons", QStringLiteral("Dialog buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DeviceLinkDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DeviceLinkDialog::reject);

    // The Tavions plugged in: picking one fills the folder field.
    auto *foundList = named(new QListWidget(this), "FoundDevices",
                            QStringLiteral("Tavions found among the mounted folders"));
    foundList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    for (const FoundDevice &device : found) {
        auto *item = new QListWidgetItem(
            device.label.isNull() ? device.root
                                  : QStringLiteral("%1  (%2)").arg(device.root, device.label),
            foundList);
        item->setData(Qt::UserRole, device.root);
        if (device.root == current.deviceRoot)
            foundList->setCurrentItem(item);
    }
    connect(foundList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            m_root->setText(item->data(Qt::UserRole).toString());
    });
    auto *noneFound = named(new QLabel(QStringLiteral("No Tavion was found among the mounted "
                                                      "folders."),
                                       this),
                            "NoDeviceFound", QStringLiteral("No Tavion found"));
    foundList->setVisible(!found.isEmpty());
    noneFound->setVisible(found.isEmpty());

    auto *rootRow = new QHBoxLayout;
    rootRow->addWidget(m_root, 1);
    rootRow->addWidget(browse);
    auto *form = new QFormLayout;
    auto *foundLabel = new QLabel(QStringLiteral("Tavions &plugged in:"), this);
    foundLabel->setBuddy(foundList);
    auto *foundColumn = new QVBoxLayout;
    foundColumn->addWidget(foundList);
    foundColumn->addWidget(noneFound);
    form->addRow(foundLabel, foundColumn);
    auto *rootLabel = new QLabel(QStringLiteral("Device &folder:"), this);
    rootLabel->setBuddy(m_root);
    form->addRow(rootLabel, rootRow);
    form->addRow(m_ask);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

DeviceLinkSettings DeviceLinkDialog::settings() const
{
    return {m_root->text().trimmed(), m_ask->isChecked()};
}

void DeviceLinkDialog::accept()
{
    settings().save();
    QDialog::accept();
}

void DeviceLinkDialog::chooseFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Device folder"), m_root->text());
    if (!folder.isEmpty())
        m_root->setText(folder);
}

DirectoryDeviceLink::Hooks deviceLinkGuiHooks(QWidget *parent, MessageBoxes &boxes,
                                              const QProcessEnvironment &env)
{
    QPointer<QWidget> owner(parent);
    const DeviceFinder finder(DeviceFinder::Places::fromEnvironment(env));
    return {
        [owner, finder] {
            DeviceLinkDialog dialog(owner, finder.find());
            dialog.exec();
        },
        [&boxes] { return boxes.askYesNo(kReleaseQuestion); },
    };
}

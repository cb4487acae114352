#pragma once

#include "devicelink/DeviceFinder.h"
#include "devicelink/DirectoryDeviceLink.h"

#include <QDialog>

class MessageBoxes;
class QCheckBox;
class QLineEdit;

// The link's own settings dialog: the folder the Tavion is mounted at (picked from the Tavions
// found, or typed, or browsed to), and whether to ask before the device is released. OK stores
// both in the link's settings.
class DeviceLinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceLinkDialog(QWidget *parent = nullptr, const QList<FoundDevice> &found = {});

    DeviceLinkSettings settings() const;
    void accept() override;

private:
    void chooseFolder();

    QLineEdit *m_root;
    QCheckBox *m_ask;
};

// The question asked before the device is released (when the link's settings ask for it).
inline const QString kReleaseQuestion = QStringLiteral("Release the Tavion now?");

// The window's side of the link: the setup dialog, listing the Tavions found in the mounts of
// env, and the release question, shown over parent.
DirectoryDeviceLink::Hooks
deviceLinkGuiHooks(QWidget *parent, MessageBoxes &boxes,
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

#pragma once

// The main window as the program builds it, over a throwaway suite, a fake device and boxes.

#include "gui/MainController.h"
#include "gui/Preferences.h"
#include "gui/ZenForm.h"
#include "gui/pages/PowerPage.h"
#include "settings/SettingsHistory.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"
#include "support/TestFiles.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

// The bytes after the user name, which no page shows, hold a pattern.
inline QByteArray systemRecord(std::int16_t standby)
{
    SystemRecord r;
    for (std::size_t i = 112; i < r.bytes.size(); ++i)
        r.bytes[i] = static_cast<std::uint8_t>(i * 13);
    r.set(SystemField::StandbyMode, standby);
    r.set(SystemField::PowerOffHour, 17);
    r.setUserName("Ada");
    r.set(SystemField::Contrast, 16);
    r.set(SystemField::AutoOffDelay, 3);
    return bytesOf(r);
}

// Power mode 1 in the factory settings, 2 on the device (when it can be reached).
struct Harness
{
    TestSuite suite;
    PathMapper mapper{suite.prefix()};
    FakeDeviceLink link{mapper};
    FakeMessageBoxes boxes;
    Preferences preferences{suite.dir.filePath(u"Veltrix.ini"_s)};
    ZenForm form;
    SettingsHistory history{suite.dir.filePath(QStringLiteral("history"))};
    MainController controller{form, boxes, link, mapper, preferences, history, suite.places()};
    bool loaded = false;
    int remindersShown = 0;
    QString chosenFolder; // what the folder chooser answers; empty = cancelled
    QStringList chooserStartDirs;

    explicit Harness(bool deviceThere, bool installed = true, bool factoryFiles = true)
        : suite(installed)
    {
        // The factory files of the installation in use: the suite's, else Quorix's own.
        if (factoryFiles && installed)
            suite.writeFactoryFiles(systemRecord(1), QByteArray(76, '\0'));
        if (factoryFiles && !installed)
            suite.writeOwnFactoryFiles(systemRecord(1), QByteArray(76, '\0'));
        link.unreachable = !deviceThere;
        link.setFile(u"\\system\\system.ini"_s, systemRecord(2));
        link.setFile(u"\\system\\weekly.ini"_s, QByteArray(76, '\0'));
        controller.setReminder([this] { ++remindersShown; });
        controller.setFolderChooser([this](const QString &, const QString &startDir) {
            chooserStartDirs << startDir;
            return chosenFolder;
        });
        loaded = controller.Form_Load();
    }

    void trigger(const QString &action) { form.findChild<QAction *>(action)->trigger(); }
    int standby() { return controller.pages().power->PowerStandby()->currentIndex(); }
};

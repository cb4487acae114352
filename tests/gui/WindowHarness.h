#pragma once

// The main window put together as the program does it, over a throwaway Wine prefix, a fake
// device and scripted message boxes.

#include "gui/MainController.h"
#include "gui/Preferences.h"
#include "gui/ZenForm.h"
#include "gui/pages/PowerPage.h"
#include "platform/PathMapper.h"
#include "settings/SettingsHistory.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace harness {

inline const QString kSuite = QStringLiteral("/drive_c/Suite");

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray factorySystem()
{
    SystemRecord r;
    r.set(SystemField::StandbyMode, 1);
    r.set(SystemField::Contrast, 16);
    r.set(SystemField::AutoOffDelay, 3);
    r.setUserName("My Computer");
    return QByteArray(reinterpret_cast<const char *>(r.bytes.data()), 256);
}

inline QByteArray deviceSystem()
{
    SystemRecord r;
    for (std::size_t i = 0; i < r.bytes.size(); ++i)
        r.bytes[i] = static_cast<std::uint8_t>(i * 13); // opaque and hidden bytes everywhere
    const std::pair<SystemField, std::int16_t> fields[] = {
        {SystemField::Contrast, 18},      {SystemField::StandbyMode, 2},
        {SystemField::AutoOffDelay, 5},   {SystemField::PowerOnHour, 8},
        {SystemField::PowerOnMinute, 0},  {SystemField::PowerOffHour, 17},
        {SystemField::PowerOffMinute, 0}, {SystemField::BacklightTime, 4},
        {SystemField::KeyChirp, 1},       {SystemField::AlarmSoundOn, 0},
        {SystemField::FilerViewMode, 1},  {SystemField::FilerSortKey, 2},
        {SystemField::FilerSortOrder, 1}, {SystemField::ClockFormat, 1},
        {SystemField::DaylightSaving, 1},
    };
    for (const auto &[field, value] : fields)
        r.set(field, value);
    r.setUserName("Ada");
    return QByteArray(reinterpret_cast<const char *>(r.bytes.data()), 256);
}

} // namespace harness

using namespace harness;

struct Harness
{
    QTemporaryDir dir;
    PathMapper mapper{dir.path()};
    FakeDeviceLink link{mapper};
    FakeMessageBoxes boxes;
    Preferences preferences{dir.filePath(QStringLiteral("config/Veltrix.ini"))};
    SettingsHistory history{dir.filePath(QStringLiteral("history"))};
    ZenForm form;
    std::unique_ptr<MainController> controller;
    int remindersShown = 0;
    QString chosenFolder; // what the folder chooser answers; empty = cancelled
    QStringList chooserStartDirs;

    explicit Harness(bool install = true, bool factoryFiles = true)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("dosdevices")));
        QFile::link(QStringLiteral("../drive_c"), dir.filePath(QStringLiteral("dosdevices/c:")));
        QDir().mkpath(dir.path() + kSuite);
        if (install)
            writeFile(mapper.userRegPath(),
                      "WINE REGISTRY Version 2\n[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1\n"
                      "\"InstallDir\"=\"C:\\\\Suite\\\\\"\n");
        if (factoryFiles) {
            writeFile(dir.path() + kSuite + QStringLiteral("/razevo/system.cif"), factorySystem());
            writeFile(dir.path() + kSuite + QStringLiteral("/razevo/weekly.cif"),
                      QByteArray(76, '\0'));
        }
        controller = std::make_unique<MainController>(form, boxes, link, mapper, preferences,
                                                      history, dir.path());
        // No modal dialog may wait for a person in a test.
        controller->setReminder([this] { ++remindersShown; });
        controller->setFolderChooser([this](const QString &, const QString &startDir) {
            chooserStartDirs << startDir;
            return chosenFolder;
        });
    }

    void deviceHasSettings()
    {
        link.setFile(QStringLiteral("\\system\\system.ini"), deviceSystem());
        link.setFile(QStringLiteral("\\system\\weekly.ini"), QByteArray(76, '\0'));
    }

    PowerPage &power() { return *controller->pages().power; }
    QString placement()
    {
        return QSettings(preferences.fileName(), QSettings::IniFormat)
            .value(QStringLiteral("Zentrel/WindwInformation"))
            .toString();
    }
};

#pragma once

#include "core/PathsTable.h"
#include "gui/PageBinding.h"
#include "platform/Installation.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsState.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class DeviceLink;
class MessageBoxes;
class PathMapper;
class Preferences;
class SettingsHistory;
class SettingsStore;
class SoundPlayer;
class SoundPreview;
class ZenForm;

// The main window's procedures: start-up, the commands behind menus and toolbar, the tab
// checks and the close sequence. Owns the settings, the pages and the store; the window
// itself only shows them.
class MainController : public QObject, public SettingsPages
{
    Q_OBJECT

public:
    MainController(ZenForm &form, MessageBoxes &boxes, DeviceLink &link, const PathMapper &mapper,
                   Preferences &preferences, SettingsHistory &history, InstallationPlaces places,
                   QObject *parent = nullptr);
    ~MainController() override;

    // Runs the start-up sequence. False when the program must end at once without a window:
    // no usable installation, or nothing to work on (after its message); startFailure() says why.
    bool Form_Load();

    // Why Form_Load ended the program: its exit status and one line for standard error.
    struct StartFailure
    {
        int status;
        QString reason;
    };
    const std::optional<StartFailure> &startFailure() const { return m_startFailure; }

    SettingsState &state() { return m_state; }
    const PathsTable &paths() const { return m_paths; }
    const PageBinding::Pages &pages() const { return m_pages; }
    PageBinding &binding() { return *m_binding; }
    SettingsStore &store() { return *m_store; }
    bool StartedFromDevice() const { return m_state.StartedFromDevice; }

    // Asks for the folder of a settings backup on the PC; empty when the user cancels.
    using FolderChooser = std::function<QString(const QString &title, const QString &startDir)>;
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }
    // The player the alarm sound preview uses; tests give it their own PATH.
    void setSoundPlayer(std::unique_ptr<SoundPlayer> player);
    SoundPreview &preview() { return *m_preview; }

    // Shows the transfer reminder after a save to the device (unless switched off).
    void setReminder(std::function<void()> reminder) { m_reminder = std::move(reminder); }

    // SettingsPages
    void RecordsToPages() override;
    bool PagesToRecords() override;
    void ApplyFactoryDefaults() override;
    int selectedTab() const override;
    bool CheckPowerPage() override;
    bool CheckAlarmPage() override;
    void refillSoundLists() override;
    void refreshPageDisplays() override;
    void pagesSaved() override;
    void setCaption(const QString &caption) override;
    void closeWindow() override;

private:
    void createPages();
    void connectCommands();
    void CheckDefaultsDir(const QString &defaultsDir);
    void saveToDevice();
    void openOnPc();
    void openFromHistory();
    void saveToPc();
    void openMelodies();
    // Runs a PC load or save with the backup files of the given host folder.
    void withPcFolder(const QString &folder, const std::function<void()> &operation);
    void onTabChange(int fromTab, bool *allowed);
    void onClose(bool *allowed);

    ZenForm &m_form;
    MessageBoxes &m_boxes;
    DeviceLink &m_link;
    const PathMapper &m_mapper;
    Preferences &m_preferences;
    SettingsHistory &m_history;
    InstallationPlaces m_places;

    SettingsState m_state;
    PathsTable m_paths;
    PageBinding::Pages m_pages;
    std::unique_ptr<PageBinding> m_binding;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<SoundPreview> m_preview;
    FolderChooser m_chooseFolder;
    std::function<void()> m_reminder;
    bool m_loaded = false;     // start-up finished and settings reached the pages
    bool m_closeAsked = false; // the working-file lookup asked the window to close
    std::optional<StartFailure> m_startFailure;
};

#include "gui/MainController.h"

#include "gui/pages/PageNumbers.h"

#include "devicelink/DeviceLink.h"
#include "devicelink/SoundList.h"
#include "gui/HelpWindow.h"
#include "gui/HistoryDialog.h"
#include "gui/Preferences.h"
#include "gui/ReminderDialog.h"
#include "gui/SoundPreview.h"
#include "gui/ZenForm.h"
#include "gui/about/GlobalVersion.h"
#include "gui/melodies/MelodyDialog.h"
#include "gui/pages/AlarmPage.h"
#include "gui/pages/DisplayPage.h"
#include "gui/pages/FilerPage.h"
#include "gui/pages/PowerPage.h"
#include "gui/pages/SoundPage.h"
#include "gui/pages/TimePage.h"
#include "gui/pages/UserNamePage.h"
#include "platform/DirListing.h"
#include "platform/ExitStatus.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMapper.h"
#include "platform/SoundPlayer.h"
#include "settings/DeviceMelodies.h"
#include "settings/SettingsHistory.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QTemporaryDir>

Q_LOGGING_CATEGORY(lcInstallation, "quorix.installation", QtWarningMsg)

namespace {

const QString kPlacementSection = QStringLiteral("Zentrel");

} // namespace

MainController::MainController(ZenForm &form, MessageBoxes &boxes, DeviceLink &link,
                               const PathMapper &mapper, Preferences &preferences,
                               SettingsHistory &history, InstallationPlaces places, QObject *parent)
    : QObject(parent), m_form(form), m_boxes(boxes), m_link(link), m_mapper(mapper),
      m_preferences(preferences), m_history(history), m_places(std::move(places))
{
    createPages();
    m_binding = std::make_unique<PageBinding>(m_state, m_pages);
    m_store = std::make_unique<SettingsStore>(m_state, m_paths, m_mapper, m_link, m_boxes, *this,
                                              m_history);
    m_chooseFolder = [this](const QString &title, const QString &startDir) {
        return QFileDialog::getExistingDirectory(&m_form, title, startDir);
    };
    m_reminder = [this] { ShowTransferReminder(m_preferences, &m_form); };
    setSoundPlayer(std::make_unique<SoundPlayer>());
    m_pages.alarm->setWaveDeviceCount([] { return waveOutputDeviceCount(); });
    connectCommands();
}

MainController::~MainController() = default;

void MainController::setSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    m_player = std::move(player);
    m_preview = std::make_unique<SoundPreview>(m_link, m_boxes, m_mapper, *m_player);
}

void MainController::createPages()
{
    m_pages.power = new PowerPage(m_state, m_boxes);
    m_pages.sound = new SoundPage(m_state, m_boxes);
    m_pages.filer = new FilerPage(m_state, m_boxes);
    m_pages.display = new DisplayPage(m_state, m_boxes);
    m_pages.alarm = new AlarmPage(m_state, m_boxes);
    m_pages.time = new TimePage(m_state, m_boxes);
    m_pages.userName = new UserNamePage(m_state, m_boxes);
    m_form.setFrame(frames::Power, m_pages.power);
    m_form.setFrame(frames::Sound, m_pages.sound);
    m_form.setFrame(frames::Filer, m_pages.filer);
    m_form.setFrame(frames::Display, m_pages.display);
    m_form.setFrame(frames::Alarm, m_pages.alarm);
    m_form.setFrame(frames::Time, m_pages.time);
    m_form.setFrame(frames::UserName, m_pages.userName);
}

void MainController::connectCommands()
{
    connect(&m_form, &ZenForm::openOnDeviceRequested, this, [this] { m_store->OpenFromDevice(); });
    connect(&m_form, &ZenForm::saveToDeviceRequested, this, &MainController::saveToDevice);
    connect(&m_form, &ZenForm::openOnPcRequested, this, &MainController::openOnPc);
    connect(&m_form, &ZenForm::openFromHistoryRequested, this, &MainController::openFromHistory);
    connect(&m_form, &ZenForm::saveToPcRequested, this, &MainController::saveToPc);
    connect(&m_form, &ZenForm::helpRequested, this, [this] { ShowHelpTopics(&m_form); });
    connect(&m_form, &ZenForm::aboutRequested, this, [this] {
        GlobalVersion about(&m_form);
        about.AppNo = 1;
        about.exec();
    });
    connect(&m_form, &ZenForm::resetRequested, this, [this] { m_store->ResetToDefaults(); });
    connect(&m_form, &ZenForm::disconnectionSetupRequested, this,
            [this] { m_link.Vlt_SetupDisconnection(); });
    connect(&m_form, &ZenForm::settingsMenuAboutToShow, this, [this] {
        m_form.menuItem(QStringLiteral("MenuCheckMsg"))
            ->setChecked(!m_preferences.ReminderSuppressed());
    });
    // The action has already flipped its check mark: unchecked now means switched off.
    connect(&m_form, &ZenForm::reminderMenuToggled, this,
            [this](bool checked) { m_preferences.SaveMsgDsp(checked ? 0 : 1); });
    connect(&m_form, &ZenForm::tabChangeRequested, this, &MainController::onTabChange);
    connect(&m_form, &ZenForm::alarmPageShown, this, [this] { m_pages.alarm->SoundCombo_Disp(); });
    connect(&m_form, &ZenForm::closeRequested, this, &MainController::onClose);
    connect(&m_form, &ZenForm::melodiesRequested, this, &MainController::openMelodies);
    connect(m_pages.alarm, &AlarmPage::previewRequested, this, [this](int alarm) {
        m_preview->cbtSNDprev_Click(m_pages.alarm->Sound(alarm)->currentText(),
                                    QString::fromStdString(m_paths.SoundCacheDir), &m_form);
    });
}

bool MainController::Form_Load()
{
    m_form.setWindowTitle(kTitle);
    QString problem;
    const auto installation = FindInstallation(m_places, &problem);
    if (!installation) {
        m_startFailure = {ExitNoInstallation, problem};
        return false;
    }
    m_paths = installation->paths;
    if (m_paths.OwnInstallation) {
        qCInfo(lcInstallation,
               "no suite installed: factory settings from %s, caches in %s, "
               "backups in %s",
               m_paths.DefaultsDir.c_str(), m_paths.CacheSystemDir.c_str(),
               m_paths.PcIniDir.c_str());
        // A folder that cannot be made shows up as the failure of the step that needs it.
        CreateOwnFolders(m_paths);
    }
    CheckDefaultsDir(QString::fromStdString(m_paths.DefaultsDir));
    m_store->RefreshCheckFile();
    m_preferences.RestoreWindowPlacement(&m_form, kPlacementSection);

    m_pages.alarm->setSoundFiles([this] { return m_store->alarmSoundFiles(); });
    m_pages.alarm->SoundCombo_Disp();
    m_form.LayoutPages();
    m_form.BuildTabs();
    m_form.TabStrip1_Click();

    const auto source = m_store->FindWorkingFiles();
    if (!source || m_closeAsked) {
        const QString factoryDir = QString::fromStdString(m_paths.DefaultsDir);
        const QString hostDir = m_mapper.toHost(factoryDir);
        m_startFailure = {ExitDeviceFailure,
                          QStringLiteral("nothing to work on: the device's settings could not be "
                                         "read and the factory settings system.cif and "
                                         "weekly.cif are not both in %1")
                              .arg(hostDir.isEmpty() ? factoryDir : hostDir)};
        return false;
    }
    m_state.StartedFromDevice = *source == SettingsSource::Device;
    ApplyFactoryDefaults();
    m_store->LoadSettings(*source);
    if (*source == SettingsSource::Default)
        m_form.setWindowTitle(kTitle);
    m_loaded = true;
    return true;
}

void MainController::CheckDefaultsDir(const QString &defaultsDir)
{
    if (DirOrEmpty(m_mapper, defaultsDir, DirListing::Directories).isEmpty())
        m_boxes.warn(QStringLiteral(
            "Directory does not exist.\r\nPlease install the PC Application again."));
}

void MainController::saveToDevice()
{
    if (m_store->SaveSettings(SettingsSource::Device) && m_reminder)
        m_reminder();
}

void MainController::withPcFolder(const QString &folder, const std::function<void()> &operation)
{
    // The backup folder is a host path; the default PC files come back afterwards.
    const PathsTable defaults = m_paths;
    m_paths.PcSystemFile = (folder + QStringLiteral("/system.ini")).toStdString();
    m_paths.PcWeeklyFile = (folder + QStringLiteral("/weekly.ini")).toStdString();
    operation();
    m_paths = defaults;
}

void MainController::openOnPc()
{
    if (!m_store->SavePrompt())
        return;
    const QString folder =
        m_chooseFolder(QStringLiteral("Open settings backup"),
                       m_mapper.toHost(QString::fromStdString(m_paths.PcIniDir)));
    if (folder.isEmpty())
        return;
    withPcFolder(folder, [this] {
        ApplyFactoryDefaults();
        m_store->LoadSettings(SettingsSource::PC);
    });
}

void MainController::openFromHistory()
{
    if (!m_store->SavePrompt())
        return;
    // The shown settings as records, to name where each snapshot differs; the working records
    // stay as they were.
    const SystemRecord system = m_state.systemRecord;
    const WeeklyRecord weekly = m_state.weeklyRecord;
    PagesToRecords();
    const QList<SettingsHistory::Snapshot> snapshots = m_history.list();
    HistoryDialog dialog(snapshots, m_state.systemRecord, m_state.weeklyRecord, &m_form);
    m_state.systemRecord = system;
    m_state.weeklyRecord = weekly;
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0)
        return;
    m_store->OpenSnapshot(snapshots[dialog.chosen()]);
}

void MainController::saveToPc()
{
    // Offer the suite's own backup folder first, creating it if the suite has not yet.
    const QString defaultDir = m_mapper.toHost(QString::fromStdString(m_paths.PcIniDir));
    if (!defaultDir.isEmpty())
        QDir().mkpath(defaultDir);
    const QString folder = m_chooseFolder(QStringLiteral("Save settings backup"), defaultDir);
    if (folder.isEmpty())
        return;
    withPcFolder(folder, [this] { m_store->SaveSettings(SettingsSource::PC); });
}

void MainController::openMelodies()
{
    m_store->GetSoundList(); // the device's melodies as they are now
    QTemporaryDir work;
    if (!work.isValid()) {
        m_boxes.warn(
            QStringLiteral("No temporary folder for the melodies: %1").arg(work.errorString()));
        return;
    }
    DeviceMelodies melodies(m_link, work.path(), DeviceMelodies::keepFolderIn(m_history.folder()));
    const auto alarmsUsing = [this](const QString &melody) {
        QStringList alarms;
        for (std::size_t alarm = 0; alarm < m_state.AlarmSoundName.size(); ++alarm)
            if (m_state.AlarmSoundName[alarm].compare(melody, Qt::CaseInsensitive) == 0)
                alarms << QStringLiteral("Alarm %1").arg(alarm + 1);
        return alarms;
    };
    MelodyDialog dialog(
        {melodies, m_boxes, *m_preview, work.path(),
         [this] { return AlarmPage::soundListEntries(soundNames(m_state.SoundList)); }, alarmsUsing,
         [] { return waveOutputDeviceCount() > 0; }, [this] { m_store->GetSoundList(); }},
        &m_form);
    dialog.exec();
}

void MainController::onTabChange(int fromTab, bool *allowed)
{
    *allowed = CheckPageOfTab(*this, fromTab);
}

void MainController::onClose(bool *allowed)
{
    if (!m_loaded) {
        *allowed = true; // start-up ended early: nothing reached the pages, nothing to save
        return;
    }
    if (m_pages.userName->UserName()->text() != m_binding->UserNameSnapshot)
        m_state.ChangedFlag = true;
    if (!m_store->SavePrompt() || vlt::low16(m_link.Vlt_DoDisconnect()) != 0) {
        *allowed = false;
        return;
    }
    m_preferences.SaveWindowPlacement(&m_form, kPlacementSection);
    *allowed = true;
}

void MainController::RecordsToPages()
{
    m_binding->RecordsToPages();
}

bool MainController::PagesToRecords()
{
    return m_binding->PagesToRecords();
}

void MainController::ApplyFactoryDefaults()
{
    m_binding->ApplyFactoryDefaults();
}

int MainController::selectedTab() const
{
    return m_form.selectedTab();
}

bool MainController::CheckPowerPage()
{
    return m_binding->CheckPowerPage();
}

bool MainController::CheckAlarmPage()
{
    return m_binding->CheckAlarmPage();
}

void MainController::refillSoundLists()
{
    m_pages.alarm->SoundCombo_Disp();
}

void MainController::refreshPageDisplays()
{
    m_binding->refreshPageDisplays();
}

void MainController::pagesSaved()
{
    m_binding->UserNameSnapshot = m_pages.userName->UserName()->text();
}

void MainController::setCaption(const QString &caption)
{
    m_form.setWindowTitle(caption);
}

void MainController::closeWindow()
{
    m_closeAsked = true;
    if (m_loaded)
        m_form.close();
}

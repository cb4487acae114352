#include "devicelink/DirectoryDeviceLink.h"
#include "devicelink/MountWatcher.h"
#include "gui/DeviceArrival.h"
#include "gui/DeviceLinkDialog.h"
#include "gui/MainController.h"
#include "gui/Preferences.h"
#include "gui/QtMessageBoxes.h"
#include "gui/RaiseWindow.h"
#include "gui/StartOptions.h"
#include "gui/StartupLog.h"
#include "gui/ZenForm.h"
#include "gui/about/Emblems.h"
#include "platform/ExitStatus.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMapper.h"
#include "platform/SingleInstance.h"
#include "settings/SettingsHistory.h"

#include <QApplication>

#include <optional>

namespace {

// The options are read on a bare core application, before the GUI one needs a display.
std::optional<int> endBeforeStart(int &argc, char **argv)
{
    const QCoreApplication probe(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ReadStartOptions(QCoreApplication::arguments(), out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    if (const auto status = endBeforeStart(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(kTitle);
    QApplication::setDesktopFileName(QStringLiteral("org.quorix.Quorix"));
    QApplication::setWindowIcon(family::QuorixIcon());

    // A second start brings the running window to the front and ends without a window.
    SingleInstance instance;
    if (instance.tryStart() == SingleInstance::Duplicate) {
        QTextStream(stderr) << "quorix: already running; asked it to show its window\n";
        return ExitOk;
    }

    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    ZenForm form;
    QObject::connect(&instance, &SingleInstance::showRequested, &form,
                     [&form] { RestoreAndRaise(&form); });
    QtMessageBoxes boxes(&form);
    const PathMapper mapper(PathMapper::prefixFromEnvironment(env));
    // Shared with the arrival watch, which makes the link look for the Tavion again.
    const auto search = std::make_shared<DeviceSearch>(env);
    DirectoryDeviceLink link(
        mapper, [search] { return search->settings(); }, deviceLinkGuiHooks(&form, boxes, env));
    Preferences preferences;
    SettingsHistory history(SettingsHistory::folderFrom(env));
    MainController controller(
        form, boxes, link, mapper, preferences, history,
        InstallationPlaces::from(env, mapper, QCoreApplication::applicationDirPath()));
    if (!controller.Form_Load()) {
        const auto &failure = *controller.startFailure();
        QTextStream(stderr) << "quorix: " << failure.reason << '\n';
        return failure.status;
    }
    const DeviceFinder::Places places = DeviceFinder::Places::fromEnvironment(env);
    MountWatcher mounts(places.mountTable, places.runtimeDir.isEmpty()
                                               ? QString()
                                               : places.runtimeDir + QStringLiteral("/gvfs"));
    DeviceArrival arrival(
        mounts, [search] { return search->rescan(); }, search->present(), controller, boxes);
    logWhenFirstShown(&form);
    form.show();
    return app.exec();
}

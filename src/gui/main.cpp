#include "devicelink/DirectoryDeviceLink.h"
#include "gui/DeviceLinkDialog.h"
#include "gui/MainController.h"
#include "gui/Preferences.h"
#include "gui/QtMessageBoxes.h"
#include "gui/RaiseWindow.h"
#include "gui/ZenForm.h"
#include "gui/about/Emblems.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMapper.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kTitle);
    QApplication::setDesktopFileName(QStringLiteral("org.quorix.Quorix"));
    QApplication::setWindowIcon(family::QuorixIcon());

    // A second start brings the running window to the front and ends without a trace.
    SingleInstance instance;
    if (instance.tryStart() == SingleInstance::Duplicate)
        return 0;

    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    ZenForm form;
    QObject::connect(&instance, &SingleInstance::showRequested, &form,
                     [&form] { RestoreAndRaise(&form); });
    QtMessageBoxes boxes(&form);
    const PathMapper mapper(PathMapper::prefixFromEnvironment(env));
    DirectoryDeviceLink link(mapper, DirectoryDeviceLink::settingsFrom(env),
                             deviceLinkGuiHooks(&form, boxes, env));
    Preferences preferences;
    MainController controller(form, boxes, link, mapper, preferences,
                              QCoreApplication::applicationDirPath());
    if (!controller.Form_Load())
        return 0;
    form.show();
    return app.exec();
}

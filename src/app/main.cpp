#include "about/Emblems.h"
#include "app/MainController.h"
#include "app/Preferences.h"
#include "app/QtMessageBoxes.h"
#include "app/RaiseWindow.h"
#include "app/ZenForm.h"
#include "devicelink/DeviceLinkDialog.h"
#include "devicelink/DirectoryDeviceLink.h"
#include "platform/PathMapper.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
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
                             deviceLinkGuiHooks(&form, boxes));
    Preferences preferences;
    MainController controller(form, boxes, link, mapper, preferences,
                              QCoreApplication::applicationDirPath());
    if (!controller.Form_Load())
        return 0;
    form.show();
    return app.exec();
}

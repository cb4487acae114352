#include "app/MainController.h"
#include "app/Preferences.h"
#include "app/QtMessageBoxes.h"
#include "app/ZenForm.h"
#include "devicelink/DeviceLinkDialog.h"
#include "devicelink/DirectoryDeviceLink.h"
#include "platform/PathMapper.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    QApplication::setDesktopFileName(QStringLiteral("org.quorix.Quorix"));

    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    ZenForm form;
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

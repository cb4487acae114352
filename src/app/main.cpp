#include "app/ZenForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ZenForm form;
    form.show();
    return app.exec();
}

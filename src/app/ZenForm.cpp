#include "app/ZenForm.h"

ZenForm::ZenForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("ZenForm"));
    setWindowTitle(QStringLiteral("Quorix"));
}

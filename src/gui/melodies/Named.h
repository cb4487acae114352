#pragma once

#include <QString>

// Gives a control the object name tests find it by and the name a screen reader speaks.
template <class Widget>
Widget *named(Widget *widget, const QString &objectName, const QString &spokenName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(spokenName);
    return widget;
}

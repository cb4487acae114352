#pragma once

#include <QObject>
#include <QString>

// Repeating page controls (per alarm, per weekday, per option) are named "<array>_<element>",
// e.g. "Week_2" or "DTP_Power_0", so tests and tools can find element N by name.
namespace controls {

inline QString elementName(const QString &arrayName, int element)
{
    return arrayName + QLatin1Char('_') + QString::number(element);
}

// Element N of a control array below root, or nullptr when there is no such element.
template <typename T> T *element(const QObject *root, const QString &arrayName, int element)
{
    return root->findChild<T *>(elementName(arrayName, element));
}

} // namespace controls

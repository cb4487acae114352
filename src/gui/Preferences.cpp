#include "gui/Preferences.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QStyle>
#include <QWidget>

namespace {

const QString PlacementKey = QStringLiteral("WindwInformation");
const QString GlobalSection = QStringLiteral("Global");
const QString MsgDspKey = QStringLiteral("MsgDsp");

QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QRect screenOf(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

} // namespace

QSize FrameSizeOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    if (frame.size() != window->size())
        return frame.size(); // the window manager has told us its decoration
    // Not mapped yet: the decoration is still unknown, so count a title bar of the style's
    // height; centring on the bare client size would put the window too low.
    return window->size() + QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

QPoint CentredOnScreen(QRect screen, QSize frameSize, bool keepOnScreen)
{
    const PlacementPoint origin = CentredOrigin(screen.width(), screen.height(), frameSize.width(),
                                                frameSize.height(), keepOnScreen);
    return screen.topLeft() + QPoint(origin.x, origin.y);
}

void CentreWindow(QWidget *window, bool keepOnScreen)
{
    window->move(CentredOnScreen(screenOf(window), FrameSizeOf(window), keepOnScreen));
}

Preferences::Preferences()
    : m_fileName(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltrix"),
                           QStringLiteral("Veltrix"))
                     .fileName())
{
}

Preferences::Preferences(const QString &iniFile) : m_fileName(iniFile) {}

QString Preferences::readText(const QString &section, const QString &key) const
{
    const QSettings settings(m_fileName, QSettings::IniFormat);
    const QVariant value = settings.value(keyPath(section, key));
    // A hand-edited file may hold the placement without quotes; INI then reads it as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

WindowPlacement Preferences::PlacementOf(const QWidget *window)
{
    WindowPlacement placement;
    if (window->isMinimized())
        placement.showCmd = WindowPlacement::ShowMinimized;
    else if (window->isMaximized())
        placement.showCmd = WindowPlacement::ShowMaximized;

    // normalGeometry() is the client area the window has when restored; grow it by the frame.
    const QRect client = window->normalGeometry();
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QRect restored =
        client.adjusted(frame.left() - inner.left(), frame.top() - inner.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    placement.normalPosition = {restored.left(), restored.top(), restored.left() + restored.width(),
                                restored.top() + restored.height()};
    return placement;
}

bool Preferences::SaveWindowPlacement(const QWidget *window, const QString &section) const
{
    if (window == nullptr)
        return false;
    const std::string text = FormatPlacement(PlacementOf(window));
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.setValue(keyPath(section, PlacementKey), QString::fromStdString(text));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QPoint Preferences::RestoredPosition(const QString &storedText, QSize frameSize, QRect screen)
{
    WindowPlacement placement;
    if (!storedText.isEmpty() && ParsePlacement(storedText.toStdString(), placement))
        return {placement.normalPosition.left, placement.normalPosition.top};
    return CentredOnScreen(screen, frameSize, true);
}

void Preferences::RestoreWindowPlacement(QWidget *window, const QString &section) const
{
    window->move(
        RestoredPosition(readText(section, PlacementKey), FrameSizeOf(window), screenOf(window)));
}

void Preferences::SaveMsgDsp(qint16 value) const
{
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.setValue(keyPath(GlobalSection, MsgDspKey),
                      QString::fromStdString(FormatPrefNumber(value)));
    settings.sync();
}

bool Preferences::ReminderSuppressed() const
{
    const QString text = readText(GlobalSection, MsgDspKey);
    return !text.isNull() && FlagTextSuppresses(text.toStdString());
}

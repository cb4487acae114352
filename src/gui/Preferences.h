#pragma once

#include "core/PlacementText.h"

#include <QRect>
#include <QString>

class QWidget;

// The two per-user preferences of Quorix, kept in an INI file: where the main window was when
// it closed (section given by the caller, key "WindwInformation") and whether the transfer
// reminder is switched off (section "Global", key "MsgDsp"). Values are stored as the text the
// number format gives, leading blanks included. Unreadable values count as missing.
class Preferences
{
public:
    // The user's store: $XDG_CONFIG_HOME/Veltrix/Veltrix.ini (organisation and application
    // "Veltrix").
    Preferences();
    // A store kept in the given file; tests and tools point it elsewhere.
    explicit Preferences(const QString &iniFile);

    QString fileName() const { return m_fileName; }

    // Stores the window's show state and restored frame rectangle. Writes nothing when there is
    // no window to ask.
    bool SaveWindowPlacement(const QWidget *window, const QString &section) const;

    // Moves the window to the stored top-left corner, or centres it on its screen when nothing
    // usable is stored. Size and show state are left alone, so call it once the window has its
    // final size and before it is shown.
    void RestoreWindowPlacement(QWidget *window, const QString &section) const;

    void SaveMsgDsp(qint16 value) const;
    bool ReminderSuppressed() const;

    // The placement of a top-level window in pixels: its frame rectangle as it is when neither
    // minimised nor maximised, and 1, 2 or 3 for normal, minimised, maximised.
    static WindowPlacement PlacementOf(const QWidget *window);

    // Where RestoreWindowPlacement puts a window whose frame has the given size, on the given
    // screen, for the stored text.
    static QPoint RestoredPosition(const QString &storedText, QSize frameSize, QRect screen);

private:
    QString readText(const QString &section, const QString &key) const;

    QString m_fileName;
};

// Top-left corner that centres a window frame of the given size on the screen. With
// keepOnScreen it never lies left of or above the screen's edge (a dialog on a small screen).
QPoint CentredOnScreen(QRect screen, QSize frameSize, bool keepOnScreen);
// The window's outer size, title bar included, also before the window manager has framed it.
QSize FrameSizeOf(const QWidget *window);

// Moves a top-level window to the centre of its screen, by the rule above.
void CentreWindow(QWidget *window, bool keepOnScreen);

#pragma once

#include <QString>

// The program's title: the caption of the main window and the title of every message box.
inline const QString kTitle = QStringLiteral("Quorix");

// Every message box of the program goes through here. Boxes are titled "Quorix", carry the
// exclamation icon, and make Yes the default button unless they say otherwise.
class MessageBoxes
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~MessageBoxes() = default;
    virtual void warn(const QString &text) = 0;              // one OK button
    virtual bool askYesNo(const QString &text) = 0;          // true on Yes
    virtual bool askYesNoDefaultNo(const QString &text) = 0; // true on Yes; No the default
    virtual Answer askYesNoCancel(const QString &text) = 0;  // closing the box is Cancel
};

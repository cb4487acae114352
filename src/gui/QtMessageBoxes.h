#pragma once

#include "platform/MessageBoxes.h"

class QWidget;

// Message boxes shown with QMessageBox, owned by the main window.
class QtMessageBoxes : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }

    void warn(const QString &text) override;
    bool askYesNo(const QString &text) override;
    bool askYesNoDefaultNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;

private:
    QWidget *m_owner;
};

#include "gui/QtMessageBoxes.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButton ask(QWidget *owner, const QString &text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    // The program's texts break lines with CR LF or a lone CR; Qt lays out LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox box(QMessageBox::Warning, kTitle, shown, buttons, owner);
    if (defaultButton == QMessageBox::NoButton)
        defaultButton = buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    box.setDefaultButton(defaultButton);
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void QtMessageBoxes::warn(const QString &text)
{
    ask(m_owner, text, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(const QString &text)
{
    return ask(m_owner, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtMessageBoxes::askYesNoDefaultNo(const QString &text)
{
    return ask(m_owner, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

MessageBoxes::Answer QtMessageBoxes::askYesNoCancel(const QString &text)
{
    switch (ask(m_owner, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

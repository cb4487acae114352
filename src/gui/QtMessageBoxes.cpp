#include "gui/QtMessageBoxes.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButton ask(QWidget *owner, const QString &text,
                                QMessageBox::StandardButtons buttons)
{
    // The program's texts break lines with CR LF or a lone CR; Qt lays out LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox box(QMessageBox::Warning, kTitle, shown, buttons, owner);
    box.setDefaultButton(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
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

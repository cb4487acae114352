#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QStringList>

// Records every box shown and answers questions from a script (Yes when the script is empty).
class FakeMessageBoxes : public MessageBoxes
{
public:
    QStringList shown;
    QList<Answer> answers;

    void warn(const QString &text) override { shown << text; }
    bool askYesNo(const QString &text) override { return next(text) == Answer::Yes; }
    Answer askYesNoCancel(const QString &text) override { return next(text); }

private:
    Answer next(const QString &text)
    {
        shown << text;
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }
};

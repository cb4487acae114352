#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QStringList>

// Records every box shown and answers questions from a script (the default button when the
// script is empty).
class FakeMessageBoxes : public MessageBoxes
{
public:
    QStringList shown;
    QList<Answer> answers;

    void warn(const QString &text) override { shown << text; }
    bool askYesNo(const QString &text) override { return next(text) == Answer::Yes; }
    bool askYesNoDefaultNo(const QString &text) override
    {
        return next(text, Answer::No) == Answer::Yes;
    }
    Answer askYesNoCancel(const QString &text) override { return next(text); }

private:
    Answer next(const QString &text, Answer byDefault = Answer::Yes)
    {
        shown << text;
        return answers.isEmpty() ? byDefault : answers.takeFirst();
    }
};

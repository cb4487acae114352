#pragma once

#include <QComboBox>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <utility>

// Fills a list with its entries, kept as plain arrays so that their number can be checked
// against the list's value rule when the program is built.
template <std::size_t N> void addEntries(QComboBox *list, const char *const (&entries)[N])
{
    for (const char *entry : entries)
        list->addItem(QString::fromLatin1(entry));
}

// Connects a list's Click handler. It runs when the selection changes, by the user or by the
// program (a load too, which the handlers tell by LoadingPages), and when the user picks the
// entry the list already shows, which Qt reports only as `activated`. A pick that changes the
// selection runs it once.
template <typename Handler>
void connectListClick(QComboBox *list, QObject *context, Handler handler)
{
    auto justChanged = std::make_shared<bool>(false);
    QObject::connect(list, &QComboBox::currentIndexChanged, context, [list, justChanged, handler] {
        // A change and the pick that caused it arrive in one event; a later pick is a new one.
        *justChanged = true;
        QTimer::singleShot(0, list, [justChanged] { *justChanged = false; });
        handler();
    });
    QObject::connect(list, &QComboBox::activated, context, [justChanged, handler] {
        if (!std::exchange(*justChanged, false))
            handler();
    });
}

#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// Quorix's help: its own pages, built into the program, shown in one browser window with
// Back, Forward and Contents.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The topic index every help request starts at.
    static QUrl TopicIndex();

    void showTopicIndex();
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

// Opens the help window at the topic index, or brings the open one to the front and goes back
// to the index. There is one help window per run; closing the main window closes the program
// even while it is open.
HelpWindow *ShowHelpTopics(QWidget *parent);

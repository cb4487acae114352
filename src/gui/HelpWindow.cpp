#include "gui/HelpWindow.h"

#include "gui/Preferences.h"

#include <QAction>
#include <QKeySequence>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

// The help pages sit in a static library; pull their resource in explicitly.
static void initHelpResource()
{
    Q_INIT_RESOURCE(quorix_help);
}

namespace {

const QString PageStyle = QStringLiteral("body { font-size: 10pt; }"
                                         "h1 { font-size: 15pt; color: #0f5f5d; }"
                                         "h2 { font-size: 12pt; color: #0f5f5d; margin-top: 14px; }"
                                         "td { padding: 3px 8px 3px 0; vertical-align: top; }"
                                         "p.nav { font-size: 9pt; }"
                                         "tt { background-color: #eef2f2; }");

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    initHelpResource();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Quorix Help"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDefaultStyleSheet(PageStyle);
    m_browser->document()->setDocumentMargin(12);

    auto *toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    QAction *back = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);

    QAction *forward =
        toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
    forward->setObjectName(QStringLiteral("HelpForward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    QAction *contents =
        toolbar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"));
    contents->setObjectName(QStringLiteral("HelpContents"));
    contents->setShortcut(Qt::ALT | Qt::Key_Home);
    connect(contents, &QAction::triggered, this, &HelpWindow::showTopicIndex);

    auto *close = new QAction(this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_browser, 1);

    resize(680, 560);
    m_browser->setSource(TopicIndex());
}

QUrl HelpWindow::TopicIndex()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

void HelpWindow::showTopicIndex()
{
    if (m_browser->source() != TopicIndex())
        m_browser->setSource(TopicIndex());
    m_browser->verticalScrollBar()->setValue(0);
}

HelpWindow *ShowHelpTopics(QWidget *parent)
{
    // One help window per run, not owned by any other window so that it stays usable while a
    // dialog is open and does not hide behind the main window.
    static QPointer<HelpWindow> window;
    const bool opening = window.isNull();
    if (opening) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    window->showTopicIndex();
    if (opening && parent != nullptr && parent->screen() != nullptr) {
        window->move(CentredOnScreen(parent->screen()->geometry(), FrameSizeOf(window), true));
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

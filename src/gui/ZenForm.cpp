#include "gui/ZenForm.h"

#include "gui/TabStrip.h"
#include "gui/ToolbarIcons.h"
#include "gui/Twips.h"
#include "gui/pages/PageNumbers.h"
#include "platform/MessageBoxes.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// Geometry of the window in twips.
constexpr int kClientWidth = 8520;
constexpr int kClientHeight = 4305;
constexpr int kTabLeft = 60;
constexpr int kTabTop = 480;
constexpr int kTabWidth = 8430;
constexpr int kTabHeight = 3735;
constexpr int kFrameOffsetLeft = 190;
constexpr int kFrameOffsetTop = 370;
constexpr int kUserNameFrameLeft = 240;
constexpr int kUserNameFrameTop = 960;

const char *const kTabCaptions[] = {
    "&Power Management", "&Sound", "Filer &View", "&Display", "&Time", "&Alarm", "&User Name"};

} // namespace

ZenForm::ZenForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("ZenForm"));
    setWindowTitle(kTitle);
    // Fixed border: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(twips::toPixels(kClientWidth, logicalDpiX()),
                         twips::toPixels(kClientHeight, logicalDpiY()));
    setCentralWidget(client);

    buildMenus();
    buildToolbar();
    buildTabStrip();

    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &ZenForm::helpRequested);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize(); // the size is final from here on, so the placement can centre it
}

QAction *ZenForm::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

void ZenForm::addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1StringView(name));
}

QAction *ZenForm::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

void ZenForm::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MENU1"));
    connect(addItem(file, "MenuPCOpen", QStringLiteral("&Open on PC...")), &QAction::triggered,
            this, &ZenForm::openOnPcRequested);
    connect(addItem(file, "MenuHistoryOpen", QStringLiteral("Open from &History...")),
            &QAction::triggered, this, &ZenForm::openFromHistoryRequested);
    connect(addItem(file, "MenuPCSave", QStringLiteral("&Save to PC")), &QAction::triggered, this,
            &ZenForm::saveToPcRequested);
    addSeparator(file, "kubun1");
    connect(addItem(file, "MenuCoreOpen", QStringLiteral("Open on &Tavion...")),
            &QAction::triggered, this, &ZenForm::openOnDeviceRequested);
    connect(addItem(file, "MenuCoreSave", QStringLiteral("Save to Tavio&n")), &QAction::triggered,
            this, &ZenForm::saveToDeviceRequested);
    addSeparator(file, "kubun2");
    connect(addItem(file, "MenuDisconnect", QStringLiteral("Dis&connection Setup...")),
            &QAction::triggered, this, &ZenForm::disconnectionSetupRequested);
    addSeparator(file, "kubun3");
    connect(addItem(file, "MenuUnload", QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu *settings = menuBar()->addMenu(QStringLiteral("Settin&gs"));
    settings->setObjectName(QStringLiteral("MenuDefine"));
    connect(addItem(settings, "Menudefault", QStringLiteral("&Reset default settings")),
            &QAction::triggered, this, &ZenForm::resetRequested);
    addSeparator(settings, "kubunsetup");
    QAction *checkMsg =
        addItem(settings, "MenuCheckMsg", QStringLiteral("&Verify Trabsfer All Data"));
    checkMsg->setCheckable(true);
    connect(checkMsg, &QAction::triggered, this, &ZenForm::reminderMenuToggled);
    addSeparator(settings, "kubunmelody");
    connect(addItem(settings, "MenuMelodies", QStringLiteral("Alarm &Melodies...")),
            &QAction::triggered, this, &ZenForm::melodiesRequested);
    connect(settings, &QMenu::aboutToShow, this, &ZenForm::settingsMenuAboutToShow);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    connect(addItem(help, "MenuTopic", QStringLiteral("&Help Topics")), &QAction::triggered, this,
            &ZenForm::helpRequested);
    addSeparator(help, "kubunhelp");
    connect(addItem(help, "MenuVersion", QStringLiteral("&About Quorix...")), &QAction::triggered,
            this, &ZenForm::aboutRequested);
}

void ZenForm::buildToolbar()
{
    m_toolbar = new QToolBar(centralWidget());
    m_toolbar->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setGeometry(0, 0, centralWidget()->width(), twips::toPixels(kTabTop, logicalDpiY()));

    struct Button
    {
        const char *key;
        QString tip;
        void (ZenForm::*signal)();
    };
    const Button buttons[] = {
        {"PCOpen", QStringLiteral("Open on PC"), &ZenForm::openOnPcRequested},
        {"PCSave", QStringLiteral("Save to PC"), &ZenForm::saveToPcRequested},
        {nullptr, {}, nullptr},
        {"CoreOpen", QStringLiteral("Open on Tavion"), &ZenForm::openOnDeviceRequested},
        {"CoreSave", QStringLiteral("Save to Tavion"), &ZenForm::saveToDeviceRequested},
        {nullptr, {}, nullptr},
        {"SetDefault", QStringLiteral("Rest Default Settings"), &ZenForm::resetRequested},
    };
    for (const Button &b : buttons) {
        if (!b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction *action = m_toolbar->addAction(toolbarIcon(QLatin1StringView(b.key)), b.tip);
        action->setObjectName(QLatin1StringView(b.key));
        action->setToolTip(b.tip);
        connect(action, &QAction::triggered, this, b.signal);
        if (auto *button = qobject_cast<QToolButton *>(m_toolbar->widgetForAction(action))) {
            button->setObjectName(QStringLiteral("Toolbar2_") + QLatin1StringView(b.key));
            button->setAccessibleName(b.tip);
        }
    }
}

void ZenForm::buildTabStrip()
{
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    m_tabPane = new QFrame(centralWidget());
    m_tabPane->setObjectName(QStringLiteral("TabStrip1Pane"));
    auto *pane = static_cast<QFrame *>(m_tabPane);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setFrameShadow(QFrame::Raised);

    m_tabStrip = new TabStrip(centralWidget());
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setAccessibleName(QStringLiteral("Settings pages"));
    m_tabStrip->setDrawBase(false);
    m_tabStrip->setExpanding(false);
    m_tabStrip->move(twips::toPixels(kTabLeft, dpiX), twips::toPixels(kTabTop, dpiY));

    // The pane starts under the tabs and reaches the bottom of the tab strip's rectangle.
    const int tabTop = twips::toPixels(kTabTop, dpiY);
    const int tabBottom = twips::toPixels(kTabTop + kTabHeight, dpiY);
    const int paneTop = twips::toPixels(kTabTop + kFrameOffsetTop, dpiY) - 6;
    pane->setGeometry(twips::toPixels(kTabLeft, dpiX), paneTop, twips::toPixels(kTabWidth, dpiX),
                      tabBottom - paneTop);
    m_tabStrip->setFixedHeight(paneTop - tabTop + 1);

    // Clicks, keys and mnemonics are checked before the header moves; any other change (from
    // the program) is checked here and turned back when refused.
    m_tabStrip->mayLeave = [this] {
        bool allowed = true;
        emit tabChangeRequested(m_currentTab, &allowed);
        return allowed;
    };
    connect(m_tabStrip, &QTabBar::currentChanged, this, [this](int index) {
        if (m_switchingBack)
            return;
        bool allowed = true;
        if (!m_tabStrip->takePassedCheck())
            emit tabChangeRequested(m_currentTab, &allowed);
        if (!allowed) {
            // The check refused: the old tab stays selected.
            m_switchingBack = true;
            m_tabStrip->setCurrentIndex(m_currentTab - 1);
            m_switchingBack = false;
            return;
        }
        m_currentTab = index + 1;
        TabStrip1_Click();
    });
}

void ZenForm::setFrame(int index, QWidget *frame)
{
    m_frames.at(std::size_t(index)) = frame;
    frame->setParent(centralWidget());
    frame->setObjectName(QStringLiteral("Frame1_%1").arg(index));
    if (index == frames::UserName)
        frame->move(twips::toPixels(kUserNameFrameLeft, logicalDpiX()),
                    twips::toPixels(kUserNameFrameTop, logicalDpiY()));
    frame->hide();
}

void ZenForm::LayoutPages()
{
    const int left = twips::toPixels(kTabLeft + kFrameOffsetLeft, logicalDpiX());
    const int top = twips::toPixels(kTabTop + kFrameOffsetTop, logicalDpiY());
    for (int i = 0; i < frames::UserName; ++i) {
        if (QWidget *f = m_frames[std::size_t(i)])
            f->move(left, top);
    }
}

void ZenForm::BuildTabs()
{
    const QSignalBlocker block(m_tabStrip);
    while (m_tabStrip->count() > 0)
        m_tabStrip->removeTab(0);
    for (const char *caption : kTabCaptions)
        m_tabStrip->addTab(QString::fromLatin1(caption));
    m_tabStrip->setCurrentIndex(0);
    m_currentTab = 1;
    m_tabStrip->adjustSize();
}

int ZenForm::selectedTab() const
{
    return m_tabStrip->currentIndex() + 1;
}

void ZenForm::TabStrip1_Click()
{
    const int shown = frames::frameOfTab(selectedTab());
    // Only the selected page is visible and enabled; frame 4 is never used.
    for (int i = 0; i < frames::Count; ++i) {
        if (QWidget *f = m_frames[std::size_t(i)]) {
            f->setVisible(i == shown);
            f->setEnabled(i == shown);
        }
    }
    if (QWidget *f = shown >= 0 ? m_frames[std::size_t(shown)] : nullptr)
        f->raise();
    if (shown == frames::Alarm)
        emit alarmPageShown();
}

void ZenForm::closeEvent(QCloseEvent *event)
{
    bool allowed = true;
    emit closeRequested(&allowed);
    if (allowed)
        event->accept();
    else
        event->ignore();
}

#pragma once

#include "gui/TabStrip.h"
#include "gui/pages/PageNumbers.h"

#include <QMainWindow>

#include <array>

class QAction;
class QMenu;
class QTabBar;

class QToolBar;

// The main window: menus, toolbar, the tab strip with one frame per page, and the close
// sequence. The window only emits its commands as signals; MainController carries them out.
class ZenForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit ZenForm(QWidget *parent = nullptr);

    QTabBar *TabStrip1() const { return m_tabStrip; }
    QToolBar *Toolbar2() const { return m_toolbar; }
    QAction *menuItem(const QString &name) const;

    // The page frames, by frame index; the window owns their placement and stacking.
    void setFrame(int index, QWidget *frame);
    QWidget *frame(int index) const { return m_frames.at(std::size_t(index)); }

    void LayoutPages();
    void BuildTabs();
    // Shows the page of the selected tab (also run once at start-up).
    void TabStrip1_Click();
    int selectedTab() const;

signals:
    // Menu and toolbar commands; the application connects them to the store and dialogs.
    void openOnPcRequested();
    void openFromHistoryRequested();
    void saveToPcRequested();
    void openOnDeviceRequested();
    void saveToDeviceRequested();
    void disconnectionSetupRequested();
    void resetRequested();
    void helpRequested();
    void aboutRequested();
    void reminderMenuToggled(bool checked);
    void melodiesRequested();
    void settingsMenuAboutToShow();
    // Before the selected tab changes; set *allowed false to keep the current tab.
    void tabChangeRequested(int fromTab, bool *allowed);
    void alarmPageShown();
    // The close sequence: set *allowed false to keep the window open.
    void closeRequested(bool *allowed);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildTabStrip();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    void addSeparator(QMenu *menu, const char *name);

    TabStrip *m_tabStrip = nullptr;
    QWidget *m_tabPane = nullptr;
    QToolBar *m_toolbar = nullptr;
    std::array<QWidget *, frames::Count> m_frames{};
    int m_currentTab = 1;
    bool m_switchingBack = false;
};

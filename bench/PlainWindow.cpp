// quorix_plain_window: the yardstick of the start-up benchmark (bench/startup.sh). A main window
// written the plain Qt way, with a menu bar, a tool bar and seven tabs holding about the controls
// Quorix's pages hold, and nothing behind them. Not a test.

#include "gui/StartupLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QComboBox *list(const QStringList &entries, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(entries);
    return box;
}

QGroupBox *group(const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    new QHBoxLayout(box);
    return box;
}

QWidget *onOffPage(const QStringList &titles)
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < titles.size(); ++i) {
        QGroupBox *box = group(titles[i], page);
        box->layout()->addWidget(new QRadioButton(QStringLiteral("On"), box));
        box->layout()->addWidget(new QRadioButton(QStringLiteral("Off"), box));
        grid->addWidget(box, i / 2, i % 2);
    }
    return page;
}

QWidget *powerPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    QGroupBox *lcd = group(QStringLiteral("&LCD"), page);
    lcd->layout()->addWidget(
        list({QStringLiteral("Always On"), QStringLiteral("Standby"), QStringLiteral("Off")}, lcd));
    grid->addWidget(lcd, 0, 0);
    QGroupBox *saving = group(QStringLiteral("Battery Saving"), page);
    saving->layout()->addWidget(list({QStringLiteral("1 min"), QStringLiteral("3 min")}, saving));
    grid->addWidget(saving, 0, 1);
    const QString times[] = {QStringLiteral("Power &On Time"), QStringLiteral("Power Off Ti&me")};
    for (int i = 0; i < 2; ++i) {
        QGroupBox *box = group(times[i], page);
        box->layout()->addWidget(new QTimeEdit(box));
        grid->addWidget(box, 1, i);
    }
    QGroupBox *graph = group(QString(), page);
    for (const char *hour : {"0", "3", "6", "9", "12", "15", "18", "21", "24"})
        graph->layout()->addWidget(new QLabel(QString::fromLatin1(hour), graph));
    grid->addWidget(graph, 2, 0, 1, 2);
    return page;
}

QWidget *filerPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const QStringList lists[] = {
        {QStringLiteral("Icon"), QStringLiteral("Lists(+type)"), QStringLiteral("Lists")},
        {QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Size")},
        {QStringLiteral("Ascending"), QStringLiteral("Descending")}};
    const QString titles[] = {QStringLiteral("View &Mode"), QStringLiteral("Sort &by"),
                              QStringLiteral("Sort &Order")};
    for (int i = 0; i < 3; ++i) {
        QGroupBox *box = group(titles[i], page);
        box->layout()->addWidget(list(lists[i], box));
        grid->addWidget(box, i, 1);
    }
    QGroupBox *preview = group(QStringLiteral("Filer Display"), page);
    for (const char *view : {"Icon view", "List view with file types", "List view"})
        preview->layout()->addWidget(new QLabel(QString::fromLatin1(view), preview));
    grid->addWidget(preview, 0, 0, 3, 1);
    return page;
}

QWidget *displayPage()
{
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    QGroupBox *contrast = group(QStringLiteral("Panel &Contrast"), page);
    contrast->layout()->addWidget(new QLabel(QStringLiteral("Low"), contrast));
    auto *slider = new QSlider(Qt::Horizontal, contrast);
    slider->setRange(0, 10);
    slider->setTickPosition(QSlider::TicksBelow);
    contrast->layout()->addWidget(slider);
    contrast->layout()->addWidget(new QLabel(QStringLiteral("High"), contrast));
    row->addWidget(contrast);
    QGroupBox *light = group(QStringLiteral("&Backlight On Time"), page);
    light->layout()->addWidget(
        list({QStringLiteral("Manual"), QStringLiteral("1 Sec"), QStringLiteral("2 Sec")}, light));
    row->addWidget(light);
    return page;
}

QWidget *alarmPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    for (int alarm = 1; alarm <= 4; ++alarm) {
        QGroupBox *box = group(QStringLiteral("Alarm &%1").arg(alarm), page);
        box->layout()->addWidget(
            list({QStringLiteral("Off"), QStringLiteral("Daily"), QStringLiteral("Weekly")}, box));
        box->layout()->addWidget(new QTimeEdit(box));
        for (const char *day : {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}) {
            box->layout()->addWidget(new QLabel(QString::fromLatin1(day), box));
            box->layout()->addWidget(new QCheckBox(box));
        }
        box->layout()->addWidget(new QLabel(QStringLiteral("Sound"), box));
        box->layout()->addWidget(list({QStringLiteral("CHIME"), QStringLiteral("MARCH")}, box));
        box->layout()->addWidget(new QPushButton(QStringLiteral(">"), box));
        column->addWidget(box);
    }
    return page;
}

QWidget *userNamePage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    QGroupBox *box = group(QStringLiteral("User Name"), page);
    box->layout()->addWidget(new QLineEdit(box));
    column->addWidget(box);
    column->addStretch();
    return page;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Plain window"));

    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    for (const char *item : {"&Open on PC...", "&Save to PC", "Open on &Device...",
                             "Save to De&vice", "Dis&connection Setup...", "E&xit"})
        file->addAction(QString::fromLatin1(item));
    QMenu *settings = window.menuBar()->addMenu(QStringLiteral("Settin&gs"));
    settings->addAction(QStringLiteral("&Reset default settings"));
    settings->addAction(QStringLiteral("&Verify transfer"))->setCheckable(true);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Help Topics"));
    help->addAction(QStringLiteral("&About..."));

    // Text buttons: a picture per button is part of what Quorix is measured for.
    QToolBar *tools = window.addToolBar(QStringLiteral("Tools"));
    tools->setMovable(false);
    tools->addAction(QStringLiteral("Open"));
    tools->addAction(QStringLiteral("Save"));
    tools->addSeparator();
    tools->addAction(QStringLiteral("Open on device"));
    tools->addAction(QStringLiteral("Save to device"));
    tools->addSeparator();
    tools->addAction(QStringLiteral("Reset"));

    auto *tabs = new QTabWidget(&window);
    tabs->addTab(powerPage(), QStringLiteral("&Power Management"));
    tabs->addTab(onOffPage({QStringLiteral("Key Sound"), QStringLiteral("Alarm Sound"),
                            QStringLiteral("Hourly Sound"), QStringLiteral("Low Battery Sound")}),
                 QStringLiteral("&Sound"));
    tabs->addTab(filerPage(), QStringLiteral("Filer &View"));
    tabs->addTab(displayPage(), QStringLiteral("&Display"));
    tabs->addTab(onOffPage({QStringLiteral("Clock"), QStringLiteral("Date Order"),
                            QStringLiteral("Week Start"), QStringLiteral("Summer Time")}),
                 QStringLiteral("&Time"));
    tabs->addTab(alarmPage(), QStringLiteral("&Alarm"));
    tabs->addTab(userNamePage(), QStringLiteral("&User Name"));
    window.setCentralWidget(tabs);

    logWhenFirstShown(&window);
    window.show();
    return app.exec();
}

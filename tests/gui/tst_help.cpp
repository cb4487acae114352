#include "gui/HelpWindow.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

namespace {

QStringList helpPages()
{
    QStringList pages;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages;
}

QString readPage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList linksOf(const QString &html)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QStringList links;
    for (auto it = href.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

QList<HelpWindow *> helpWindows()
{
    QList<HelpWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<HelpWindow *>(widget); help && help->isVisible())
            found << help;
    }
    return found;
}

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPageIsReachedAndEveryLinkLeadsToAPage();
    void opensAtTheTopicIndex();
    void secondRequestReusesTheWindowUntilClosed();
    void openHelpDoesNotKeepTheProgramRunning();

private:
    QStringList m_pages;
};

void HelpTest::initTestCase()
{
    // Opening help once brings the pages into the resource system.
    HelpWindow probe;
    m_pages = helpPages();
    QVERIFY(m_pages.contains(QStringLiteral(":/help/index.html")));
    QVERIFY(m_pages.size() > 10);
}

void HelpTest::everyPageIsReachedAndEveryLinkLeadsToAPage()
{
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = QStringLiteral(":/help/") + queue.takeFirst();
        const QString html = readPage(page);
        QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page));
        for (const QString &link : linksOf(html)) {
            const QString target = link.section(QLatin1Char('#'), 0, 0);
            QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target),
                     qPrintable(page + QStringLiteral(" -> ") + link));
            if (!reached.contains(target)) {
                reached.insert(target);
                queue << target;
            }
        }
    }
    for (const QString &page : std::as_const(m_pages))
        QVERIFY2(reached.contains(page.section(QLatin1Char('/'), -1)), qPrintable(page));
}

void HelpTest::opensAtTheTopicIndex()
{
    QWidget owner;
    owner.show();
    HelpWindow *help = ShowHelpTopics(&owner);
    QVERIFY(help != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Quorix Help Topics")));
    // Not a child of the window it was opened from: it outlives a closing dialog.
    QVERIFY(help->parentWidget() == nullptr);
    help->close();
}

void HelpTest::secondRequestReusesTheWindowUntilClosed()
{
    HelpWindow *help = ShowHelpTopics(nullptr);
    help->browser()->setSource(QUrl(QStringLiteral("qrc:/help/alarm.html")));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("four alarms")));

    HelpWindow *again = ShowHelpTopics(nullptr);
    QCOMPARE(again, help);
    QCOMPARE(again->browser()->source(), HelpWindow::TopicIndex());
    QCOMPARE(helpWindows().size(), 1);

    // Once closed, the next request opens a fresh window.
    QPointer<HelpWindow> closed = help;
    help->close();
    QTRY_VERIFY(closed.isNull());
    HelpWindow *next = ShowHelpTopics(nullptr);
    QVERIFY(next != nullptr);
    QVERIFY(next->isVisible());
    QCOMPARE(helpWindows().size(), 1);
    next->close();
}

void HelpTest::openHelpDoesNotKeepTheProgramRunning()
{
    QWidget mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    QPointer<HelpWindow> help = ShowHelpTopics(&mainWindow);
    QVERIFY(help->isVisible());

    // Closing the main window must end the event loop although help is still open.
    bool lastClosed = false;
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [&lastClosed] { lastClosed = true; });
    QTimer::singleShot(0, &mainWindow, &QWidget::close);
    QTimer safety;
    safety.setSingleShot(true);
    connect(&safety, &QTimer::timeout, qApp, &QCoreApplication::quit);
    safety.start(5000);
    QApplication::exec();
    QVERIFY(safety.isActive());
    QVERIFY(lastClosed);
    if (help)
        help->close();
}

QTEST_MAIN(HelpTest)
#include "tst_help.moc"

// Shows each page in a real window and checks that every caption fits its control. With
// QUORIX_SCREENSHOT_DIR set, also saves a picture of each page there for a person to look at.

#include "gui/WindowHarness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void everyPageFits_data();
    void everyPageFits();
};

void TestScreenshots::everyPageFits_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 7; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

void TestScreenshots::everyPageFits()
{
    QFETCH(int, tab);
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.form));
    h.form.TabStrip1()->setCurrentIndex(tab - 1);
    QCOMPARE(h.form.selectedTab(), tab);

    QWidget *page = h.form.frame(frames::frameOfTab(tab));
    QStringList clipped;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&h.form))
            continue;
        const bool hasText = qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                             qobject_cast<QComboBox *>(w);
        if (hasText && w->width() < w->minimumSizeHint().width())
            clipped << QStringLiteral("%1 (%2 < %3)")
                           .arg(w->objectName())
                           .arg(w->width())
                           .arg(w->minimumSizeHint().width());
        // Nothing may reach outside the page.
        const QRect inPage(w->mapTo(page, QPoint(0, 0)), w->size());
        if (!page->rect().contains(inPage))
            clipped << w->objectName() + QStringLiteral(" leaves the page");
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));

    const QString dir = qEnvironmentVariable("QUORIX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        QVERIFY(h.form.grab().save(QStringLiteral("%1/page-%2.png").arg(dir).arg(tab)));
    }
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"

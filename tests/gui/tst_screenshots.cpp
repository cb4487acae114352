// Each page in a real window: only its frame shows, every caption fits its control and nothing
// leaves the page. With QUORIX_SCREENSHOT_DIR set, a picture of each page is saved there.

#include "gui/WindowHarness.h"

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void everyPageFits_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("frame");
        for (const auto &[tab, frame] :
             {std::pair{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 6}, {6, 5}, {7, 7}})
            QTest::addRow("tab %d", tab) << tab << frame;
    }
    void everyPageFits()
    {
        QFETCH(int, tab);
        QFETCH(int, frame);
        Harness h(true);
        h.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.form));
        h.form.TabStrip1()->setCurrentIndex(tab - 1);
        QList<int> shown; // visible or usable
        for (int i : {0, 1, 2, 3, 5, 6, 7})
            if (h.form.frame(i)->isVisible() || h.form.frame(i)->isEnabled())
                shown << i;
        QCOMPARE(shown, QList<int>{frame});
        QWidget *page = h.form.frame(frame);
        QVERIFY(page->isVisible() && page->isEnabled());
        QStringList faults;
        for (QWidget *w : page->findChildren<QWidget *>()) {
            const bool text = qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                              qobject_cast<QComboBox *>(w);
            if (w->isVisible() && text && w->width() < w->minimumSizeHint().width())
                faults << w->objectName() + u" clipped"_s;
            if (w->isVisible() &&
                !page->rect().contains(QRect(w->mapTo(page, QPoint()), w->size())))
                faults << w->objectName() + u" leaves the page"_s;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u", "_s)));
        const QString dir = qEnvironmentVariable("QUORIX_SCREENSHOT_DIR");
        QVERIFY(dir.isEmpty() ||
                (QDir().mkpath(dir) && h.form.grab().save(u"%1/page-%2.png"_s.arg(dir).arg(tab))));
    }
};

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"

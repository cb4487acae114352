#include "gui/Preferences.h"
#include "gui/about/Emblems.h"
#include "gui/about/GlobalVersion.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class GlobalVersionTest : public QObject
{
    Q_OBJECT

private slots:
    // The caller's entry: its title and its emblem alone, with the version line.
    void showsTheCallersEntry_data()
    {
        QTest::addColumn<int>("appNo");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("emblems");
        QTest::newRow("Quorix") << 1 << u"About Quorix"_s << u"Quorix"_s << QList<int>{1};
        QTest::newRow("last entry") << 12 << u"About Lexibar"_s << u"Lexibar"_s << QList<int>{12};
        QTest::newRow("outside the tables") << 13 << u"About"_s << QString() << QList<int>{};
    }
    void showsTheCallersEntry()
    {
        QFETCH(int, appNo);
        GlobalVersion box;
        box.AppNo = static_cast<qint16>(appNo);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTEST(box.windowTitle(), "caption");
        QTEST(box.findChild<QLabel *>(u"Label2"_s)->text(), "title");
        QCOMPARE(box.findChild<QLabel *>(u"Label3"_s)->text(),
                 u"Version 2.00 for Windows95 / Windows98 / WindowsNT4.0"_s);
        QList<int> shown;
        for (int i = 0; i < family::TitleCount; ++i)
            if (box.findChild<QLabel *>(u"Image2_%1"_s.arg(i))->isVisible())
                shown << i;
        QTEST(shown, "emblems");
    }
};

QTEST_MAIN(GlobalVersionTest)
#include "tst_globalversion.moc"

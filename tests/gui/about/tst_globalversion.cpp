#include "gui/Preferences.h"
#include "gui/about/Emblems.h"
#include "gui/about/GlobalVersion.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QList<int> visibleEmblems(const GlobalVersion &box)
{
    QList<int> shown;
    for (int i = 0; i < family::TitleCount; ++i) {
        auto *emblem = box.findChild<QLabel *>(QStringLiteral("Image2_%1").arg(i));
        if (emblem != nullptr && emblem->isVisible())
            shown << i;
    }
    return shown;
}

struct Seen
{
    QString caption;
    QString title;
    QList<int> emblems;
    QImage emblem;
};

// Opens the box as the About command does and answers it with OK.
Seen openAboutQuorix(QWidget *owner)
{
    Seen seen;
    GlobalVersion box(owner);
    box.AppNo = 1;
    QTimer::singleShot(0, owner, [&] {
        auto *shown = qobject_cast<GlobalVersion *>(QApplication::activeModalWidget());
        if (shown == nullptr)
            return;
        seen.caption = shown->windowTitle();
        seen.title = shown->findChild<QLabel *>(QStringLiteral("Label2"))->text();
        seen.emblems = visibleEmblems(*shown);
        if (!seen.emblems.isEmpty())
            seen.emblem =
                shown->findChild<QLabel *>(QStringLiteral("Image2_%1").arg(seen.emblems.first()))
                    ->pixmap()
                    .toImage();
        QTest::mouseClick(shown->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    });
    box.exec();
    return seen;
}

} // namespace

class GlobalVersionTest : public QObject
{
    Q_OBJECT

private slots:
    void aboutQuorixTwiceShowsTheSame();
    void eachEntryShowsItsTitleAndEmblem_data();
    void eachEntryShowsItsTitleAndEmblem();
    void entryOutsideTheTablesShowsNoEmblem_data();
    void entryOutsideTheTablesShowsNoEmblem();
    void titlesAndEmblemsAreDistinct();
    void positionOnScreen_data();
    void positionOnScreen();
};

void GlobalVersionTest::aboutQuorixTwiceShowsTheSame()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    const Seen first = openAboutQuorix(&owner);
    const Seen second = openAboutQuorix(&owner);
    QCOMPARE(first.caption, QStringLiteral("About Quorix"));
    QCOMPARE(first.title, QStringLiteral("Quorix"));
    QCOMPARE(first.emblems, QList<int>{1});
    QCOMPARE(second.caption, first.caption);
    QCOMPARE(second.emblems, first.emblems);
    QVERIFY(!first.emblem.isNull());
    QCOMPARE(second.emblem, first.emblem);
}

void GlobalVersionTest::eachEntryShowsItsTitleAndEmblem_data()
{
    QTest::addColumn<int>("appNo");
    for (int i = 0; i < family::TitleCount; ++i)
        QTest::addRow("entry %d", i) << i;
}

void GlobalVersionTest::eachEntryShowsItsTitleAndEmblem()
{
    QFETCH(int, appNo);
    GlobalVersion box;
    box.AppNo = static_cast<qint16>(appNo);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.windowTitle(), QStringLiteral("About ") + family::Title(appNo));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("Label2"))->text(), family::Title(appNo));
    QCOMPARE(visibleEmblems(box), QList<int>{appNo});
}

void GlobalVersionTest::entryOutsideTheTablesShowsNoEmblem_data()
{
    QTest::addColumn<int>("appNo");
    QTest::newRow("-1") << -1;
    QTest::newRow("13") << 13;
}

void GlobalVersionTest::entryOutsideTheTablesShowsNoEmblem()
{
    QFETCH(int, appNo);
    GlobalVersion box;
    box.AppNo = static_cast<qint16>(appNo);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(visibleEmblems(box).isEmpty());
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
}

void GlobalVersionTest::titlesAndEmblemsAreDistinct()
{
    QStringList titles;
    QList<QImage> emblems;
    for (int i = 0; i < family::TitleCount; ++i) {
        QVERIFY(!family::Title(i).isEmpty());
        QVERIFY2(!titles.contains(family::Title(i)), qPrintable(family::Title(i)));
        titles << family::Title(i);
        const QImage emblem = family::DrawEmblem(i, 48).toImage();
        QCOMPARE(emblem.size(), QSize(48, 48));
        for (int j = 0; j < emblems.size(); ++j)
            QVERIFY2(emblem != emblems.at(j), qPrintable(QStringLiteral("%1 = %2").arg(i).arg(j)));
        emblems << emblem;
    }
    QCOMPARE(family::Title(family::QuorixEntry), QStringLiteral("Quorix"));
    QVERIFY(family::DrawEmblem(family::TitleCount, 48).isNull());
}

void GlobalVersionTest::positionOnScreen_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("room to spare") << QRect(0, 0, 1024, 768) << QSize(420, 260) << QPoint(302, 254);
    QTest::newRow("screen narrower than the box")
        << QRect(0, 0, 320, 480) << QSize(420, 260) << QPoint(0, 110);
    QTest::newRow("screen lower than the box")
        << QRect(0, 0, 640, 200) << QSize(420, 260) << QPoint(110, 0);
    QTest::newRow("screen smaller both ways")
        << QRect(0, 0, 320, 200) << QSize(420, 260) << QPoint(0, 0);
    QTest::newRow("second screen, too small")
        << QRect(1920, 0, 320, 200) << QSize(420, 260) << QPoint(1920, 0);
}

void GlobalVersionTest::positionOnScreen()
{
    QFETCH(QRect, screen);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, position);
    QCOMPARE(CentredOnScreen(screen, dialog, true), position);
}

QTEST_MAIN(GlobalVersionTest)
#include "tst_globalversion.moc"

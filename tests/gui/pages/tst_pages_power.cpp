#include "PageFixture.h"

#include <QComboBox>
#include <QTimeEdit>
#include <QtTest>

using powergraph::AlwaysOn;
using powergraph::AutoOff;
using powergraph::Custom;

class TestPowerPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<PageFixture>(); }
    void cleanup() { f.reset(); }

    void graphBars_data();
    void graphBars();
    void barsArePaintedInTheirColours();
    void framesFollowStandbyMode_data();
    void framesFollowStandbyMode();
    void autoOffKeepsTheBarsAsTheyWere();
    void check_data();
    void check();

private:
    // The mode first, so the graph has to follow the pickers' own changes.
    void show(int mode, QTime on, QTime off)
    {
        f->power.PowerStandby()->setCurrentIndex(mode);
        f->power.DTP_Power(0)->setTime(on);
        f->power.DTP_Power(1)->setTime(off);
    }

    std::unique_ptr<PageFixture> f;
};

void TestPowerPage::graphBars_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QTime>("on");
    QTest::addColumn<QTime>("off");
    QTest::addColumn<double>("left0");
    QTest::addColumn<double>("width0");
    QTest::addColumn<bool>("bar1Shown");
    QTest::addColumn<double>("left1");
    QTest::addColumn<double>("width1");

    // 205 twips per hour: the 4935-twip bar area divided by 24, rounded down.
    QTest::newRow("office hours") << int(Custom) << QTime(8, 0) << QTime(17, 0) << 1640.0 << 1845.0
                                  << false << 0.0 << 0.0;
    QTest::newRow("across midnight ends flush right")
        << int(Custom) << QTime(22, 0) << QTime(6, 0) << 4525.0 << 410.0 << true << 0.0 << 1230.0;
    QTest::newRow("equal times give no bar")
        << int(Custom) << QTime(7, 30) << QTime(7, 30) << 1537.5 << 0.0 << false << 0.0 << 0.0;
    QTest::newRow("minutes are fractions of an hour")
        << int(Custom) << QTime(0, 15) << QTime(23, 45) << 51.25 << 4817.5 << false << 0.0 << 0.0;
    QTest::newRow("from midnight to one minute before")
        << int(Custom) << QTime(23, 59) << QTime(0, 0) << 4935.0 - 205.0 / 60 << 205.0 / 60 << true
        << 0.0 << 0.0;
    QTest::newRow("always on lights the whole area")
        << int(AlwaysOn) << QTime(22, 0) << QTime(6, 0) << 0.0 << 4935.0 << false << 0.0 << 0.0;
}

void TestPowerPage::graphBars()
{
    QFETCH(int, mode);
    QFETCH(QTime, on);
    QFETCH(QTime, off);
    QFETCH(double, left0);
    QFETCH(double, width0);
    QFETCH(bool, bar1Shown);
    QFETCH(double, left1);
    QFETCH(double, width1);

    show(mode, on, off);

    const powergraph::OnBars &bars = f->power.onBars();
    QVERIFY(bars.bar0.visible);
    QCOMPARE(bars.bar0.left, left0);
    QCOMPARE(bars.bar0.width, width0);
    QCOMPARE(bars.bar1.visible, bar1Shown);
    if (bar1Shown) {
        QCOMPARE(bars.bar1.left, left1);
        QCOMPARE(bars.bar1.width, width1);
    }
}

void TestPowerPage::barsArePaintedInTheirColours()
{
    show(Custom, QTime(22, 0), QTime(6, 0));
    QWidget *area = f->power.barArea();
    const QImage image = area->grab().toImage();
    const int middle = image.height() / 2;
    // 15 twips per pixel at 96 dpi; sample well inside each hour.
    auto colourAt = [&](double hour) {
        const int x = int(std::lround((hour * 205) * area->logicalDpiX() / 1440.0));
        return QColor(image.pixel(x, middle));
    };
    const QColor on(255, 255, 192);
    const QColor off(128, 128, 128);
    QCOMPARE(colourAt(3), on);
    QCOMPARE(colourAt(12), off);
    QCOMPARE(colourAt(21.5), off);
    QCOMPARE(colourAt(23), on);
    // The late bar reaches the area's right edge, past 24 x 205 twips.
    QCOMPARE(QColor(image.pixel(image.width() - 1, middle)), on);
}

void TestPowerPage::framesFollowStandbyMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("wait");
    QTest::addColumn<bool>("times");

    QTest::newRow("Always On") << int(AlwaysOn) << false << false;
    QTest::newRow("Auto Off") << int(AutoOff) << true << false;
    QTest::newRow("Custom") << int(Custom) << true << true;
}

void TestPowerPage::framesFollowStandbyMode()
{
    QFETCH(int, mode);
    QFETCH(bool, wait);
    QFETCH(bool, times);

    for (int from : {AlwaysOn, AutoOff, Custom}) {
        if (from == mode)
            continue;
        f->power.PowerStandby()->setCurrentIndex(from);
        f->power.PowerStandby()->setCurrentIndex(mode);
        QCOMPARE(f->power.waitTimeFrame()->isVisibleTo(&f->power), wait);
        QCOMPARE(f->power.onTimeFrame()->isVisibleTo(&f->power), times);
        QCOMPARE(f->power.offTimeFrame()->isVisibleTo(&f->power), times);
        QCOMPARE(f->power.graphFrame()->isVisibleTo(&f->power), times);
    }

    // A cleared selection leaves every frame as it was.
    f->power.PowerStandby()->setCurrentIndex(-1);
    QCOMPARE(f->power.waitTimeFrame()->isVisibleTo(&f->power), wait);
    QCOMPARE(f->power.graphFrame()->isVisibleTo(&f->power), times);
}

void TestPowerPage::autoOffKeepsTheBarsAsTheyWere()
{
    show(Custom, QTime(8, 0), QTime(17, 0));
    f->power.PowerStandby()->setCurrentIndex(AlwaysOn);
    f->power.PowerStandby()->setCurrentIndex(AutoOff);
    QCOMPARE(f->power.onBars().bar0.width, 4935.0);

    // Back in Custom the bars follow the pickers again.
    f->power.PowerStandby()->setCurrentIndex(Custom);
    QCOMPARE(f->power.onBars().bar0.left, 1640.0);
    QCOMPARE(f->power.onBars().bar0.width, 1845.0);
}

void TestPowerPage::check_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QTime>("on");
    QTest::addColumn<QTime>("off");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("custom, equal times") << int(Custom) << QTime(7, 30) << QTime(7, 30) << false;
    QTest::newRow("custom, same hour") << int(Custom) << QTime(7, 30) << QTime(7, 31) << true;
    QTest::newRow("custom, same minute") << int(Custom) << QTime(7, 30) << QTime(8, 30) << true;
    QTest::newRow("custom, across midnight") << int(Custom) << QTime(22, 0) << QTime(6, 0) << true;
    QTest::newRow("always on, equal times")
        << int(AlwaysOn) << QTime(7, 30) << QTime(7, 30) << true;
    QTest::newRow("auto off, equal times") << int(AutoOff) << QTime(0, 0) << QTime(0, 0) << true;
}

void TestPowerPage::check()
{
    QFETCH(int, mode);
    QFETCH(QTime, on);
    QFETCH(QTime, off);
    QFETCH(bool, accepted);

    show(mode, on, off);
    QCOMPARE(f->power.CheckPowerPage(), accepted);
    QCOMPARE(f->binding.CheckPowerPage(), accepted);
    const QStringList expected =
        accepted ? QStringList{}
                 : QStringList{QStringLiteral("Specify ON/OFF or different time."),
                               QStringLiteral("Specify ON/OFF or different time.")};
    QCOMPARE(f->boxes.shown, expected);
    // The check changes nothing.
    QCOMPARE(f->power.DTP_Power(0)->time(), on);
    QCOMPARE(f->power.DTP_Power(1)->time(), off);
    QCOMPARE(f->power.PowerStandby()->currentIndex(), mode);
}

QTEST_MAIN(TestPowerPage)
#include "tst_pages_power.moc"

#include "core/PlacementText.h"

#include <QtTest>

#include <climits>

class PlacementTextTest : public QObject
{
    Q_OBJECT

    static QString text(const WindowPlacement &p)
    {
        return QString::fromStdString(FormatPlacement(p));
    }

private slots:
    // Show, bottom, left, right, top; a blank before a number of 0 or more.
    void formatAndReadBack()
    {
        WindowPlacement p, read;
        p.showCmd = 3;
        p.normalPosition = {INT_MIN, INT_MAX, 0, -8};
        QCOMPARE(text(p), " 3,-8,-2147483648, 0, 2147483647");
        QVERIFY(ParsePlacement(FormatPlacement(p), read) && text(read) == text(p));
        QVERIFY(ParsePlacement("  2 ,500 ,+100 , 700,50  ", read));
        QCOMPARE(text(read), " 2, 500, 100, 700, 50");
    }

    // Text that is not five whole 32-bit numbers leaves the record as it was.
    void parseRefuses()
    {
        for (const char *bad : {"", " 1, 5, 1, 7", " 1, 5, 1, 7, 5, 3", " 1,, 1, 7, 5",
                                " 1, 5, 1px, 7, 5", " 1, 5, 1.5, 7, 5", " 1, 5, 1 0, 7, 5",
                                " 1, 5, 2147483648, 7, 5", " 1, 5, -, 7, 5"}) {
            WindowPlacement p;
            p.normalPosition = {1, 2, 3, 4};
            QVERIFY2(!ParsePlacement(bad, p), bad);
            QCOMPARE(text(p), " 1, 4, 1, 3, 2");
        }
    }

    void flagText()
    {
        for (const char *one : {" 1", "1", "1.0"})
            QVERIFY2(FlagTextSuppresses(one), one);
        for (const char *other : {" 0", " 2", "-1", "", "yes", "1x", "1 1"})
            QVERIFY2(!FlagTextSuppresses(other), other);
    }

    void centredOrigin()
    {
        const auto origin = [](QSize screen, QSize window, bool clamp) {
            const auto p = CentredOrigin(screen.width(), screen.height(), window.width(),
                                         window.height(), clamp);
            return QPoint(p.x, p.y);
        };
        QCOMPARE(origin({801, 600}, {300, 201}, true), QPoint(251, 200)); // halves rounded once
        QCOMPARE(origin({640, 480}, {800, 700}, true), QPoint(0, 0));
        QCOMPARE(origin({640, 480}, {800, 700}, false), QPoint(-80, -110));
    }
};

QTEST_APPLESS_MAIN(PlacementTextTest)
#include "tst_placementtext.moc"

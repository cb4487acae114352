#include "app/PlacementText.h"

#include <QtTest>

#include <climits>

namespace {

WindowPlacement placement(int show, int left, int top, int right, int bottom)
{
    WindowPlacement p;
    p.showCmd = show;
    p.normalPosition = {left, top, right, bottom};
    return p;
}

} // namespace

class PlacementTextTest : public QObject
{
    Q_OBJECT

private slots:
    void formatPlacement_data();
    void formatPlacement();
    void parseReadsWhatFormatWrote_data() { formatPlacement_data(); }
    void parseReadsWhatFormatWrote();
    void parseAcceptsBlanksAndSigns_data();
    void parseAcceptsBlanksAndSigns();
    void parseRejectsMalformedText_data();
    void parseRejectsMalformedText();
    void flagText_data();
    void flagText();
    void centredOrigin_data();
    void centredOrigin();
};

void PlacementTextTest::formatPlacement_data()
{
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QString>("text");

    // Order is show, bottom, left, right, top.
    QTest::newRow("normal window") << 1 << 100 << 50 << 700 << 500 << " 1, 500, 100, 700, 50";
    QTest::newRow("closed at -8,-8") << 1 << -8 << -8 << 560 << 300 << " 1, 300,-8, 560,-8";
    QTest::newRow("minimised") << 2 << 40 << 30 << 640 << 330 << " 2, 330, 40, 640, 30";
    QTest::newRow("maximised") << 3 << 0 << 0 << 1 << 1 << " 3, 1, 0, 1, 0";
    QTest::newRow("left of the primary screen")
        << 1 << -1920 << 10 << -1000 << 400 << " 1, 400,-1920,-1000, 10";
    QTest::newRow("extremes") << 1 << INT_MIN << INT_MAX << 0 << -1
                              << " 1,-1,-2147483648, 0, 2147483647";
}

void PlacementTextTest::formatPlacement()
{
    QFETCH(int, show);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(FormatPlacement(placement(show, left, top, right, bottom))),
             text);
}

void PlacementTextTest::parseReadsWhatFormatWrote()
{
    QFETCH(int, show);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(QString, text);

    WindowPlacement read;
    QVERIFY(ParsePlacement(text.toStdString(), read));
    QCOMPARE(read.showCmd, show);
    QCOMPARE(read.normalPosition.left, left);
    QCOMPARE(read.normalPosition.top, top);
    QCOMPARE(read.normalPosition.right, right);
    QCOMPARE(read.normalPosition.bottom, bottom);
}

void PlacementTextTest::parseAcceptsBlanksAndSigns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");

    QTest::newRow("no blanks") << "1,500,100,700,50" << 1 << 100 << 50;
    QTest::newRow("blanks both sides") << "  2 , 500 ,100 , 700,  50  " << 2 << 100 << 50;
    QTest::newRow("plus sign") << "+1,+5,+6,+7,+8" << 1 << 6 << 8;
    QTest::newRow("blank before minus") << " 1, 9, -8, 9, -8" << 1 << -8 << -8;
}

void PlacementTextTest::parseAcceptsBlanksAndSigns()
{
    QFETCH(QString, text);
    QFETCH(int, show);
    QFETCH(int, left);
    QFETCH(int, top);

    WindowPlacement read;
    QVERIFY(ParsePlacement(text.toStdString(), read));
    QCOMPARE(read.showCmd, show);
    QCOMPARE(read.normalPosition.left, left);
    QCOMPARE(read.normalPosition.top, top);
}

void PlacementTextTest::parseRejectsMalformedText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blank") << " ";
    QTest::newRow("four fields") << " 1, 500, 100, 700";
    QTest::newRow("four fields, trailing comma") << " 1, 500, 100, 700,";
    QTest::newRow("one field") << " 1";
    QTest::newRow("six fields") << " 1, 500, 100, 700, 50, 3";
    QTest::newRow("empty field") << " 1,, 100, 700, 50";
    QTest::newRow("word") << " 1, 500, left, 700, 50";
    QTest::newRow("number and text") << " 1, 500, 100px, 700, 50";
    QTest::newRow("fraction") << " 1, 500, 100.5, 700, 50";
    QTest::newRow("two numbers in a field") << " 1, 500, 1 00, 700, 50";
    QTest::newRow("beyond 32 bits") << " 1, 500, 2147483648, 700, 50";
    QTest::newRow("semicolons") << " 1; 500; 100; 700; 50";
    QTest::newRow("sign alone") << " 1, 500, -, 700, 50";
}

void PlacementTextTest::parseRejectsMalformedText()
{
    QFETCH(QString, text);
    WindowPlacement read = placement(7, 11, 12, 13, 14);
    QVERIFY(!ParsePlacement(text.toStdString(), read));
    // The caller falls back to its defaults; the record is left as it was.
    QCOMPARE(read.showCmd, 7);
    QCOMPARE(read.normalPosition.left, 11);
    QCOMPARE(read.normalPosition.top, 12);
    QCOMPARE(read.normalPosition.right, 13);
    QCOMPARE(read.normalPosition.bottom, 14);
}

void PlacementTextTest::flagText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("suppressed");

    QTest::newRow("written by the program") << QString::fromStdString(FormatPrefNumber(1)) << true;
    QTest::newRow("1 with leading blank") << " 1" << true;
    QTest::newRow("1 without blank") << "1" << true;
    QTest::newRow("1 as decimal") << "1.0" << true;
    QTest::newRow("0") << " 0" << false;
    QTest::newRow("2") << " 2" << false;
    QTest::newRow("-1") << "-1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("word") << "yes" << false;
    QTest::newRow("number and text") << "1x" << false;
    QTest::newRow("two numbers") << "1 1" << false;
}

void PlacementTextTest::flagText()
{
    QFETCH(QString, text);
    QFETCH(bool, suppressed);
    QCOMPARE(FlagTextSuppresses(text.toStdString()), suppressed);
}

void PlacementTextTest::centredOrigin_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("clamp");
    QTest::addColumn<QPoint>("origin");

    QTest::newRow("fits") << QSize(1024, 768) << QSize(400, 300) << true << QPoint(312, 234);
    QTest::newRow("odd difference rounds once")
        << QSize(800, 600) << QSize(301, 201) << true << QPoint(250, 200);
    QTest::newRow("too wide, kept on screen")
        << QSize(640, 480) << QSize(800, 300) << true << QPoint(0, 90);
    QTest::newRow("too tall, kept on screen")
        << QSize(640, 480) << QSize(300, 700) << true << QPoint(170, 0);
    QTest::newRow("too large, not kept")
        << QSize(640, 480) << QSize(800, 700) << false << QPoint(-80, -110);
}

void PlacementTextTest::centredOrigin()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(bool, clamp);
    QFETCH(QPoint, origin);
    const PlacementPoint p =
        CentredOrigin(screen.width(), screen.height(), window.width(), window.height(), clamp);
    QCOMPARE(QPoint(p.x, p.y), origin);
}

QTEST_APPLESS_MAIN(PlacementTextTest)
#include "tst_placementtext.moc"

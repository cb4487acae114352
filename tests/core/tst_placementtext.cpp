#include "core/PlacementText.h"

#include <QtTest>

#include <climits>

using Fields = QList<int>; // show, left, top, right, bottom

namespace {

Fields fieldsOf(const WindowPlacement &p)
{
    const auto &r = p.normalPosition;
    return {p.showCmd, r.left, r.top, r.right, r.bottom};
}

} // namespace

class PlacementTextTest : public QObject
{
    Q_OBJECT

private slots:
    void formatAndReadBack_data();
    void formatAndReadBack();
    void parse_data();
    void parse();
    void flagText_data();
    void flagText();
    void centredOrigin_data();
    void centredOrigin();
};

void PlacementTextTest::formatAndReadBack_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("text");

    // Order is show, bottom, left, right, top.
    QTest::newRow("normal window") << Fields{1, 100, 50, 700, 500} << " 1, 500, 100, 700, 50";
    QTest::newRow("closed at -8,-8") << Fields{1, -8, -8, 560, 300} << " 1, 300,-8, 560,-8";
    QTest::newRow("minimised") << Fields{2, 40, 30, 640, 330} << " 2, 330, 40, 640, 30";
    QTest::newRow("maximised") << Fields{3, 0, 0, 1, 1} << " 3, 1, 0, 1, 0";
    QTest::newRow("left of the primary screen")
        << Fields{1, -1920, 10, -1000, 400} << " 1, 400,-1920,-1000, 10";
    QTest::newRow("extremes") << Fields{1, INT_MIN, INT_MAX, 0, -1}
                              << " 1,-1,-2147483648, 0, 2147483647";
}

void PlacementTextTest::formatAndReadBack()
{
    QFETCH(Fields, fields);
    QFETCH(QString, text);
    WindowPlacement p;
    p.showCmd = fields[0];
    p.normalPosition = {fields[1], fields[2], fields[3], fields[4]};
    QCOMPARE(QString::fromStdString(FormatPlacement(p)), text);

    WindowPlacement read;
    QVERIFY(ParsePlacement(text.toStdString(), read));
    QCOMPARE(fieldsOf(read), fields);
}

void PlacementTextTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Fields>("read"); // empty: rejected

    QTest::newRow("no blanks") << "1,500,100,700,50" << Fields{1, 100, 50, 700, 500};
    QTest::newRow("blanks both sides")
        << "  2 , 500 ,100 , 700,  50  " << Fields{2, 100, 50, 700, 500};
    QTest::newRow("plus sign") << "+1,+5,+6,+7,+8" << Fields{1, 6, 8, 7, 5};
    QTest::newRow("blank before minus") << " 1, 9, -8, 9, -8" << Fields{1, -8, -8, 9, 9};

    for (const char *bad :
         {"", " ", " 1, 500, 100, 700", " 1, 500, 100, 700,", " 1", " 1, 500, 100, 700, 50, 3",
          " 1,, 100, 700, 50", " 1, 500, left, 700, 50", " 1, 500, 100px, 700, 50",
          " 1, 500, 100.5, 700, 50", " 1, 500, 1 00, 700, 50", " 1, 500, 2147483648, 700, 50",
          " 1; 500; 100; 700; 50", " 1, 500, -, 700, 50"})
        QTest::addRow("rejects \"%s\"", bad) << QString::fromLatin1(bad) << Fields{};
}

void PlacementTextTest::parse()
{
    QFETCH(QString, text);
    QFETCH(Fields, read);
    WindowPlacement record;
    record.showCmd = 7;
    record.normalPosition = {11, 12, 13, 14};
    QCOMPARE(ParsePlacement(text.toStdString(), record), !read.isEmpty());
    // On failure the caller falls back to its defaults; the record is left as it was.
    QCOMPARE(fieldsOf(record), read.isEmpty() ? Fields({7, 11, 12, 13, 14}) : read);
}

void PlacementTextTest::flagText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("suppressed");

    QTest::newRow("written by the program") << QString::fromStdString(FormatPrefNumber(1)) << true;
    QTest::newRow("1 with leading blank") << " 1" << true;
    QTest::newRow("1 without blank") << "1" << true;
    QTest::newRow("1 as decimal") << "1.0" << true;
    for (const char *other : {" 0", " 2", "-1", "", "yes", "1x", "1 1"})
        QTest::addRow("\"%s\"", other) << QString::fromLatin1(other) << false;
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

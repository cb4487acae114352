// The melody editor's parts: what an edit may set and where the piano roll draws a note.
#include "gui/melodies/MelodyOperations.h"
#include "gui/melodies/MelodyTableModel.h"
#include "gui/melodies/PianoRoll.h"

#include <QUndoStack>
#include <QtTest>

using Col = MelodyTableModel::Column;

class TestMelodyEditor : public QObject
{
    Q_OBJECT

private slots:
    // A record after one column is set: values outside the format's ranges are refused, a
    // rest has note 0, and a rest given a note or quarters sounds.
    void edit_data()
    {
        QTest::addColumn<QList<int>>("before"); // note, length, sounded
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("after"); // empty: refused
        const QList<int> a4{35, 4, 3}, rest{0, 2, 0};
        QTest::newRow("pitch") << a4 << int(Col::NoteColumn) << 102 << QList<int>{102, 4, 3};
        QTest::newRow("above E10") << a4 << int(Col::NoteColumn) << 103 << QList<int>{};
        QTest::newRow("to a rest") << a4 << int(Col::NoteColumn) << -1 << QList<int>{0, 4, 0};
        QTest::newRow("below rest") << a4 << int(Col::NoteColumn) << -2 << QList<int>{};
        QTest::newRow("rest to a note")
            << rest << int(Col::NoteColumn) << 38 << QList<int>{38, 2, 3};
        QTest::newRow("16 units") << a4 << int(Col::LengthColumn) << 16 << QList<int>{35, 16, 3};
        QTest::newRow("17 units") << a4 << int(Col::LengthColumn) << 17 << QList<int>{};
        QTest::newRow("no units") << a4 << int(Col::LengthColumn) << 0 << QList<int>{};
        QTest::newRow("5 quarters") << a4 << int(Col::SoundedColumn) << 5 << QList<int>{};
        QTest::newRow("silenced") << a4 << int(Col::SoundedColumn) << 0 << QList<int>{0, 4, 0};
        QTest::newRow("rest sounds")
            << rest << int(Col::SoundedColumn) << 2 << QList<int>{35, 2, 2};
    }

    void edit()
    {
        QFETCH(QList<int>, before);
        QFETCH(int, column);
        QFETCH(int, value);
        QFETCH(QList<int>, after);
        const MelodyRecord record{std::uint8_t(before[0]), std::uint8_t(before[1]),
                                  std::uint8_t(before[2])};
        const auto edited = MelodyTableModel::edited(record, column, value);
        const QList<int> got =
            edited ? QList<int>({edited->note, edited->length, edited->sounded}) : QList<int>();
        QCOMPARE(got, after);
    }

    // Changes of selected rows of notes 30..35 (rest at 33): what is left, what is selected
    // next; one undo step brings the melody back.
    void operations_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("after"); // empty: refused
        QTest::addColumn<QList<int>>("selected");
        QTest::newRow("delete runs")
            << "delete" << QList<int>{1, 3, 4} << "30 32 35" << QList<int>{1, 1};
        QTest::newRow("delete the end")
            << "delete" << QList<int>{5} << "30 31 32 r 34" << QList<int>{4, 4};
        QTest::newRow("insert a copy")
            << "insert" << QList<int>{0, 1} << "30 31 31 32 r 34 35" << QList<int>{2, 2};
        QTest::newRow("move down")
            << "down" << QList<int>{3, 4} << "30 31 32 35 r 34" << QList<int>{4, 5};
        QTest::newRow("move past the start") << "up" << QList<int>{0, 1} << "" << QList<int>{};
        QTest::newRow("move with a gap") << "up" << QList<int>{2, 4} << "" << QList<int>{};
        QTest::newRow("transpose rows")
            << "transpose" << QList<int>{0, 3} << "31 31 32 r 34 35" << QList<int>{};
    }

    void operations()
    {
        QFETCH(QString, op);
        QFETCH(QList<int>, rows);
        QUndoStack stack;
        const Melody before{
            8, {{30, 1, 4}, {31, 1, 4}, {32, 1, 4}, {0, 1, 0}, {34, 1, 4}, {35, 1, 4}}};
        MelodyTableModel model(before, stack);
        std::optional<melodyops::Rows> selected;
        if (op == u"delete")
            selected = melodyops::deleteNotes(model, rows);
        else if (op == u"insert")
            selected = melodyops::insertNote(model, rows);
        else if (op == u"transpose")
            QVERIFY(melodyops::transpose(model, 1, rows));
        else
            selected = melodyops::moveNotes(model, rows, op == u"up" ? -1 : 1);
        QStringList notes;
        for (const MelodyRecord &r : model.melody().records)
            notes << (r.isRest() ? QStringLiteral("r") : QString::number(r.note));
        QTEST(stack.count() ? notes.join(u' ') : QString(), "after");
        const QList<int> select =
            selected ? QList<int>({selected->first, selected->last}) : QList<int>();
        QTEST(select, "selected");
        stack.undo();
        QVERIFY(model.melody() == before);
    }

    // Notes A4, C5 and B4 around a rest at 80 pixels high: three semitones' rows of 20.
    void rollGeometry_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QRectF>("bar");
        QTest::newRow("lowest, fully sounded") << 0 << QRectF(0, 60, 48, 20);
        QTest::newRow("rest") << 1 << QRectF();
        QTest::newRow("highest, half sounded") << 2 << QRectF(72, 0, 48, 20);
        QTest::newRow("three quarters of 16") << 3 << QRectF(168, 20, 144, 20);
    }

    void rollGeometry()
    {
        QFETCH(int, record);
        const Melody melody{8, {{35, 4, 4}, {0, 2, 0}, {38, 8, 2}, {37, 16, 3}}};
        const RollGeometry geometry(melody, 80);
        QTEST(geometry.noteRect(std::size_t(record)), "bar");
        QCOMPARE(geometry.spanRect(1, 2), QRectF(48, 0, 120, 80));
        QCOMPARE(geometry.width(), 360);
    }
};

QTEST_MAIN(TestMelodyEditor)
#include "tst_melodyeditor.moc"

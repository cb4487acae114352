// The history's rules on a temporary folder: one folder per snapshot named by its second,
// newest first, no repeat of the newest, the newest 100 kept, leftovers of killed writes gone.

#include "settings/SettingsHistory.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

using namespace Qt::StringLiterals;

class TestSettingsHistory : public QObject
{
    Q_OBJECT

private slots:
    void store_data();
    void store();
};

void TestSettingsHistory::store_data()
{
    QTest::addColumn<QByteArray>("contents"); // one store a letter, each letter a distinct pair
    QTest::addColumn<QList<int>>("seconds");  // when each store happens, after 12:00:00
    QTest::addColumn<QStringList>("ids");     // newest, oldest, count
    QList<int> hundredAndTwo(102);
    std::iota(hundredAndTwo.begin(), hundredAndTwo.end(), 0);

    QTest::newRow("repeats of the newest are not kept, of older ones they are")
        << QByteArray("AABA") << QList<int>{0, 1, 2, 3}
        << QStringList{u"20240501-120003"_s, u"20240501-120000"_s, u"3"_s};
    QTest::newRow("a repeat of the newest still clears a leftover")
        << QByteArray("AA") << QList<int>{0, 1}
        << QStringList{u"20240501-120000"_s, u"20240501-120000"_s, u"1"_s};
    QTest::newRow("several in one second, -10 after -9")
        << QByteArray("AB").repeated(5) << QList<int>(10, 0)
        << QStringList{u"20240501-120000-10"_s, u"20240501-120000"_s, u"10"_s};
    QTest::newRow("newest 100 kept")
        << QByteArray("AB").repeated(51) << hundredAndTwo
        << QStringList{u"20240501-120141"_s, u"20240501-120002"_s, u"100"_s};
}

void TestSettingsHistory::store()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<int>, seconds);
    QFETCH(QStringList, ids);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"notes"_s))); // a folder that is not the history's
    qsizetype i = 0;
    SettingsHistory history(
        dir.path(), [&] { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)).addSecs(seconds[i]); });
    for (QString error; i < contents.size(); ++i) {
        // A write killed before its snapshot was whole, just before the last store.
        if (i == contents.size() - 1)
            QVERIFY(QDir().mkpath(dir.filePath(u".snapshot.quorix-tmp"_s)));
        QVERIFY(!history.store(QByteArray(256, contents[i]), QByteArray(76, contents[i]), &error)
                     .isEmpty());
    }

    const QList<SettingsHistory::Snapshot> list = history.list();
    QCOMPARE((QStringList{list.first().id, list.last().id, QString::number(list.size())}), ids);
    QByteArray system, weekly;
    QVERIFY(SettingsHistory::read(list.first(), system, weekly));
    QCOMPARE(system + weekly, QByteArray(332, contents.back()));
    // The leftover is gone; the lock file and the folder that is not a snapshot stay.
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                 .filter(QRegularExpression(u"^\\D"_s)),
             (QStringList{u".lock"_s, u"notes"_s}));
}

QTEST_GUILESS_MAIN(TestSettingsHistory)
#include "tst_settingshistory.moc"

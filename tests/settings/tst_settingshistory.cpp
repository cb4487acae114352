// The history's rules on a temporary folder: one folder per snapshot named by its second,
// newest first, no repeat of the newest, the newest 100 kept, leftovers of killed writes gone.

#include "settings/SettingsHistory.h"

#include <QDir>
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
    void damagedSnapshot();
};

void TestSettingsHistory::store_data()
{
    QTest::addColumn<QByteArray>("contents"); // one store a letter, each letter a distinct pair
    QTest::addColumn<QList<int>>("seconds");  // when each store happens, after 12:00:00
    QTest::addColumn<QStringList>("newest");  // the first ids of the list
    QTest::addColumn<QString>("oldest");
    QTest::addColumn<int>("count");

    QTest::newRow("first") << QByteArray("A") << QList<int>{0} << QStringList{u"20240501-120000"_s}
                           << u"20240501-120000"_s << 1;
    QTest::newRow("same as the newest is not kept again")
        << QByteArray("AA") << QList<int>{0, 5} << QStringList{u"20240501-120000"_s}
        << u"20240501-120000"_s << 1;
    QTest::newRow("same as an older one is kept")
        << QByteArray("ABA") << QList<int>{0, 1, 2}
        << QStringList{u"20240501-120002"_s, u"20240501-120001"_s} << u"20240501-120000"_s << 3;
    QTest::newRow("several in one second")
        << QByteArray("ABC") << QList<int>{0, 0, 0}
        << QStringList{u"20240501-120000-3"_s, u"20240501-120000-2"_s} << u"20240501-120000"_s << 3;
    QTest::newRow("-10 after -9") << QByteArray("ABABABABAB") << QList<int>(10, 0)
                                  << QStringList{u"20240501-120000-10"_s, u"20240501-120000-9"_s}
                                  << u"20240501-120000"_s << 10;
    QList<int> seconds(102);
    std::iota(seconds.begin(), seconds.end(), 0);
    QTest::newRow("newest 100 kept")
        << QByteArray("AB").repeated(51) << seconds
        << QStringList{u"20240501-120141"_s, u"20240501-120140"_s} << u"20240501-120002"_s << 100;
}

void TestSettingsHistory::store()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<int>, seconds);
    QFETCH(QStringList, newest);
    QFETCH(QString, oldest);
    QFETCH(int, count);

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("history"));
    // A write killed before its snapshot was whole, and a folder that is not the history's.
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/.snapshot.quorix-tmp")));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/notes")));
    const QDateTime noon(QDate(2024, 5, 1), QTime(12, 0));
    qsizetype i = 0;
    SettingsHistory history(folder, [&] { return noon.addSecs(seconds[i]); });

    for (; i < contents.size(); ++i) {
        QString error;
        const QString id = history.store(QByteArray(256, contents[i]),
                                         QByteArray(76, char(contents[i] + 1)), &error);
        QVERIFY2(!id.isEmpty(), qPrintable(error));
    }
    const QList<SettingsHistory::Snapshot> list = history.list();
    QCOMPARE(list.size(), count);
    for (qsizetype n = 0; n < newest.size(); ++n)
        QCOMPARE(list[n].id, newest[n]);
    QCOMPARE(list.last().id, oldest);
    QByteArray system, weekly;
    QVERIFY(SettingsHistory::read(list.first(), system, weekly));
    QCOMPARE(system + weekly,
             QByteArray(256, contents.back()) + QByteArray(76, char(contents.back() + 1)));
    // The leftover is gone; the lock file and "notes" stay.
    QCOMPARE(
        QDir(folder).entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{u".lock"_s});
    QVERIFY(QFileInfo::exists(folder + u"/notes"_s));
}

void TestSettingsHistory::damagedSnapshot()
{
    QTemporaryDir dir;
    SettingsHistory history(dir.path());
    QString error;
    const QString id = history.store(QByteArray(256, 'S'), QByteArray(76, 'W'), &error);
    QVERIFY(QFile::resize(dir.filePath(id + QStringLiteral("/weekly.ini")), 75));
    QByteArray system, weekly;
    QVERIFY(!SettingsHistory::read(*history.find(id), system, weekly));
    QVERIFY(!history.find(QStringLiteral("20240501-12000")));
}

QTEST_GUILESS_MAIN(TestSettingsHistory)
#include "tst_settingshistory.moc"

#include "gui/RaiseWindow.h"
#include "platform/SingleInstance.h"

#include <QtTest>
#include <QtWidgets>

#include <iostream>

using namespace Qt::StringLiterals;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    // A start while a copy runs elsewhere is a duplicate; the lock and socket of a killed copy
    // do not block the next one, which a later start asks to restore its window.
    void laterStartRaisesTheRunningCopy()
    {
        QTemporaryDir dir;
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {u"--hold"_s, dir.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(SingleInstance(u"quorix"_s, dir.path()).tryStart(), SingleInstance::Duplicate);
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(QFile::exists(dir.filePath(u"quorix.lock"_s)));

        SingleInstance running(u"quorix"_s, dir.path());
        QCOMPARE(running.tryStart(), SingleInstance::Primary);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        QTRY_VERIFY(window.isMinimized());
        connect(&running, &SingleInstance::showRequested, &window,
                [&] { RestoreAndRaise(&window); });
        QCOMPARE(SingleInstance(u"quorix"_s, dir.path()).tryStart(), SingleInstance::Duplicate);
        QTRY_VERIFY(!window.isMinimized());
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && argv[1] == std::string_view("--hold")) { // the other copy, until killed
        QCoreApplication app(argc, argv);
        SingleInstance holder(u"quorix"_s, QString::fromLocal8Bit(argv[2]));
        if (holder.tryStart() != SingleInstance::Primary)
            return 1;
        std::cout << "ready" << std::endl;
        for (;;)
            QThread::sleep(1);
    }
    QApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"

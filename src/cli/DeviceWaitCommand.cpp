#include "cli/Commands.h"

#include "devicelink/DeviceFinder.h"
#include "devicelink/MountWatcher.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <optional>

// Waits, without looking again and again, until a Tavion is among the mounts: the mount watch
// wakes the wait, and only then is the finder asked.
int deviceWait(const QStringList &args, CliContext &ctx)
{
    std::optional<int> seconds;
    if (args.size() == 2 && args[0] == u"--timeout") {
        bool ok = false;
        const int value = args[1].toInt(&ok);
        if (ok && value >= 0 && value <= 24 * 3600)
            seconds = value;
    }
    if (!args.isEmpty() && !seconds) {
        ctx.err << "quorixctl: usage: quorixctl device wait [--timeout SECONDS] (0 to 86400)\n";
        return ExitUsage;
    }

    const DeviceFinder::Places places = DeviceFinder::Places::fromEnvironment(ctx.env);
    const DeviceFinder finder(places);
    // Watching starts before the first look, so a Tavion mounted in between is not missed.
    MountWatcher mounts(places.mountTable, places.runtimeDir.isEmpty()
                                               ? QString()
                                               : places.runtimeDir + QStringLiteral("/gvfs"));
    if (!finder.find().isEmpty())
        return ExitOk;

    QEventLoop loop;
    bool found = false;
    QObject::connect(&mounts, &MountWatch::mountsChanged, &loop, [&] {
        if (finder.find().isEmpty())
            return;
        found = true;
        loop.quit();
    });
    QTimer timeout;
    if (seconds) {
        timeout.setSingleShot(true);
        timeout.setTimerType(Qt::PreciseTimer); // a coarse one may end up to 5% early
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(std::chrono::seconds(*seconds));
    }
    loop.exec();
    if (found)
        return ExitOk;
    ctx.err << "quorixctl: device wait: no Tavion was plugged in within " << *seconds
            << (*seconds == 1 ? " second\n" : " seconds\n");
    return ExitDeviceFailure;
}

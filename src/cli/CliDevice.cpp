#include "cli/CliDevice.h"

CliDevice::CliDevice(const QProcessEnvironment &env)
    : mapper(PathMapper::prefixFromEnvironment(env)),
      link(mapper, DirectoryDeviceLink::settingsFrom(env))
{
}

std::optional<int> deviceUnreachable(CliContext &ctx, const CliDevice &device, const QString &step)
{
    const QString problem = device.link.rootProblem();
    if (!problem.isEmpty()) {
        ctx.err << "quorixctl: " << step << ": " << problem << '\n';
        return ExitDeviceFailure;
    }
    const QString found = device.link.foundRoot();
    if (!found.isEmpty())
        ctx.err << "quorixctl: using the Tavion found at " << found << '\n';
    return std::nullopt;
}

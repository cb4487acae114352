#pragma once

#include "cli/CliContext.h"

#include "devicelink/DirectoryDeviceLink.h"
#include "platform/PathMapper.h"

#include <optional>

// The link the command line uses: the device root comes from the injected environment
// ($TAVION_DEVICE_ROOT), the link's settings, or else the one Tavion found among the mounts, as
// in the window. PC paths are always host paths here.
struct CliDevice
{
    explicit CliDevice(const QProcessEnvironment &env);
    PathMapper mapper;
    DirectoryDeviceLink link;
};

// Every device command first makes sure there is a device to talk to: nullopt when there is
// (naming the folder on stderr when it was found rather than set), else ExitDeviceFailure
// after one line naming the step and the problem.
std::optional<int> deviceUnreachable(CliContext &ctx, const CliDevice &device, const QString &step);

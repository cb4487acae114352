#pragma once

// The exit statuses quorix and quorixctl share.
enum ExitStatus : int
{
    ExitOk = 0,
    ExitBadInput = 1,
    ExitUsage = 2,
    ExitNoInstallation = 3, // the suite installation is not found
    ExitDeviceFailure = 4,  // the device cannot be reached or a transfer failed
};

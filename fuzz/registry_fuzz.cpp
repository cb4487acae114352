// A prefix's user.reg: parsed whole, then asked for the suite's installation directory as the
// start-up does. An answer only comes from a key and value the file really has.
#include "platform/WineRegistry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const WineRegistryFile reg = WineRegistryFile::parse(text);
    (void)reg.hasKey(kInstallDirKey);
    const auto path = InstallPathFrom(reg);
    if (path && !reg.value(kInstallDirKey, kInstallDirValue))
        std::abort();
    return 0;
}

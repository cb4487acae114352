// Device paths as the program and the device hand them to the link (sound names above all).
// Whatever the path, the host path it resolves to lies inside the device root.
#include "devicelink/DirectoryDeviceLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

struct Device
{
    QTemporaryDir dir;
    PathMapper mapper{dir.filePath(QStringLiteral("prefix"))};
    QString root = dir.filePath(QStringLiteral("tavion"));
    DirectoryDeviceLink link{mapper, [this] { return DeviceLinkSettings{root, false}; }};

    Device()
    {
        QDir().mkpath(root + QStringLiteral("/system/sound"));
        QFile(root + QStringLiteral("/system/sound/ding.snd")).open(QIODevice::WriteOnly);
        QFile(dir.filePath(QStringLiteral("secret.snd"))).open(QIODevice::WriteOnly);
        // Links out of the tree must not be followed.
        QFile::link(dir.path(), root + QStringLiteral("/system/out"));
        QFile::link(QStringLiteral("../../.."), root + QStringLiteral("/system/sound/up"));
        root = QDir(root).canonicalPath();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Device device;
    const QString path = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &devicePath :
         {path, QStringLiteral("\\system\\sound\\") + path + QStringLiteral(".snd")}) {
        const auto host = device.link.hostPathOf(devicePath);
        if (!host)
            continue;
        const QString canonical = QFileInfo(*host).exists() ? QFileInfo(*host).canonicalFilePath()
                                                            : QDir::cleanPath(*host);
        if (canonical != device.root && !canonical.startsWith(device.root + u'/'))
            std::abort();
    }
    return 0;
}

// DirOrEmpty patterns and the Windows path mapping under it, over a small fixed prefix. A mapped
// path never leaves its drive, and a listing only ever names entries of the listed directory.
#include "platform/DirListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

struct Prefix
{
    QTemporaryDir dir;
    PathMapper mapper{dir.path()};
    QString drive;

    Prefix()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("drive_c/Suite/Sub")));
        QDir().mkpath(dir.filePath(QStringLiteral("dosdevices")));
        QFile::link(QStringLiteral("../drive_c"), dir.filePath(QStringLiteral("dosdevices/c:")));
        for (const char *name :
             {"drive_c/Suite/A.snd", "drive_c/Suite/b.SND", "drive_c/Suite/.hidden",
              "drive_c/Suite/Sub/x.ini", "outside.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            f.open(QIODevice::WriteOnly);
        }
        drive = dir.path() + QStringLiteral("/dosdevices/");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Prefix prefix;
    if (size < 1)
        return 0;
    const int attributes = data[0] & (DirListing::Hidden | DirListing::Directories);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);

    // Host paths pass through as they are; Windows paths must stay below their drive.
    if (!text.startsWith(u'/')) {
        const QString host = prefix.mapper.toHost(text);
        if (!host.isEmpty() &&
            (!host.startsWith(prefix.drive) || host.contains(QStringLiteral("/../"))))
            std::abort();
    }

    DirListing listing(prefix.mapper);
    for (QString name = listing.first(text, attributes); !name.isEmpty(); name = listing.next()) {
        if (name.contains(u'/') || name == u"." || name == u"..")
            std::abort();
    }
    (void)matchesWildcard(text, QStringLiteral("A.snd"));
    return 0;
}

#include "devicelink/SoundList.h"

#include "core/AnsiText.h"
#include "platform/DeviceNames.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::int32_t kListingChars = 1024;

} // namespace

void GetSoundList(DeviceLink &link, QStringList &SoundList)
{
    QString remaining;
    if (vlt::low16(link.Vlt_IsExist(kDeviceSoundDir)) != 0) {
        std::array<char, kListingChars + 1> buffer{};
        const std::int16_t written =
            vlt::low16(link.Vlt_DirByExt(kDeviceSoundDir, kSoundExtension, buffer, kListingChars));
        // A count beyond the buffer would be the link's fault; never read past it.
        const auto n = std::clamp<std::int32_t>(written, 0, kListingChars);
        remaining = QString::fromStdString(
            ansi::toUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(n))));
    }

    // Entry 0 is cleared rather than kept: after an empty listing a kept name would offer a
    // sound that an earlier listing saw but the device no longer has.
    SoundList = QStringList{QString()};

    qsizetype count = 0;
    while (!remaining.isEmpty()) {
        QString name;
        const qsizetype tab = remaining.indexOf(u'\t');
        if (tab < 0) {
            name = remaining;
            remaining.clear();
        } else {
            name = remaining.left(tab);
            remaining = remaining.mid(tab + 1);
        }
        // An empty name keeps its place (readers stop there); a name no file can have is dropped.
        if (!name.isEmpty() && !isDeviceFileName(name))
            continue;
        ++count;
        SoundList.resize(count + 1);
        SoundList[count - 1] = name;
    }
}

QStringList soundNames(const QStringList &SoundList)
{
    QStringList names;
    for (const QString &entry : SoundList) {
        if (entry.isEmpty())
            break;
        names << entry;
    }
    return names;
}

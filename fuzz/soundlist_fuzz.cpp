// The sound listing a device link hands back: the first two input bytes are the count the link
// reports (it may lie), the rest is the buffer it fills. Every name that reaches the list must
// be one the device could hold, and the list ends with an empty entry.
#include "devicelink/SoundList.h"
#include "platform/DeviceNames.h"

#include <algorithm>
#include <cstdlib>

namespace {

class ListingLink : public DeviceLink
{
public:
    QByteArray listing;
    std::int32_t reported = 0;

    std::int32_t Vlt_GetFile(const QString &, const QString &, std::int32_t) override { return 1; }
    std::int32_t Vlt_PutFile(const QString &, const QString &, std::int32_t) override { return 1; }
    std::int32_t Vlt_IsExist(const QString &) override { return 1; }
    std::int32_t Vlt_DeleteFile(const QString &) override { return 1; }
    std::int32_t Vlt_DirByExt(const QString &, const QString &, std::span<char> buffer,
                              std::int32_t maxChars) override
    {
        const auto n = std::min<qsizetype>(
            {listing.size(), qsizetype(std::max(maxChars, 0)), qsizetype(buffer.size())});
        std::copy_n(listing.constData(), n, buffer.begin());
        return reported;
    }
    void Vlt_SetupDisconnection() override {}
    std::int32_t Vlt_DoDisconnect() override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    ListingLink link;
    link.reported = std::int32_t(std::int16_t(data[0] | data[1] << 8));
    link.listing = QByteArray(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2);

    QStringList list{QStringLiteral("left over")};
    GetSoundList(link, list);
    if (list.isEmpty() || !list.last().isEmpty())
        std::abort();
    for (qsizetype i = 0; i + 1 < list.size(); ++i) {
        if (!list[i].isEmpty() && !isDeviceFileName(list[i]))
            std::abort();
    }
    return 0;
}

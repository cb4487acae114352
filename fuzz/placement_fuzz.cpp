// The stored window placement and reminder flag texts. Whatever parses must format back to text
// that parses to the same placement.
#include "core/PlacementText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    (void)FlagTextSuppresses(text);

    WindowPlacement parsed;
    parsed.showCmd = -7; // a value the text has to replace
    const WindowPlacement untouched = parsed;
    if (!ParsePlacement(text, parsed)) {
        if (parsed.showCmd != untouched.showCmd)
            std::abort(); // a refused text must leave the placement alone
        return 0;
    }
    WindowPlacement again;
    if (!ParsePlacement(FormatPlacement(parsed), again) || again.showCmd != parsed.showCmd ||
        again.normalPosition.left != parsed.normalPosition.left ||
        again.normalPosition.top != parsed.normalPosition.top ||
        again.normalPosition.right != parsed.normalPosition.right ||
        again.normalPosition.bottom != parsed.normalPosition.bottom)
        std::abort();
    return 0;
}

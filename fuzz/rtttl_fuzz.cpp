// Ringtone text and the melody text form, with the import options taken from the first byte.
#include "core/RtttlImport.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    ImportOptions options;
    options.transpose = int(data[0] % 64) - 32;
    options.legato = data[0] & 0x40;
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    checkImported(ImportRtttl(text, options));
    checkImported(ParseMelodyText(text));
    (void)LooksLikeMelodyText(text);
    return 0;
}

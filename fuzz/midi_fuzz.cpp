// Standard MIDI Files, with the track and the options taken from the first byte.
#include "core/MidiImport.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    ImportOptions options;
    options.track = data[0] % 4;
    options.transpose = int(data[0] / 4 % 32) - 16;
    options.legato = data[0] & 0x80;
    checkImported(ImportMidi({data + 1, size - 1}, options));
    return 0;
}

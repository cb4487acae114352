#pragma once
// What every importer promises of a melody it makes: the writer takes it, the reader of device
// sound files accepts the bytes, and reading them gives the same melody back.
#include "core/Melody.h"
#include "core/SndFile.h"

#include <cstdlib>

inline void checkImported(const MelodyResult &result)
{
    if (!result.ok()) {
        if (result.error.empty())
            std::abort();
        return;
    }
    if (!MelodyProblem(result.melody).empty())
        std::abort();
    const std::vector<std::uint8_t> bytes = WriteMelodySnd(result.melody);
    SndFile snd;
    if (ParseSndFile(bytes, snd).error != SndError::None)
        std::abort();
    const MelodyResult back = ReadMelodySnd(bytes);
    if (!back.ok() || !(back.melody == result.melody))
        std::abort();
    const MelodyResult text = ParseMelodyText(MelodyText(result.melody));
    if (!text.ok() || !(text.melody == result.melody))
        std::abort();
}

#include "core/ConvSndToWav.h"

#include "core/WavWriter.h"

SndResult ConvertSndToWav(const WaveTables &tables, const std::filesystem::path &sndPath,
                          const std::filesystem::path &wavPath)
{
    SndFile snd;
    const SndResult read = ReadSndFile(sndPath, snd);
    if (read.error != SndError::None)
        return read;

    WavWriter out(wavPath);
    if (!out.open())
        return {SndError::WriteFailed};
    for (const SndRecord &record : snd.records) {
        if (out.failed())
            break;
        PutNoteWave(out, tables, record.N, record.D, snd.tempo);
    }
    if (!out.finish())
        return {SndError::WriteFailed};
    return {};
}

std::int16_t ConvSndToWav(const WaveTables &tables, const std::filesystem::path &sndPath,
                          const std::filesystem::path &wavPath)
{
    return ConvertSndToWav(tables, sndPath, wavPath).error == SndError::None ? 0 : -1;
}

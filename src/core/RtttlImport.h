#pragma once

#include "core/Melody.h"

#include <string_view>

// Reads ringtone text (RTTTL), "name:d=4,o=6,b=63:8a5,p,..." with the name section optional,
// blanks anywhere, letters in any case. `_` after a letter is a flat. Lengths are counted in
// ticks of 1/128 of a whole note; the tempo is the slowest that still plays every note and
// pause in whole units. Errors name the character (counted from 1) and the text they stand at.
MelodyResult ImportRtttl(std::string_view text, const ImportOptions &options);

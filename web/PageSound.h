// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the page hands the browser's sound decoder: the game page and the
// check page judge a sound file alike, so that a sound the check page says
// will not be played is not played, whichever browser would take it.
namespace soruberia::web {

struct WavJudgement {
    std::int64_t frames = 0;           // frames there
    std::int64_t announcedFrames = 0;  // frames the data chunk announces
    int channels = 0;
    int rate = 0;
    std::string fault;  // why the page does not play it, or ""

    bool Playable() const { return fault.empty(); }
};

// A RIFF WAVE file by its header: the formats every browser plays (integer
// PCM of 8 to 32 bits, IEEE float of 32 or 64), a data chunk with at least
// one frame, within the game's length limit. Anything else, an MP3 named
// .wav among them, is refused, though one browser or another would play it.
WavJudgement JudgeWav(std::string_view bytes);

}  // namespace soruberia::web

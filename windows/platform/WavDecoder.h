// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace soruberia::windows {

// 16-bit interleaved stereo, the one format the sound device is given.
struct StereoPcm {
    std::vector<std::int16_t> samples;
    int rate = 0;
};

struct DecodedWav {
    StereoPcm pcm;
    std::string problem;  // why the file cannot be played, or ""
};

// A RIFF WAVE file's sound: integer PCM of 8, 16, 24 or 32 bits and IEEE
// float of 32 or 64 bits, plain or in the extensible header, made stereo as
// content/StereoSound.h does for every sound channel. A sound longer than
// content/MediaLimits.h allows is refused before it is decoded.
DecodedWav DecodeWav(std::string_view file);

}  // namespace soruberia::windows

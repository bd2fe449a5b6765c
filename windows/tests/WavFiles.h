// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace soruberia::windows::test {

struct WavFormat {
    std::uint16_t tag;  // 1 PCM, 3 IEEE float
    std::uint16_t channels;
    std::uint32_t rate;
    std::uint16_t bits;
    bool extensible = false;
};

// A RIFF WAVE file around raw sample bytes; `before` is put between the
// format and the data chunk (e.g. a LIST chunk).
std::string Wav(const WavFormat& format, std::string_view samples, std::string_view before = {});

// Little-endian bytes of 16-bit samples.
std::string Int16Samples(std::initializer_list<std::int16_t> samples);

}  // namespace soruberia::windows::test

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Sine tones written as WAV files, and sound files read back.

#include <filesystem>
#include <vector>

namespace soruberia::testsupport {

enum class SampleFormat { Pcm16, Float };

// A sine tone with 10 ms fades at both ends; one peak amplitude (of full
// scale) per channel. Throws when the file cannot be written.
void WriteTone(const std::filesystem::path& file, SampleFormat format, int rate, double seconds,
               double hertz, const std::vector<double>& amplitudes);

// The first channel of a sound file, -1..1, and its rate.
struct Samples {
    std::vector<double> values;
    int rate = 0;
};
Samples ReadFirstChannel(const std::filesystem::path& file);

}  // namespace soruberia::testsupport

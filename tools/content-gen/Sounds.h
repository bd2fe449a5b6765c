// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <vector>

namespace soruberia::contentgen {

inline constexpr int kSampleRate = 44100;
// Every sound is scaled so that its loudest sample sits at -1 dBFS.
inline constexpr double kPeakDbfs = -1.0;

using Samples = std::vector<double>;  // mono, kSampleRate, about -1..1

Samples CorrectChime();   // o.wav: two bell notes, high then lower
Samples WrongBuzzer();    // x.wav: a short and a longer buzz
Samples BurstPop();       // pan.wav: a balloon popping
Samples FallingTone();    // dame.wav: a tone gliding down
Samples PassFanfare();    // gokaku.wav: a rising arpeggio and a held chord

// Normalises to kPeakDbfs and writes 16-bit PCM mono WAV with libsndfile.
void WriteWav(const std::filesystem::path& path, Samples samples);

}  // namespace soruberia::contentgen

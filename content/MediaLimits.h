// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

// What the game accepts of its sound files, whichever decoder reads them.
// Plain values, so that every front-end's decoder and the content checker
// draw the same line.
namespace soruberia::media {

// The longest sound, counted in samples (frames times channels), so that
// it bounds the memory a file can claim whatever its form: five minutes of
// 48 kHz stereo, ten of 48 kHz mono. The game's own sounds last a second
// or two.
inline constexpr std::int64_t kMaxSoundSamples = std::int64_t{48000} * 2 * 300;

// Whether a sound of `frames` frames of `channels` channels is short enough.
constexpr bool SoundWithinLimit(std::int64_t frames, int channels) {
    return channels >= 1 && frames >= 0 && frames <= kMaxSoundSamples / channels;
}

}  // namespace soruberia::media

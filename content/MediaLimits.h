// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>

// What the game accepts of its picture and sound files, whichever decoder
// reads them. Plain values, so that every front-end's decoder and the
// content checker draw the same line.
namespace soruberia::media {

// The widest and the tallest picture, each side on its own. An ion button's
// face is 102 x 61 px and the marks are drawn at 145 x 145, so a larger
// picture gains nothing; the cap also bounds the memory a file can claim
// (4 MB of pixels), whatever its header says.
inline constexpr int kMaxPictureSide = 1024;

// The largest picture file: far more than a picture within the cap needs,
// so that a file is refused before all of it is read.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{16} * 1024 * 1024;

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

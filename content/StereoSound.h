// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How every front-end's sound channel hands a decoded sound to its device:
// 16-bit interleaved stereo, whatever the file held.
namespace soruberia::media {

// A sample as a fraction of full scale (-1 to just below 1) in 16 bits,
// rounded half away from zero. Beyond full scale it stays at the nearest
// end; a sample that is not a number is silence.
std::int16_t ToInt16(double fraction);

// `frames` frames of `channels` samples each, sampleAt(frame, channel)
// giving a sample as a fraction of full scale, as 16-bit interleaved
// stereo. Mono is doubled, more than two channels are averaged to mono
// first, so that every sound reaches both loudspeakers at the level of its
// file.
template <typename SampleAt>
std::vector<std::int16_t> ToStereo16(std::size_t frames, std::size_t channels, SampleAt sampleAt) {
    std::vector<std::int16_t> stereo(frames * 2);
    if (channels < 1) return stereo;
    for (std::size_t f = 0; f < frames; ++f) {
        double left = static_cast<double>(sampleAt(f, std::size_t{0}));
        double right = channels == 2 ? static_cast<double>(sampleAt(f, std::size_t{1})) : left;
        if (channels > 2) {
            double sum = 0.0;
            for (std::size_t c = 0; c < channels; ++c) sum += static_cast<double>(sampleAt(f, c));
            left = right = sum / static_cast<double>(channels);
        }
        stereo[2 * f] = ToInt16(left);
        stereo[2 * f + 1] = ToInt16(right);
    }
    return stereo;
}

}  // namespace soruberia::media

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Every sound channel's stereo: what a decoded sound becomes on its way to
// the device.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "content/StereoSound.h"

namespace soruberia::media {
namespace {

TEST(StereoSound, EveryLayoutReachesBothLoudspeakersAtItsLevel) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kHuge = 1e30;
    struct Case {
        std::string name;
        std::size_t channels;
        std::vector<double> interleaved;
        std::vector<std::int16_t> stereo;
    };
    const Case cases[] = {
        {"mono is doubled", 1, {0.5, -0.25}, {16384, 16384, -8192, -8192}},
        {"stereo is kept", 2, {0.5, -0.5, 0.0, 0.25}, {16384, -16384, 0, 8192}},
        {"three channels are averaged", 3, {0.3, 0.0, 0.0}, {3277, 3277}},
        {"six channels are averaged", 6, {0.6, 0.6, 0.0, 0.0, 0.0, 0.0}, {6554, 6554}},
        {"full scale", 2, {-1.0, 32767.0 / 32768.0}, {-32768, 32767}},
        {"halves round away from zero", 2, {0.5 / 32768.0, -0.5 / 32768.0}, {1, -1}},
        {"beyond full scale stays at its end", 2, {1.0, -1.5}, {32767, -32768}},
        {"huge values stay at their end", 2, {kHuge, -kHuge}, {32767, -32768}},
        {"not a number is silence", 2, {kNaN, 0.25}, {0, 8192}},
        {"no frames", 2, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t frames = c.interleaved.size() / c.channels;
        EXPECT_EQ(ToStereo16(frames, c.channels,
                             [&](std::size_t frame, std::size_t channel) {
                                 return c.interleaved[frame * c.channels + channel];
                             }),
                  c.stereo);
    }
}

}  // namespace
}  // namespace soruberia::media

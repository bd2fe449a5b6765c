// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/StereoSound.h"

#include <algorithm>
#include <cmath>

namespace soruberia::media {

std::int16_t ToInt16(double fraction) {
    if (std::isnan(fraction)) return 0;
    // Clamped before rounding: a float file may hold any value, and lround
    // of one beyond the range of long is undefined.
    const double scaled = std::clamp(fraction * 32768.0, -32768.0, 32767.0);
    return static_cast<std::int16_t>(std::lround(scaled));
}

}  // namespace soruberia::media

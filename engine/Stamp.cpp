// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/Stamp.h"

#include "engine/Checked.h"

namespace soruberia::engine {

std::int32_t TakeStamp(float reading, std::string_view variable) {
    return RoundedInt<std::int32_t>(static_cast<double>(reading), variable);
}

double SecondsSinceStamp(float reading, std::int32_t stamp) {
    const double difference = static_cast<double>(reading) - static_cast<double>(stamp);
    // Within one day a stamp lies at most half a second after its reading;
    // anything below minus half a day can only be the wrap at midnight.
    if (difference < -kSecondsPerDay / 2.0) {
        return difference + kSecondsPerDay;
    }
    return difference;
}

}  // namespace soruberia::engine

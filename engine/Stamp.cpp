// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/Stamp.h"

#include "engine/Checked.h"

namespace soruberia::engine {

namespace {

// Rounding to the nearest second puts a stamp at most half a second after
// the reading it was taken from; no later reading of a clock that runs
// forward lies further before it.
constexpr double kLatestStampLead = 0.5;

}  // namespace

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

bool WaitIsOver(float reading, std::int32_t stamp, double threshold) {
    const double waited = SecondsSinceStamp(reading, stamp);
    return waited < -kLatestStampLead || waited > threshold;
}

}  // namespace soruberia::engine

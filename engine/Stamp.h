// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string_view>

namespace soruberia::engine {

inline constexpr double kSecondsPerDay = 86400.0;

// A clock reading (seconds since local midnight) rounded to the whole second,
// halves to the even neighbour: 100.5 gives 100, 101.5 gives 102.
// `variable` names the field that receives it, for the failure message.
std::int32_t TakeStamp(float reading, std::string_view variable = "clock stamp");

// Seconds from `stamp` to `reading`, in double. The clock starts again from 0
// at midnight, so a difference far below zero is a wait armed before midnight
// and read after it: it counts on across the day boundary, keeping the
// thresholds as they are at any other time of day.
double SecondsSinceStamp(float reading, std::int32_t stamp);

// Whether a wait stamped at `stamp` has lasted more than `threshold` seconds
// at `reading`. A reading that lies before the stamp even after the midnight
// fold means the clock went back (set back, or the machine slept across
// midnight for more than half a day): the wait is over rather than held
// until the clock catches up, which could take hours.
bool WaitIsOver(float reading, std::int32_t stamp, double threshold);

}  // namespace soruberia::engine

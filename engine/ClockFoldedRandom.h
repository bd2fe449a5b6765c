// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <random>

#include "engine/Services.h"

namespace soruberia::engine {

// The run's one random generator: a 64-bit Mersenne Twister whose running
// state absorbs the clock at every re-seed. Re-seeding never restarts the
// sequence, so re-seeding twice within the same clock reading still gives
// fresh draws.
class ClockFoldedRandom final : public RandomSource {
public:
    explicit ClockFoldedRandom(Clock& clock);               // seeded from std::random_device
    ClockFoldedRandom(Clock& clock, std::uint64_t seed);    // reproducible runs

    void Reseed() override;
    float Draw() override;

    // The top 24 bits of a draw as a float in [0, 1): exact, so never 1.
    static float UnitFloat(std::uint64_t bits);

private:
    Clock& clock_;
    std::mt19937_64 generator_;
    float lastDraw_ = -1.0f;
};

// Question number 1..count from a draw r in [0, 1): the whole part of
// r * count taken in double, plus 1.
int QuestionNumberFor(float r, int count);

}  // namespace soruberia::engine

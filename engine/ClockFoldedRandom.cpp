// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/ClockFoldedRandom.h"

#include <bit>
#include <cmath>

namespace soruberia::engine {

namespace {

// The float's bits. The libc++ of Debian's emscripten has no std::bit_cast;
// its compiler has the builtin that std::bit_cast is made of.
std::uint32_t Bits(float value) {
#ifdef __cpp_lib_bit_cast
    return std::bit_cast<std::uint32_t>(value);
#else
    return __builtin_bit_cast(std::uint32_t, value);
#endif
}

}  // namespace

ClockFoldedRandom::ClockFoldedRandom(Clock& clock)
    : ClockFoldedRandom(clock, (static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                                   std::random_device{}()) {}

ClockFoldedRandom::ClockFoldedRandom(Clock& clock, std::uint64_t seed)
    : clock_(clock), generator_(seed) {}

void ClockFoldedRandom::Reseed() {
    // The new state depends on the old one (two outputs of it) and on the
    // reading, so an unchanged reading still moves the sequence on.
    const std::uint64_t a = generator_();
    const std::uint64_t b = generator_();
    const std::uint32_t reading = Bits(clock_.SecondsSinceMidnight());
    std::seed_seq folded{static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(a >> 32),
                         static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(b >> 32),
                         reading};
    generator_.seed(folded);
}

float ClockFoldedRandom::UnitFloat(std::uint64_t bits) {
    return std::ldexp(static_cast<float>(bits >> 40), -24);
}

float ClockFoldedRandom::Draw() {
    // Only 2^24 values exist; a draw never repeats the one just before it,
    // so a redraw is always a different number.
    float r = UnitFloat(generator_());
    while (r == lastDraw_) {
        r = UnitFloat(generator_());
    }
    lastDraw_ = r;
    return r;
}

int QuestionNumberFor(float r, int count) {
    return static_cast<int>(std::floor(static_cast<double>(r) * static_cast<double>(count))) + 1;
}

}  // namespace soruberia::engine

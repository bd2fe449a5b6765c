// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "content/FatalError.h"

namespace soruberia::engine {

// The game's numbers never wrap: a result outside its type ends the program,
// naming the variable and the value it would have taken.
template <typename Int>
Int CheckedInt(long long value, std::string_view variable) {
    if (!std::in_range<Int>(value)) {
        throw FatalError(std::string(variable) + " would become " + std::to_string(value) +
                         ", outside the " + std::to_string(std::numeric_limits<Int>::digits + 1) +
                         "-bit range " + std::to_string(std::numeric_limits<Int>::min()) + " to " +
                         std::to_string(std::numeric_limits<Int>::max()));
    }
    return static_cast<Int>(value);
}

inline std::int16_t Checked16(long long value, std::string_view variable) {
    return CheckedInt<std::int16_t>(value, variable);
}

inline std::int32_t Checked32(long long value, std::string_view variable) {
    return CheckedInt<std::int32_t>(value, variable);
}

// Nearest whole number, an exact half going to the even neighbour. Written
// out rather than left to the floating-point rounding mode, which is global.
inline double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5) {
        return below + 1.0;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// A real value rounded (halves to even) into an integer type, checked.
template <typename Int>
Int RoundedInt(double value, std::string_view variable) {
    const double rounded = RoundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw FatalError(std::string(variable) + " would become " + std::to_string(value) +
                         ", outside the " + std::to_string(std::numeric_limits<Int>::digits + 1) +
                         "-bit range");
    }
    return static_cast<Int>(rounded);
}

// Entry `index` of a table, or a failure naming the table and the index.
template <typename Table>
auto& At(Table& table, long long index, std::string_view tableName) {
    const auto size = static_cast<long long>(std::size(table));
    if (index < 0 || index >= size) {
        throw FatalError(std::string(tableName) + "(" + std::to_string(index) +
                         ") is outside its table, 0 to " + std::to_string(size - 1));
    }
    return table[static_cast<std::size_t>(index)];
}

// A 16-bit flag: 0 or 1, and by construction nothing else.
class Flag {
public:
    void Set() { value_ = 1; }
    void Clear() { value_ = 0; }
    bool IsSet() const { return value_ != 0; }
    std::int16_t Value() const { return value_; }
    friend bool operator==(Flag, Flag) = default;

private:
    std::int16_t value_ = 0;
};

}  // namespace soruberia::engine

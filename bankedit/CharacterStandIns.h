// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace soruberia::bankedit {

// A character that code page 932 lacks, or keeps only as another one, and
// what a teacher writing chemistry means by it.
struct StandIn {
    char32_t character;
    std::string_view instead;  // UTF-8
};

// Superscript and subscript digits and signs as plain ones (Fe³⁺ → Fe3+),
// and the characters that other systems' Japanese keyboards type where
// Windows has a look-alike of its own (〜 → ～, − → －, ¥ → ￥).
std::span<const StandIn> StandIns();

std::optional<std::string_view> StandInFor(char32_t character);

}  // namespace soruberia::bankedit

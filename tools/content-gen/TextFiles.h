// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace soruberia::contentgen {

// A question text must fit two lines of the game's question label (295 px,
// 20 px bold Mincho): 28 full-width characters, counted in half widths.
inline constexpr int kMaxQuestionHalfWidths = 56;

// Width in half-width units: ASCII and half-width katakana count 1, every
// other character 2. Throws FatalError on malformed UTF-8.
int HalfWidths(const std::string& utf8);

// UTF-8 to Shift-JIS (code page 932). Throws FatalError naming the text if a
// character has no code in it.
std::string ToCp932(const std::string& utf8);

// Writes the lines in code page 932, each ended by CR LF.
void WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines);

}  // namespace soruberia::contentgen

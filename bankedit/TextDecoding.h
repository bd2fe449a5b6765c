// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace soruberia::bankedit {

// What stands for bytes or sequences that could not be read: U+FFFD, which
// code page 932 lacks, so the text cannot be written until it is mended.
inline constexpr std::string_view kUnreadable = "\xEF\xBF\xBD";

// How a bank file's bytes become text.
enum class FileEncoding { kShiftJis, kUtf8 };

struct DecodedText {
    std::string utf8;
    bool lossless = true;  // no byte was replaced by kUnreadable
};

// Code page 932 or UTF-8 as far as it goes: each byte that begins no
// character becomes kUnreadable and the rest is read on.
DecodedText DecodeLeniently(std::string_view bytes, FileEncoding encoding);

// UTF-8 from outside (a page's text field) with each ill-formed sequence
// as one kUnreadable.
std::string WellFormedUtf8(std::string_view text);

}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
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

// UTF-8 from a file with each ill-formed sequence as one kUnreadable.
std::string WellFormedUtf8(std::string_view text);

// A text as the draft holds it, from a page's text field (WTF-8: UTF-8 in
// which a lone surrogate keeps its own three bytes, so that it is flagged,
// not changed) or a file: each ill-formed sequence as one kUnreadable, and
// no more than `maxUnits` UTF-16 code units, as a page's field counts; a
// character that would pass them is left out with all after it.
std::string EditableText(std::string_view wtf8, std::size_t maxUnits);

}  // namespace soruberia::bankedit

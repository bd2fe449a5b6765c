// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Code page 932, the Windows form of Shift-JIS, in which every content file
// is stored. Converted with the program's own tables, copied from glibc's
// (ShiftJisTable.cpp), on every system: the game and the checker accept and
// refuse the same bytes wherever they run.
namespace soruberia::sjis {

struct Decoded {
    std::string utf8;                      // the text up to invalidAt, or all of it
    std::optional<std::size_t> invalidAt;  // offset of the first byte that is not valid CP932
};
Decoded Decode(std::string_view cp932);

struct Encoded {
    std::string cp932;                        // the text up to unmappableAt, or all of it
    std::optional<std::size_t> unmappableAt;  // offset in the UTF-8 input of the first character CP932 lacks
};
Encoded Encode(std::string_view utf8);

}  // namespace soruberia::sjis

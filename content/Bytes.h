// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdio>
#include <string>

namespace soruberia::bytes {

// The separators of the question bank's fields. None of them can be the
// second byte of a Shift-JIS character, so fields split safely on bytes.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "0x8A", as failure messages show a byte.
inline std::string Hex(unsigned char byte) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

}  // namespace soruberia::bytes

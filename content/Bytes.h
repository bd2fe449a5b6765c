// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace soruberia::bytes {

// The separators of the question bank's fields. None of them can be the
// second byte of a Shift-JIS character, so fields split safely on bytes.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "0x8A", as failure messages show a byte.
inline std::string Hex(unsigned char byte) {
    constexpr const char* kDigits = "0123456789ABCDEF";
    return {'0', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

}  // namespace soruberia::bytes

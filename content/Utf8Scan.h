// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8, for the code page 932 encoder: a sequence is refused where
// iconv refuses it.
namespace soruberia::utf8 {

struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;  // in bytes; 0 when the sequence is not a character
};

// The code point that begins at `at`; a length of 0 for a sequence that is
// not well-formed UTF-8 (overlong, surrogate, beyond U+10FFFF or cut off).
inline CodePoint NextCodePoint(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, least = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size()) return {};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) return {};
        value = value << 6 | (next & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
    return {value, length};
}

// A surrogate code point in the three bytes WTF-8 gives it (ED A0..BF
// 80..BF), which NextCodePoint refuses: half of a pair without its other
// half, which a browser's string can hold and UTF-8 cannot.
inline std::optional<char16_t> SurrogateAt(std::string_view text, std::size_t at) {
    if (text.size() < at + 3 || text[at] != '\xED') return std::nullopt;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    const auto third = static_cast<unsigned char>(text[at + 2]);
    if (second < 0xA0 || second > 0xBF || (third & 0xC0u) != 0x80u) return std::nullopt;
    return static_cast<char16_t>(0xD000u | (second & 0x3Fu) << 6 | (third & 0x3Fu));
}

// Writes a BMP code point as UTF-8 at `out`, which has room for three
// bytes; returns how many it wrote.
inline std::size_t PutBmp(char* out, char16_t value) {
    if (value < 0x80) {
        out[0] = static_cast<char>(value);
        return 1;
    }
    if (value < 0x800) {
        out[0] = static_cast<char>(0xC0 | value >> 6);
        out[1] = static_cast<char>(0x80 | (value & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | value >> 12);
    out[1] = static_cast<char>(0x80 | (value >> 6 & 0x3F));
    out[2] = static_cast<char>(0x80 | (value & 0x3F));
    return 3;
}

}  // namespace soruberia::utf8

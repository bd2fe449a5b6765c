// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "banklink/Base64Url.h"

#include <cstdint>

namespace soruberia::banklink {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int Sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-') return 62;
    if (c == '_') return 63;
    return -1;
}

}  // namespace

std::string ToBase64Url(std::string_view bytes) {
    std::string text;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char byte : bytes) {
        bits = bits << 8 | static_cast<unsigned char>(byte);
        count += 8;
        while (count >= 6) {
            count -= 6;
            text += kAlphabet[(bits >> count) & 0x3F];
        }
    }
    if (count > 0) text += kAlphabet[(bits << (6 - count)) & 0x3F];
    return text;
}

std::optional<Base64UrlBytes> FromBase64Url(std::string_view text) {
    Base64UrlBytes out;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        const int sextet = Sextet(c);
        if (sextet < 0) return std::nullopt;
        bits = (bits << 6 | static_cast<std::uint32_t>(sextet)) & 0xFFFF;
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    // One character alone carries no byte; the bits left over are zero in
    // what this program writes.
    out.canonical = count < 6 && (bits & ((1u << count) - 1)) == 0;
    return out;
}

}  // namespace soruberia::banklink

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Code page 932 through Windows' own tables, the ones the teacher's editor
// used. Built on Windows only; elsewhere ShiftJisIconv.cpp converts, or
// ShiftJisTable.cpp where the system has no faithful converter.
#ifdef _WIN32

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::sjis {
namespace {

bool IsLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }

// Single bytes the code page leaves unassigned. Windows turns some of them
// into control or private-use characters; no Japanese text holds them, and
// the other platforms refuse them, so they are refused here too.
bool IsUnassignedSingle(unsigned char byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

// Whole characters of code page 932 as UTF-16; empty on a refused character.
std::optional<std::wstring> Utf16FromCp932(std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int inLength = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLength, text.data(), length);
    return text;
}

std::string Utf8FromUtf16(const std::wstring& text) {
    if (text.empty()) return {};
    const int inLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, out.data(), length, nullptr, nullptr);
    return out;
}

// Characters that text written on other systems uses for the glyphs of code
// page 932 (the JIS forms of the yen sign, the wave dash, the minus ...).
// Windows has no exact mapping for them; they are written as the character
// Japanese text means by them, as the other platforms do.
struct Extra {
    char32_t codePoint;
    const char* bytes;
};
constexpr std::array<Extra, 9> kExtras{{
    {U'\u00A2', "\x81\x91"},
    {U'\u00A3', "\x81\x92"},
    {U'\u00A5', "\x5C"},
    {U'\u00AC', "\x81\xCA"},
    {U'\u2014', "\x81\x5C"},
    {U'\u2016', "\x81\x61"},
    {U'\u203E', "\x7E"},
    {U'\u2212', "\x81\x7C"},
    {U'\u301C', "\x81\x60"},
}};

std::optional<std::string> Cp932FromCodePoint(char32_t codePoint) {
    if (codePoint < 0x80) return std::string(1, static_cast<char>(codePoint));
    for (const Extra& extra : kExtras) {
        if (extra.codePoint == codePoint) return std::string(extra.bytes);
    }
    // Outside the BMP there is nothing code page 932 holds.
    if (codePoint > 0xFFFF) return std::nullopt;
    const auto unit = static_cast<wchar_t>(codePoint);
    char out[4];
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, out, sizeof out, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    if (length == 1 && IsUnassignedSingle(static_cast<unsigned char>(out[0]))) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(length));
}

}  // namespace

Decoded Decode(std::string_view cp932) {
    Decoded result;
    // Where each character begins, as far as the bytes are characters at all.
    std::vector<std::size_t> starts;
    std::size_t end = 0;
    while (end < cp932.size()) {
        const auto byte = static_cast<unsigned char>(cp932[end]);
        const std::size_t length = IsLead(byte) ? 2 : 1;
        if (IsUnassignedSingle(byte) || end + length > cp932.size()) {
            result.invalidAt = end;
            break;
        }
        starts.push_back(end);
        end += length;
    }
    // A pair Windows does not know, or a bad second byte, is found by
    // halving: a prefix of whole characters converts exactly when none of
    // its characters is refused.
    const auto prefixEnd = [&](std::size_t characters) {
        return characters < starts.size() ? starts[characters] : end;
    };
    std::optional<std::wstring> text = Utf16FromCp932(cp932.substr(0, end));
    if (!text) {
        std::size_t good = 0;
        std::size_t bad = starts.size();
        while (bad - good > 1) {
            const std::size_t middle = good + (bad - good) / 2;
            if (Utf16FromCp932(cp932.substr(0, prefixEnd(middle)))) {
                good = middle;
            } else {
                bad = middle;
            }
        }
        result.invalidAt = starts[good];
        text = Utf16FromCp932(cp932.substr(0, starts[good]));
    }
    result.utf8 = Utf8FromUtf16(text.value_or(std::wstring()));
    return result;
}

Encoded Encode(std::string_view text) {
    Encoded result;
    for (std::size_t at = 0; at < text.size();) {
        const utf8::CodePoint next = utf8::NextCodePoint(text, at);
        const std::optional<std::string> bytes =
            next.length == 0 ? std::nullopt : Cp932FromCodePoint(next.value);
        if (!bytes) {
            result.unmappableAt = at;
            break;
        }
        result.cp932 += *bytes;
        at += next.length;
    }
    return result;
}

}  // namespace soruberia::sjis

#endif  // _WIN32

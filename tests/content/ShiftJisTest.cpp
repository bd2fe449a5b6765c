// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Code page 932 as the program's own tables (content/Cp932Table.inc) give
// it, on every build that runs these tests, the Windows one under Wine
// included: held to one table of cases, read from iconv, and to the digests
// of every one- and two-byte sequence and every BMP character that
// make-cp932-digests.py wrote from iconv. ShiftJisIconvTest.cpp holds them
// to the system's iconv itself where there is one.
#include "content/ShiftJis.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace soruberia::sjis {
namespace {

#include "tests/content/Cp932Digests.inc"
#include "tests/content/HexDump.h"

using namespace std::string_view_literals;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct DecodeCase {
    const char* name;
    std::string_view cp932;
    std::string_view utf8;
    std::size_t invalidAt;
};

TEST(ShiftJis, DecodesAsIconvDoes) {
    const DecodeCase cases[] = {
        {"empty", ""sv, ""sv, kNone},
        {"ASCII with CR LF", "Ag,1\r\n"sv, "Ag,1\r\n"sv, kNone},
        {"ASCII with NUL, yen and tilde bytes", "a\0\\~"sv, "a\0\\~"sv, kNone},
        {"hiragana", "\x82\xA0"sv, "あ"sv, kNone},
        {"kanji", "\x89\xBB\x8A\x77"sv, "化学"sv, kNone},
        // Windows-only characters: code page 932, not plain Shift-JIS.
        {"NEC special row", "\x87\x40"sv, "①"sv, kNone},
        {"NEC-selected IBM extension", "\xED\x40"sv, "纊"sv, kNone},
        {"IBM extension", "\xFA\x40"sv, "ⅰ"sv, kNone},
        {"same character in the NEC-selected rows", "\xEE\xEF"sv, "ⅰ"sv, kNone},
        {"user-defined area", "\xF0\x40"sv, "\uE000"sv, kNone},
        {"half-width katakana", "\xB1"sv, "ｱ"sv, kNone},
        {"full-width not sign", "\x81\xCA"sv, "￢"sv, kNone},
        {"0x80 alone", "a\x80"sv, "a"sv, 1},
        {"0xA0 between good bytes", "x\xA0y"sv, "x"sv, 1},
        {"0xA0 alone", "\xA0"sv, ""sv, 0},
        {"0xFD at the end", "xy\xFD"sv, "xy"sv, 2},
        {"0xFD alone", "\xFD"sv, ""sv, 0},
        {"first byte at the end", "\x89\xBB\x8A"sv, "化"sv, 2},
        {"unassigned pair", "\x82\xA0\x85\x40x"sv, "あ"sv, 2},
        {"bad second byte", "\x81\x20"sv, ""sv, 0},
        {"0x7F as second byte", "ab\x81\x7F"sv, "ab"sv, 2},
        {"bad pair after many good ones",
         "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD\x85\x40"sv,
         "あいうえおかきく"sv, 16},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = Decode(c.cp932);
        EXPECT_EQ(decoded.utf8, c.utf8);
        EXPECT_EQ(decoded.invalidAt.value_or(kNone), c.invalidAt);
    }
}

struct EncodeCase {
    const char* name;
    std::string_view utf8;
    std::string_view cp932;
    std::size_t unmappableAt;
};

TEST(ShiftJis, EncodesAsIconvDoes) {
    const EncodeCase cases[] = {
        {"empty", ""sv, ""sv, kNone},
        {"kanji", "化学"sv, "\x89\xBB\x8A\x77"sv, kNone},
        {"hiragana and circled digit", "あ①"sv, "\x82\xA0\x87\x40"sv, kNone},
        {"full-width comma and quotes", "、“"sv, "\x81\x41\x81\x67"sv, kNone},
        {"wave dash as the full-width tilde", "〜"sv, "\x81\x60"sv, kNone},
        {"full-width tilde", "～"sv, "\x81\x60"sv, kNone},
        {"yen sign as the backslash byte", "¥"sv, "\x5C"sv, kNone},
        {"minus sign", "−"sv, "\x81\x7C"sv, kNone},
        {"not sign", "¬"sv, "\x81\xCA"sv, kNone},
        {"because sign", "∵"sv, "\x81\xE6"sv, kNone},
        {"small roman numeral from the IBM rows", "ⅰ"sv, "\xFA\x40"sv, kNone},
        {"private use in the user-defined area", "\uE000"sv, "\xF0\x40"sv, kNone},
        {"private use outside it", "\uF8F0"sv, ""sv, 0},
        // Superscripts, as typed for ion charges, have no code in CP932.
        {"superscript two", "Cu²⁺"sv, "Cu"sv, 2},
        {"no-break space", "\u00A0"sv, ""sv, 0},
        {"C1 control", "\u0080"sv, ""sv, 0},
        {"accented letter", "é"sv, ""sv, 0},
        {"beyond the BMP", "a😀b"sv, "a"sv, 1},
        {"cut-off UTF-8", "a\xC3"sv, "a"sv, 1},
        {"overlong UTF-8", "\xC0\xAF"sv, ""sv, 0},
        {"encoded surrogate", "\xED\xA0\x80"sv, ""sv, 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"sv, ""sv, 0},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Encoded encoded = Encode(c.utf8);
        EXPECT_EQ(encoded.cp932, c.cp932);
        EXPECT_EQ(encoded.unmappableAt.value_or(kNone), c.unmappableAt);
    }
}

TEST(ShiftJis, EveryTwoByteCodeThatDecodesEncodesBack) {
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const Decoded decoded = Decode(bytes);
            if (decoded.invalidAt) continue;
            ++decodable;
            const Encoded encoded = Encode(decoded.utf8);
            ASSERT_FALSE(encoded.unmappableAt) << lead << " " << trail;
            // NEC and IBM duplicates map to one code; it must decode alike.
            EXPECT_EQ(Decode(encoded.cp932).utf8, decoded.utf8);
        }
    }
    EXPECT_GT(decodable, 7000);
}

// One entry of a digest row, as make-cp932-digests.py writes it.
void Append(std::string& row, const std::string& out, const std::optional<std::size_t>& stopped) {
    row += static_cast<char>(stopped ? static_cast<unsigned char>(*stopped) : 0xFF);
    row += out;
    row += '\xFF';
}

std::uint64_t Fnv(const std::string& data) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : data) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    return hash;
}

// The row spelled out, to set beside the script's output when it differs.
std::string DecodeRow(std::optional<int> lead) {
    std::string row;
    for (int b = 0; b < 256; ++b) {
        std::string input;
        if (lead) input += static_cast<char>(*lead);
        input += static_cast<char>(b);
        const Decoded decoded = Decode(input);
        Append(row, decoded.utf8, decoded.invalidAt);
    }
    return row;
}

TEST(ShiftJis, EveryOneAndTwoByteSequenceDecodesAsIconvDoes) {
    const std::string singles = DecodeRow(std::nullopt);
    EXPECT_EQ(Fnv(singles), kDecodeSingleDigest) << HexDump(singles);
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string row = DecodeRow(lead);
        EXPECT_EQ(Fnv(row), kDecodePairDigests[static_cast<std::size_t>(lead - 0x80)])
            << "first byte " << std::hex << lead << ": " << HexDump(row);
    }
}

std::string Utf8(char32_t codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

TEST(ShiftJis, EveryBmpCharacterEncodesAsIconvDoes) {
    for (char32_t block = 0; block < 256; ++block) {
        if (block >= 0xD8 && block <= 0xDF) continue;  // surrogates are no characters
        std::string row;
        for (char32_t low = 0; low < 256; ++low) {
            const Encoded encoded = Encode(Utf8(block << 8 | low));
            Append(row, encoded.cp932, encoded.unmappableAt);
        }
        EXPECT_EQ(Fnv(row), kEncodeBlockDigests[block])
            << "block U+" << std::hex << static_cast<unsigned>(block) << "00: " << HexDump(row);
    }
}

}  // namespace
}  // namespace soruberia::sjis

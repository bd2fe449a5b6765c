// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ShiftJis.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace soruberia {
namespace {

struct DecodeCase {
    const char* name;
    std::string cp932;
    std::string utf8;
    std::optional<std::size_t> invalidAt;
};

TEST(ShiftJis, Decode) {
    const std::vector<DecodeCase> cases = {
        {"empty", "", "", std::nullopt},
        {"ascii", "Ag,1\r\n", "Ag,1\r\n", std::nullopt},
        {"kanji", "\x89\xBB\x8A\x77", "化学", std::nullopt},
        {"half-width kana", "\xB1", "ｱ", std::nullopt},
        // Windows-only characters: CP932, not plain Shift-JIS.
        {"circled one", "\x87\x40", "①", std::nullopt},
        {"bad trail byte", "ab\x81\x7F", "ab", 2},
        {"lead byte cut off at the end", "\x89\xBB\x8A", "化", 2},
        {"byte outside the code page", "x\xA0y", "x", 1},
        {"unassigned lead byte", "xy\xFD", "xy", 2},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const sjis::Decoded decoded = sjis::Decode(c.cp932);
        EXPECT_EQ(decoded.invalidAt, c.invalidAt);
        EXPECT_EQ(decoded.utf8, c.utf8);
    }
}

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string cp932;
    std::optional<std::size_t> unmappableAt;
};

TEST(ShiftJis, Encode) {
    const std::vector<EncodeCase> cases = {
        {"empty", "", "", std::nullopt},
        {"kanji", "化学", "\x89\xBB\x8A\x77", std::nullopt},
        {"circled one", "①", "\x87\x40", std::nullopt},
        {"full-width comma and quotes", "、“", "\x81\x41\x81\x67", std::nullopt},
        // Superscripts, as typed for ion charges, have no code in CP932.
        {"superscript two", "Cu²⁺", "Cu", 2},
        {"malformed utf-8", "a\xE5", "a", 1},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const sjis::Encoded encoded = sjis::Encode(c.utf8);
        EXPECT_EQ(encoded.unmappableAt, c.unmappableAt);
        EXPECT_EQ(encoded.cp932, c.cp932);
    }
}

TEST(ShiftJis, EveryTwoByteCodeThatDecodesEncodesBack) {
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const sjis::Decoded decoded = sjis::Decode(bytes);
            if (decoded.invalidAt) continue;
            ++decodable;
            const sjis::Encoded encoded = sjis::Encode(decoded.utf8);
            ASSERT_FALSE(encoded.unmappableAt) << lead << " " << trail;
            // NEC and IBM duplicates map to one code; it must decode alike.
            EXPECT_EQ(sjis::Decode(encoded.cp932).utf8, decoded.utf8);
        }
    }
    EXPECT_GT(decodable, 7000);
}

}  // namespace
}  // namespace soruberia

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The characters that cannot be written, where the page's text field has
// them, and what to write instead.
#include <gtest/gtest.h>

#include "bankedit/BankEditor.h"
#include "bankedit/CharacterStandIns.h"
#include "bankedit/TextFlags.h"
#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::bankedit {
namespace {

struct ExpectedFlag {
    std::size_t at;
    std::size_t length;
    std::string character;
    std::optional<std::string> replacement;
    FlagReason reason;
};

struct FlagCase {
    std::string text;
    TextRole role;
    std::vector<ExpectedFlag> flags;
    std::string replaced;
};

constexpr auto kQ = TextRole::kQuestion;
constexpr auto kE = TextRole::kExplanation;
constexpr auto kLacks = FlagReason::kNotInCodePage932;
constexpr auto kChanged = FlagReason::kChangedByCodePage932;

TEST(TextFlags, EachCharacterThatCannotBeWrittenIsFlaggedWhereThePageCountsIt) {
    const std::vector<FlagCase> cases{
        {"Fe³⁺ と NH₃", kQ, {{2, 1, "³", "3", kLacks}, {3, 1, "⁺", "+", kLacks}, {9, 1, "₃", "3", kLacks}},
         "Fe3+ と NH3"},
        {"SO₄²⁻", kQ,
         {{2, 1, "₄", "4", kLacks}, {3, 1, "²", "2", kLacks}, {4, 1, "⁻", "-", kLacks}}, "SO42-"},
        // iPad's keyboard, macOS's minus and the yen sign, which code page 932
        // would write as a backslash.
        {"1〜3 −2 ¥100", kQ,
         {{1, 1, "〜", "～", kChanged}, {4, 1, "−", "－", kChanged}, {7, 1, "¥", "￥", kChanged}},
         "1～3 －2 ￥100"},
        {"‖—", kE, {{0, 1, "‖", "∥", kChanged}, {1, 1, "—", "―", kChanged}}, "∥―"},
        {"\"白\"色", kQ,
         {{0, 1, "\"", "”", FlagReason::kDoubleQuote}, {2, 1, "\"", "”", FlagReason::kDoubleQuote}}, "”白”色"},
        {"\"白\"色", kE, {}, "\"白\"色"},
        {"一行目\r\n二行目\n三\x01", kE,
         {{3, 2, "\r\n", "", FlagReason::kLineBreak}, {8, 1, "\n", "", FlagReason::kLineBreak},
          {10, 1, "\x01", "", FlagReason::kControl}},
         "一行目二行目三"},
        // Beyond the BMP a character is two code units of the page's.
        {"😀é³", kQ, {{0, 2, "😀", std::nullopt, kLacks}, {2, 1, "é", std::nullopt, kLacks},
                      {3, 1, "³", "3", kLacks}},
         "😀é3"},
        {"①㎏ｱ\t～", kQ, {}, "①㎏ｱ\t～"},
        // A NUL is a control character like the rest, not the text's end.
        {std::string("before\0after", 12), kQ, {{6, 1, std::string(1, '\0'), "", FlagReason::kControl}},
         "beforeafter"},
        // Lone surrogates, as a page hands them in (WTF-8): one code unit
        // each, never joined with what follows.
        {"高\xED\xA0\x80い", kQ, {{1, 1, "\xED\xA0\x80", "", kLacks}}, "高い"},
        {"😀\xED\xB0\x80\xED\xA0\xBD", kE,
         {{0, 2, "😀", std::nullopt, kLacks}, {2, 1, "\xED\xB0\x80", "", kLacks}, {3, 1, "\xED\xA0\xBD", "", kLacks}},
         "😀"},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<TextFlag> flags = FlagsOf(c.text, c.role);
        ASSERT_EQ(flags.size(), c.flags.size());
        for (std::size_t i = 0; i < flags.size(); ++i) {
            EXPECT_EQ(flags[i].at, c.flags[i].at) << i;
            EXPECT_EQ(flags[i].length, c.flags[i].length) << i;
            EXPECT_EQ(flags[i].character, c.flags[i].character) << i;
            EXPECT_EQ(flags[i].replacement, c.flags[i].replacement) << i;
            EXPECT_EQ(flags[i].reason, c.flags[i].reason) << i;
            EXPECT_EQ(c.text.substr(flags[i].byteAt, flags[i].byteLength), flags[i].character) << i;
        }
        EXPECT_EQ(WithReplacements(c.text, c.role), c.replaced);
    }
}

TEST(TextFlags, EveryStandInIsWrittenAsItselfAndStandsForACharacterThatIsNot) {
    for (const StandIn& standIn : StandIns()) {
        std::string character(4, '\0');
        character.resize(standIn.character < 0x80 ? 1 : utf8::PutBmp(character.data(), static_cast<char16_t>(standIn.character)));
        SCOPED_TRACE(character);
        EXPECT_EQ(FlagsOf(character, kE).size(), 1u);
        EXPECT_TRUE(FlagsOf(standIn.instead, kQ).empty());
        const sjis::Encoded encoded = sjis::Encode(standIn.instead);
        ASSERT_FALSE(encoded.unmappableAt);
        EXPECT_EQ(sjis::Decode(encoded.cp932).utf8, standIn.instead);
    }
}

TEST(TextFlags, ReplacingEveryFlagLeavesOnlyThoseWithoutAStandIn) {
    BankEditor editor;
    editor.SetText(3, "Fe³⁺ の \"赤褐色\" 沈殿〜");
    editor.SetText(26, "絵文字😀");
    editor.SetText(9, std::string("壊れた\xE3\x81"));
    editor.SetExplanation("NH₃ − 10¥\r\n");
    editor.ReplaceFlagged();
    EXPECT_EQ(editor.Draft().questions[2].text, "Fe3+ の ”赤褐色” 沈殿～");
    EXPECT_EQ(editor.Draft().explanation, "NH3 － 10￥");
    const auto refused = editor.Write();
    ASSERT_TRUE(std::holds_alternative<std::vector<DraftFlag>>(refused));
    const auto& flags = std::get<std::vector<DraftFlag>>(refused);
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0].question, 9);
    EXPECT_EQ(flags[0].flag.character, "\uFFFD");
    EXPECT_EQ(flags[1].question, 26);
    EXPECT_EQ(flags[1].flag.character, "😀");
}

TEST(TextFlags, APagesTextKeepsANulAndALoneSurrogateAndIsNotSavedWithThem) {
    BankEditor editor;
    editor.SetText(1, std::string("before\0after", 12));
    editor.SetText(2, "\xED\xA0\x80");
    editor.SetExplanation("\xED\xA0");  // cut off: unreadable, as before
    EXPECT_EQ(editor.Draft().questions[0].text, std::string("before\0after", 12));
    EXPECT_EQ(editor.Draft().questions[1].text, "\xED\xA0\x80");
    EXPECT_EQ(editor.Draft().explanation, "\uFFFD");
    const auto refused = editor.Write();
    ASSERT_TRUE(std::holds_alternative<std::vector<DraftFlag>>(refused));
    const auto& flags = std::get<std::vector<DraftFlag>>(refused);
    ASSERT_EQ(flags.size(), 3u);
    EXPECT_EQ(flags[0].question, 1);
    EXPECT_EQ(flags[0].flag.at, 6u);
    EXPECT_EQ(flags[1].question, 2);
    EXPECT_EQ(flags[1].flag.character, "\xED\xA0\x80");
    EXPECT_EQ(flags[2].question, 0);
}

TEST(TextFlags, APagesTextIsCutWhereItsFieldEndsNeverInAPair) {
    const auto times = [](std::string_view part, std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i) out += part;
        return out;
    };
    struct LengthCase {
        std::string typed;
        std::string kept;
    };
    const std::vector<LengthCase> questions{
        {times("あ", kQuestionMaxLength), times("あ", kQuestionMaxLength)},
        {times("あ", kQuestionMaxLength + 1), times("あ", kQuestionMaxLength)},
        {times("a", kQuestionMaxLength - 1) + "😀", times("a", kQuestionMaxLength - 1)},
        {times("\xED\xA0\x80", kQuestionMaxLength + 5), times("\xED\xA0\x80", kQuestionMaxLength)},
        {std::string(std::size_t{1} << 20, 'x'), std::string(kQuestionMaxLength, 'x')},
    };
    BankEditor editor;
    for (const LengthCase& c : questions) {
        SCOPED_TRACE(c.typed.size());
        editor.SetText(5, c.typed);
        EXPECT_EQ(editor.Draft().questions[4].text, c.kept);
    }
    editor.SetExplanation(times("説", kExplanationMaxLength + 1));
    EXPECT_EQ(editor.Draft().explanation, times("説", kExplanationMaxLength));
}

}  // namespace
}  // namespace soruberia::bankedit

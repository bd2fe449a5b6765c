// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A teacher's broken bank opens with what can be taken from it, a note on
// each thing that could not, and is written back so that the game reads it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

#include "bankedit/BankEditor.h"
#include "tests/bankedit/BankFixtures.h"
#include "tests/support/TestFolder.h"

namespace soruberia::bankedit {
namespace {

using soruberia::test::Sjis;
using test::CrLfLines;
using test::ExpectGameReads;

// A plain bank: question q is "問q" with the one ion (q - 1) % 12 + 1.
struct Lines {
    std::vector<std::string> texts;
    std::vector<std::string> key;
    Lines() {
        for (int q = 1; q <= kQuestionsInPlay; ++q) {
            texts.push_back("\"問" + std::to_string(q) + "\"");
            key.push_back("1," + std::to_string((q - 1) % 12 + 1));
        }
    }
};

std::string SjisLines(const std::vector<std::string>& lines) { return Sjis(CrLfLines(lines)); }

std::string Times(std::string_view part, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += part;
    return out;
}

struct BrokenCase {
    const char* name;
    std::function<BankFiles()> files;
    std::vector<std::string> notes;
    std::map<int, std::string> texts;       // questions whose text is not the plain one
    std::map<int, std::vector<int>> ions;   // questions whose ions are not the plain ones
    std::function<std::optional<std::string>(Lines)> writtenTexts;  // as written anew, if it matters
    std::function<std::optional<std::string>(Lines)> writtenKey;
};

BankFiles Plain(const std::function<void(Lines&)>& change) {
    Lines lines;
    change(lines);
    return {SjisLines(lines.texts), SjisLines(lines.key), Sjis("説明\r\n")};
}

const auto kNotChecked = [](Lines) -> std::optional<std::string> { return std::nullopt; };

std::map<int, std::string> EveryTextEmpty() {
    std::map<int, std::string> empty;
    for (int q = 1; q <= kQuestionsInPlay; ++q) empty[q] = "";
    return empty;
}

std::map<int, std::vector<int>> NoIonsAnywhere() {
    std::map<int, std::vector<int>> none;
    for (int q = 1; q <= kQuestionsInPlay; ++q) none[q] = {};
    return none;
}

std::vector<BrokenCase> BrokenCases() {
    return {
        {"an empty line in kotae is passed over and gone when written",
         [] { return Plain([](Lines& l) { l.key.insert(l.key.begin() + 3, ""); }); },
         {"kotae.txt 4 行目: 空の欄を飛ばしました"}, {}, {}, kNotChecked,
         [](Lines l) { return SjisLines(l.key); }},
        {"full-width digits in kotae are read",
         [] { return Plain([](Lines& l) { l.key[1] = "１,２"; }); },
         {"kotae.txt 2 行目: 問題 2 の答えの数「１」を 1 と読みました",
          "kotae.txt 2 行目: 問題 2 のイオンの番号「２」を 2 と読みました"},
         {}, {}, kNotChecked, [](Lines l) { return SjisLines(l.key); }},
        {"a number twice and one that is no button are left out",
         [] { return Plain([](Lines& l) { l.key[4] = "3,5,5,13"; }); },
         {"kotae.txt 5 行目: 問題 5 のイオン 5 が二度書かれています。一度にしました",
          "kotae.txt 5 行目: 問題 5 のイオンの番号 13 はボタンの番号 (1～12) ではないので、引き継ぎません"},
         {}, {}, kNotChecked, [](Lines l) { return SjisLines(l.key); }},
        {"a count that is no number gives way to the numbers on its line",
         [] { return Plain([](Lines& l) { l.key[6] = "Ag,1,7"; }); },
         {"kotae.txt 7 行目: 問題 7 の答えの数「Ag」は 0 から 12 の数ではありません。その行にある番号を答えにしました"},
         {}, {{7, {1, 7}}}, kNotChecked,
         [](Lines l) {
             l.key[6] = "2,1,7";
             return SjisLines(l.key);
         }},
        {"stray commas after the numbers of an unreadable count go with it",
         [] { return Plain([](Lines& l) { l.key[6] = "Ag,1,7,,"; }); },
         {"kotae.txt 7 行目: 問題 7 の答えの数「Ag」は 0 から 12 の数ではありません。その行にある番号を答えにしました",
          "kotae.txt 7 行目: 空の欄を飛ばしました"},
         {}, {{7, {1, 7}}}, kNotChecked,
         [](Lines l) {
             l.key[6] = "2,1,7";
             return SjisLines(l.key);
         }},
        {"files of one line end: an empty text, then the rest on lines of their own",
         [] { return BankFiles{"\r\n", "\r\n", "\r\n"}; },
         {"mondai.txt は問題 1 までで終わっています。問題 2 から先の文は空で始めます",
          "kotae.txt は問題 1 の前で終わっています。問題 1 から先の答えは空で始めます"},
         EveryTextEmpty(), NoIonsAnywhere(),
         [](Lines) { return "\r\n" + SjisLines(std::vector<std::string>(kQuestionsInPlay - 1, "\"\"")); },
         [](Lines) { return SjisLines(std::vector<std::string>(kQuestionsInPlay, "0")); }},
        {"kotae ending early leaves the last questions without ions",
         [] { return Plain([](Lines& l) { l.key.resize(20); }); },
         {"kotae.txt は問題 21 の前で終わっています。問題 21 から先の答えは空で始めます"}, {},
         {{21, {}}, {22, {}}, {23, {}}, {24, {}}, {25, {}}, {26, {}}}, kNotChecked,
         [](Lines l) {
             l.key.resize(20);
             l.key.resize(kQuestionsInPlay, "0");
             return SjisLines(l.key);
         }},
        {"kotae ending among the answers of a question",
         [] {
             return Plain([](Lines& l) {
                 l.key.resize(24);
                 l.key[23] = "3,1";
             });
         },
         {"kotae.txt は問題 24 の答えの途中で終わっています。問題 25 から先の答えは空で始めます"}, {},
         {{24, {1}}, {25, {}}, {26, {}}}, kNotChecked,
         [](Lines l) {
             l.key.resize(23);
             l.key.resize(kQuestionsInPlay, "0");
             l.key[23] = "1,1";
             return SjisLines(l.key);
         }},
        {"a quote left open ends with its line, not at the next line's quote",
         [] { return Plain([](Lines& l) { l.texts[2] = "\"問3"; }); },
         {"mondai.txt 3 行目: 問題 3 の文の \" がその行で閉じていません。行の終わりまでを文にしました"}, {}, {},
         [](Lines l) { return SjisLines(l.texts); }, kNotChecked},
        {"text after a closing quote is left out",
         [] { return Plain([](Lines& l) { l.texts[4] = "\"問5\"です"; }); },
         {"mondai.txt 5 行目: 問題 5 の文の \" の後にある「です」は引き継ぎません"}, {}, {},
         [](Lines l) { return SjisLines(l.texts); }, kNotChecked},
        {"mondai ending early leaves the last text empty",
         [] { return Plain([](Lines& l) { l.texts.resize(25); }); },
         {"mondai.txt は問題 25 までで終わっています。問題 26 から先の文は空で始めます"}, {{26, ""}}, {},
         [](Lines l) {
             l.texts[25] = "\"\"";
             return SjisLines(l.texts);
         },
         kNotChecked},
        {"files saved as UTF-8 are read as such and written as Shift-JIS",
         [] {
             Lines l;
             return BankFiles{"\xEF\xBB\xBF" + CrLfLines(l.texts) + "メモ\r\n", SjisLines(l.key), "説明\r\n"};
         },
         {"mondai.txt は UTF-8 で保存されていました。書き出すと Shift-JIS で書き直します",
          "setumei.txt は UTF-8 で保存されていました。書き出すと Shift-JIS で書き直します"},
         {}, {}, [](Lines l) { return SjisLines(l.texts); }, kNotChecked},
        {"a question longer than its field takes is cut there, and written so",
         [] { return Plain([](Lines& l) { l.texts[4] = "\"" + Times("あ", kQuestionMaxLength + 500) + "\""; }); },
         {"mondai.txt 5 行目: 問題 5 の文が 1000 文字を超えています。1000 文字までを文にしました"},
         {{5, Times("あ", kQuestionMaxLength)}}, {},
         [](Lines l) {
             l.texts[4] = "\"" + Times("あ", kQuestionMaxLength) + "\"";
             return SjisLines(l.texts);
         },
         kNotChecked},
        {"missing files, a UTF-16 file and an empty explanation leave their parts empty",
         [] { return BankFiles{std::nullopt, std::string("1\0,\0001\0", 6), std::string()}; },
         {"mondai.txt がありません。問題の文は空で始めます",
          "kotae.txt は Shift-JIS のテキストではありません (UTF-16 で保存されていませんか)。答えは空で始めます",
          "setumei.txt が空です。説明は空で始めます"},
         EveryTextEmpty(), NoIonsAnywhere(),
         [](Lines) { return SjisLines(std::vector<std::string>(kQuestionsInPlay, "\"\"")); },
         [](Lines) { return SjisLines(std::vector<std::string>(kQuestionsInPlay, "0")); }},
    };
}

TEST(LenientReading, EachBrokenBankOpensWithNotesAndIsWrittenAsTheGameReadsIt) {
    for (const BrokenCase& c : BrokenCases()) {
        SCOPED_TRACE(c.name);
        BankEditor editor;
        EXPECT_EQ(editor.Open(c.files()), c.notes);
        const Lines plain;
        for (int q = 1; q <= kQuestionsInPlay; ++q) {
            const DraftQuestion& question = editor.Draft().questions[static_cast<std::size_t>(q - 1)];
            const auto text = c.texts.find(q);
            EXPECT_EQ(question.text, text != c.texts.end() ? text->second : "問" + std::to_string(q)) << q;
            const auto ions = c.ions.find(q);
            EXPECT_EQ(question.ions.Buttons(),
                      ions != c.ions.end() ? ions->second : std::vector<int>{(q - 1) % 12 + 1}) << q;
        }
        const auto result = editor.Write();
        ASSERT_TRUE(std::holds_alternative<WrittenBank>(result));
        const WrittenBank& written = std::get<WrittenBank>(result);
        ExpectGameReads(written, editor.Draft());
        if (const auto texts = c.writtenTexts(plain)) {
            EXPECT_EQ(written.texts, *texts);
        }
        if (const auto key = c.writtenKey(plain)) {
            EXPECT_EQ(written.key, *key);
        }
    }
}

TEST(LenientReading, BytesThatAreNotShiftJisAreFlaggedUntilMended) {
    BankFiles files = Plain([](Lines&) {});
    const std::string eighth = Sjis("\"問8\"");
    files.texts->replace(files.texts->find(eighth), eighth.size(), Sjis("\"問8") + "\x85\"");
    files.explanation = "\xFF" + Sjis("説明\r\n二行目\r\n");
    BankEditor editor;
    EXPECT_EQ(editor.Open(files),
              (std::vector<std::string>{
                  "mondai.txt 8 行目: 問題 8 の文に Shift-JIS として読めないバイトがあります。読めない所は � にしました",
                  "setumei.txt 1 行目: Shift-JIS として読めないバイトがあります。読めない所は � にしました"}));
    EXPECT_EQ(editor.Draft().questions[7].text, "問8\uFFFD");
    EXPECT_EQ(editor.Draft().explanation, "\uFFFD説明");

    const auto refused = editor.Write();
    ASSERT_TRUE(std::holds_alternative<std::vector<DraftFlag>>(refused));
    const auto& flags = std::get<std::vector<DraftFlag>>(refused);
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0].question, 8);
    EXPECT_EQ(flags[0].flag.at, 2u);
    EXPECT_EQ(flags[0].flag.replacement, std::nullopt);
    EXPECT_EQ(flags[1].question, 0);

    editor.SetText(8, "問8");
    editor.SetExplanation("説明");
    const auto result = editor.Write();
    ASSERT_TRUE(std::holds_alternative<WrittenBank>(result));
    EXPECT_EQ(std::get<WrittenBank>(result).texts, SjisLines(Lines().texts));
    EXPECT_EQ(std::get<WrittenBank>(result).explanation, Sjis("説明\r\n二行目\r\n"));
}

TEST(LenientReading, AnExplanationLongerThanItsFieldIsCutThereAndTheRestOfItsFileKept) {
    BankFiles files = Plain([](Lines&) {});
    files.explanation = Sjis(Times("説", kExplanationMaxLength + 1) + "\r\n二行目\r\n");
    BankEditor editor;
    EXPECT_EQ(editor.Open(files), (std::vector<std::string>{
                                      "setumei.txt 1 行目: 説明が 2000 文字を超えています。2000 文字までを説明にしました"}));
    EXPECT_EQ(editor.Draft().explanation, Times("説", kExplanationMaxLength));
    const auto written = editor.Write();
    ASSERT_TRUE(std::holds_alternative<WrittenBank>(written));
    EXPECT_EQ(std::get<WrittenBank>(written).explanation,
              Sjis(Times("説", kExplanationMaxLength) + "\r\n二行目\r\n"));
}

// The bytes of `text` as UTF-16, without a byte order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

TEST(LenientReading, OnlyAFileInTheFormOfUtf16IsSaidToBeUtf16) {
    std::string random;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1664525u + 1013904223u;
        random += static_cast<char>(seed >> 24);
    }
    // A zip's local header: mondai.txt, deflated.
    const std::string zip("PK\x03\x04\x14\x00\x00\x00\x08\x00\x5A\x7B\x21\x5C\x3D\x1A\x4E\x8B\x2A\x01\x00\x00"
                          "\x90\x03\x00\x00\x0A\x00\x00\x00mondai.txt\xED\x92\xCB\x4E\x02\x41",
                          46);
    struct HintCase {
        const char* name;
        std::string bytes;
        bool utf16;
    };
    const std::vector<HintCase> cases{
        // Japanese alone has no zero byte: the mark says it.
        {"UTF-16LE with a byte order mark", "\xFF\xFE" + Utf16(u"問題です", false), true},
        {"UTF-16BE without one", Utf16(u"2,1,10\r\n3,1,5,12\r\n", true), true},
        {"random bytes", random, false},
        {"a zip's first bytes", zip, false},
        {"a run of NUL bytes", std::string(64, '\0'), false},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        BankFiles files = Plain([](Lines&) {});
        files.key = c.bytes;
        BankEditor editor;
        EXPECT_EQ(editor.Open(files),
                  std::vector<std::string>{std::string("kotae.txt は Shift-JIS のテキストではありません") +
                                           (c.utf16 ? " (UTF-16 で保存されていませんか)。" : "。") + "答えは空で始めます"});
        EXPECT_EQ(editor.Draft().questions[0].ions.Buttons(), std::vector<int>{});
    }
}

}  // namespace
}  // namespace soruberia::bankedit

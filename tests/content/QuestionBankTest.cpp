// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/QuestionBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

using test::FatalMessage;
using test::Sjis;
using test::TestFolder;

constexpr std::int16_t kGameQuestions = 26;

QuestionTextTable FreshTexts() {
    QuestionTextTable texts;
    texts.fill("untouched");
    return texts;
}

std::string Lines(int count, const std::string& prefix) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += prefix + std::to_string(i) + "\r\n";
    }
    return text;
}

void ExpectMessageHas(const std::string& message, const std::vector<std::string>& fragments) {
    for (const std::string& fragment : fragments) {
        EXPECT_NE(message.find(fragment), std::string::npos)
            << "missing \"" << fragment << "\" in: " << message;
    }
}

// --- mondai.txt ------------------------------------------------------------

struct TextCase {
    const char* name;
    std::string file;  // UTF-8, stored as Shift-JIS
    std::int16_t n;
    std::vector<std::string> expected;
};

TEST(ReadQuestionTexts, FieldGrammar) {
    const std::vector<TextCase> cases = {
        {"quoted comma", "\"塩酸を加えると, 白色\"\r\n次の問題\r\n", 2,
         {"塩酸を加えると, 白色", "次の問題"}},
        {"unquoted comma splits", "塩酸,白色\r\n次\r\n", 3, {"塩酸", "白色", "次"}},
        {"several fields per line", "a,\"b\",c\r\nd", 4, {"a", "b", "c", "d"}},
        {"blanks around fields", "  \t前 後 \t\r\n\t\"  内  \"  ,x", 3, {"前 後", "  内  ", "x"}},
        {"empty fields", "a,,b\r\n\r\nc", 5, {"a", "", "b", "", "c"}},
        {"comma before line end", "a,\r\nb", 3, {"a", "", "b"}},
        {"empty quotes", "\"\",x", 2, {"", "x"}},
        {"quote inside unquoted text", "a\"b\"c,d", 2, {"a\"b\"c", "d"}},
        {"line end inside quotes", "\"一\r\n二\",三", 2, {"一\r\n二", "三"}},
        {"lone CR and LF", "a\rb\nc", 3, {"a", "b", "c"}},
        {"no line end at the end", "a\r\nb", 2, {"a", "b"}},
        {"Windows-only, half-width, 0x5C trail", "①Ⅲｱｲ表\\~", 1, {"①Ⅲｱｲ表\\~"}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TestFolder folder;
        folder.Write("mondai.txt", Sjis(c.file));
        QuestionTextTable texts = FreshTexts();
        ReadQuestionTexts(folder.Base(), c.n, texts);
        EXPECT_EQ(texts[0], "untouched");
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(texts[i + 1], c.expected[i]) << "question " << i + 1;
        }
        EXPECT_EQ(texts[c.expected.size() + 1], "untouched");
    }
}

TEST(ReadQuestionTexts, ThirtyLinesGiveTheFirstTwentySix) {
    const TestFolder folder;
    folder.Write("mondai.txt", Sjis(Lines(30, "問")));
    QuestionTextTable texts = FreshTexts();
    ReadQuestionTexts(folder.Base(), kGameQuestions, texts);
    for (int i = 1; i <= 26; ++i) {
        EXPECT_EQ(texts[static_cast<std::size_t>(i)], "問" + std::to_string(i));
    }
    for (std::size_t i = 27; i <= 30; ++i) {
        EXPECT_EQ(texts[i], "untouched");
    }
}

TEST(ReadQuestionTexts, UnquotedCommaShiftsEveryLaterText) {
    std::string file = Lines(30, "問");
    file.replace(file.find("問2\r\n"), 4, "問2前,問2後");
    const TestFolder folder;
    folder.Write("mondai.txt", Sjis(file));
    QuestionTextTable texts = FreshTexts();
    ReadQuestionTexts(folder.Base(), kGameQuestions, texts);
    EXPECT_EQ(texts[1], "問1");
    EXPECT_EQ(texts[2], "問2前");
    EXPECT_EQ(texts[3], "問2後");
    EXPECT_EQ(texts[4], "問3");
    EXPECT_EQ(texts[26], "問25");
}

struct FailCase {
    const char* name;
    std::string bytes;  // raw file bytes
    std::int16_t n;
    std::vector<std::string> fragments;
};

TEST(ReadQuestionTexts, MalformedFilesAreFatalAndNamed) {
    const std::vector<FailCase> cases = {
        {"too few fields", Sjis("一\r\n二\r\n"), 3, {"line 3, field 3", "question 3", "ends"}},
        {"empty file", "", 1, {"line 1, field 1", "question 1", "ends"}},
        {"quote never closed", "a\r\n\"bc\r\nd", 2, {"line 2, field 2", "never closed"}},
        {"text after closing quote", "\"a\" b,c", 2, {"line 1, field 1", "after the closing", "\"b\""}},
        {"byte not Shift-JIS", "a\r\nb\x80" "c", 2, {"line 2, field 2", "0x80"}},
        {"lead byte without trail", "\x82,b", 1, {"line 1, field 1", "0x82"}},
        {"invalid in quoted text", Sjis("x\r\n\"あ") + "\xA0\"", 2, {"line 2, field 2", "0xA0"}},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TestFolder folder;
        folder.Write("mondai.txt", c.bytes);
        QuestionTextTable texts = FreshTexts();
        const std::string message =
            FatalMessage([&] { ReadQuestionTexts(folder.Base(), c.n, texts); });
        EXPECT_EQ(message.rfind(folder.TextPath("mondai.txt"), 0), 0u) << message;
        ExpectMessageHas(message, c.fragments);
    }
}

// --- kotae.txt -------------------------------------------------------------

struct KeyTables {
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    KeyTables() {
        counts.fill(-99);
        for (auto& row : key) {
            row.fill(77);
        }
    }
};

struct KeyCase {
    const char* name;
    std::string file;
    std::int16_t n;
    std::vector<std::vector<int>> questions;  // count, then its answers
};

TEST(ReadAnswerKey, FieldGrammar) {
    const std::vector<KeyCase> cases = {
        {"one question per line", "2,1,10\r\n3,7,9,2\r\n", 2, {{2, 1, 10}, {3, 7, 9, 2}}},
        {"blanks separate numbers", "2 1 10\r\n3\t7 , 9 ,2", 2, {{2, 1, 10}, {3, 7, 9, 2}}},
        {"lone CR and LF", "2\r1\n10\n3,7,9,2", 2, {{2, 1, 10}, {3, 7, 9, 2}}},
        {"count zero reads no answer", "0\r\n1,5\r\n", 2, {{0}, {1, 5}}},
        {"negative count kept, reads nothing", "-3\r\n1,5", 2, {{-3}, {1, 5}}},
        {"count twelve", "12,1,2,3,4,5,6,7,8,9,10,11,12\r\n1,3", 2,
         {{12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {1, 3}}},
        {"answers stored as read", "4,0,13,-5,00012", 1, {{4, 0, 13, -5, 12}}},
        {"limits of 16 bits", "2,-32768,32767", 1, {{2, -32768, 32767}}},
        {"fields after the last never read", "1,1\r\n1,2\r\n\x80zz,,", 2, {{1, 1}, {1, 2}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TestFolder folder;
        folder.Write("kotae.txt", c.file);
        KeyTables tables;
        ReadAnswerKey(folder.Base(), c.n, tables.counts, tables.key);
        EXPECT_EQ(tables.counts[0], -99);
        EXPECT_EQ(tables.key[0][1], 77);
        for (std::size_t q = 1; q <= c.questions.size(); ++q) {
            const std::vector<int>& expected = c.questions[q - 1];
            EXPECT_EQ(tables.counts[q], expected[0]) << "question " << q;
            for (std::size_t k = 0; k < tables.key[q].size(); ++k) {
                const int want = (k >= 1 && k < expected.size()) ? expected[k] : 77;
                EXPECT_EQ(tables.key[q][k], want) << "question " << q << " slot " << k;
            }
        }
        EXPECT_EQ(tables.counts[c.questions.size() + 1], -99);
    }
}

TEST(ReadAnswerKey, OnePerLineAndOneLinePerQuestionAgree) {
    std::string perLine;
    std::string perQuestion;
    for (int q = 1; q <= kGameQuestions; ++q) {
        const int count = q % 5;
        perLine += std::to_string(count) + "\r\n";
        perQuestion += std::to_string(count);
        for (int k = 1; k <= count; ++k) {
            const std::string answer = std::to_string((q + k) % 12 + 1);
            perLine += answer + "\r\n";
            perQuestion += "," + answer;
        }
        perQuestion += "\r\n";
    }
    const TestFolder folder;
    KeyTables a;
    KeyTables b;
    folder.Write("kotae.txt", perLine);
    ReadAnswerKey(folder.Base(), kGameQuestions, a.counts, a.key);
    folder.Write("kotae.txt", perQuestion);
    ReadAnswerKey(folder.Base(), kGameQuestions, b.counts, b.key);
    EXPECT_EQ(a.counts, b.counts);
    EXPECT_EQ(a.key, b.key);
    EXPECT_EQ(a.counts[26], 1);
    EXPECT_EQ(a.key[26][1], 4);
}

TEST(ReadAnswerKey, RereadKeepsStaleSlotsAboveASmallerCount) {
    const TestFolder folder;
    KeyTables tables;
    folder.Write("kotae.txt", "3,1,2,3\r\n");
    ReadAnswerKey(folder.Base(), 1, tables.counts, tables.key);
    folder.Write("kotae.txt", "1,9\r\n");
    ReadAnswerKey(folder.Base(), 1, tables.counts, tables.key);
    EXPECT_EQ(tables.counts[1], 1);
    EXPECT_EQ(tables.key[1][1], 9);
    EXPECT_EQ(tables.key[1][2], 2);
    EXPECT_EQ(tables.key[1][3], 3);
}

TEST(ReadAnswerKey, MalformedFilesAreFatalAndNamed) {
    const std::string thirteen = "13,1,2,3,4,5,6,7,8,9,10,11,12";
    const std::vector<FailCase> cases = {
        {"count 13 with 13 answers", thirteen + ",13", 1,
         {"line 1, field 1", "count of question 1", "count 13 is above 12"}},
        // The 13th pass stops before it reads on, whatever follows.
        {"count 13 stops before the 13th field", thirteen + ",junk", 1, {"count 13 is above 12"}},
        {"count 13 on a later line", "1,4\r\n" + thirteen + ",13", 2,
         {"line 2, field 3", "count of question 2", "count 13"}},
        {"above 16 bits", "32768", 1, {"line 1, field 1", "\"32768\"", "outside"}},
        {"below 16 bits", "1,-32769", 1, {"field 2", "answer 1 of question 1", "\"-32769\"", "outside"}},
        {"very long number", "1," + std::string(400, '9'), 1, {"field 2", "outside"}},
        {"letters", "2,a,3", 1, {"field 2", "not a number: \"a\""}},
        {"plus sign", "+2,1,2", 1, {"field 1", "not a number: \"+2\""}},
        {"minus alone", "-,1", 1, {"field 1", "not a number: \"-\""}},
        {"digits then letters", "2x,1,2", 1, {"not a number: \"2x\""}},
        {"full-width digit", Sjis("２,1,2"), 1, {"not a number: \"２\""}},
        {"bytes not Shift-JIS", "1,\x80\x81", 1, {"field 2", "not a number: \"\\x80\\x81\""}},
        {"two commas", "2,,1", 1, {"field 2", "empty field"}},
        {"trailing comma", "1,1,\r\n1,2", 2, {"line 1, field 3", "count of question 2", "empty field"}},
        {"empty line", "1,1\r\n\r\n1,2", 2, {"line 2, field 3", "empty field"}},
        {"ends before an answer", "3,1,2", 1, {"field 4", "answer 3 of question 1", "ends"}},
        {"ends before a count", "1,1\r\n", 2, {"line 2, field 3", "count of question 2", "ends"}},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TestFolder folder;
        folder.Write("kotae.txt", c.bytes);
        KeyTables tables;
        const std::string message = FatalMessage(
            [&] { ReadAnswerKey(folder.Base(), c.n, tables.counts, tables.key); });
        EXPECT_EQ(message.rfind(folder.TextPath("kotae.txt"), 0), 0u) << message;
        ExpectMessageHas(message, c.fragments);
    }
}

// --- both files ------------------------------------------------------------

TEST(QuestionBank, QuestionCountBeyondTheTablesIsFatal) {
    const TestFolder folder;
    folder.Write("mondai.txt", Sjis(Lines(31, "問")));
    folder.Write("kotae.txt", "0\r\n");
    QuestionTextTable texts = FreshTexts();
    KeyTables tables;
    ExpectMessageHas(FatalMessage([&] { ReadQuestionTexts(folder.Base(), 31, texts); }),
                     {folder.TextPath("mondai.txt"), "31", "at most 30"});
    ExpectMessageHas(FatalMessage([&] {
                         ReadAnswerKey(folder.Base(), 31, tables.counts, tables.key);
                     }),
                     {folder.TextPath("kotae.txt"), "31", "at most 30"});
    ReadQuestionTexts(folder.Base(), 30, texts);
    EXPECT_EQ(texts[30], "問30");
}

TEST(QuestionBank, FilesAreReadAnewAtEveryCall) {
    const TestFolder folder;
    QuestionTextTable texts = FreshTexts();
    folder.Write("mondai.txt", Sjis("古い問題"));
    ReadQuestionTexts(folder.Base(), 1, texts);
    EXPECT_EQ(texts[1], "古い問題");
    folder.Write("mondai.txt", Sjis("新しい問題"));
    ReadQuestionTexts(folder.Base(), 1, texts);
    EXPECT_EQ(texts[1], "新しい問題");
}

TEST(QuestionBank, MissingOrUnusableFilesAreFatalAndNamed) {
    const TestFolder folder;
    QuestionTextTable texts = FreshTexts();
    KeyTables tables;
    const auto readTexts = [&] { ReadQuestionTexts(folder.Base(), kGameQuestions, texts); };
    const auto readKey = [&] {
        ReadAnswerKey(folder.Base(), kGameQuestions, tables.counts, tables.key);
    };

    ExpectMessageHas(FatalMessage(readTexts), {folder.TextPath("mondai.txt"), "not found"});
    ExpectMessageHas(FatalMessage(readKey), {folder.TextPath("kotae.txt"), "not found"});

    std::filesystem::create_directory(folder.Texts() / "kotae.txt");
    ExpectMessageHas(FatalMessage(readKey), {folder.TextPath("kotae.txt"), "folder, not a file"});

    folder.Write("mondai.txt", std::string(kMaxContentFileBytes + 1, 'a'));
    ExpectMessageHas(FatalMessage(readTexts), {folder.TextPath("mondai.txt"), "too large"});

    std::filesystem::remove_all(folder.Texts());
    ExpectMessageHas(FatalMessage(readTexts),
                     {folder.TextPath("mondai.txt"), "folder " + folder.Base() + "/問題 does not exist"});
}

}  // namespace
}  // namespace soruberia

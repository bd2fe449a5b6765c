// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/QuestionBank.h"

#include "content/ContentFile.h"
#include "content/ContentPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "content/FatalError.h"
#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

using test::ContentFailureOf;
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

ContentFile Texts(std::string bytes) { return {"問題/mondai.txt", std::move(bytes)}; }
ContentFile Key(std::string bytes) { return {"問題/kotae.txt", std::move(bytes)}; }

void ParseTexts(const ContentFile& file, int n, QuestionTextTable& texts) {
    StoreQuestionTexts(ParseQuestionTexts(file, n), texts);
}

// Where and why a reader stopped, as a value.
struct Stop {
    ContentFault fault;
    int line;
    int field;
    FieldRole role;
    int question;
    int answer = 0;
    std::string found = {};
};

void ExpectStop(const ContentFailure& failure, const Stop& expected, const std::string& file) {
    EXPECT_EQ(failure.file, file);
    EXPECT_EQ(failure.fault, expected.fault);
    EXPECT_EQ(failure.line, expected.line);
    EXPECT_EQ(failure.field, expected.field);
    EXPECT_EQ(failure.role, expected.role);
    EXPECT_EQ(failure.question, expected.question);
    EXPECT_EQ(failure.answer, expected.answer);
    if (!expected.found.empty()) {
        EXPECT_EQ(failure.found, expected.found);
    }
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
        QuestionTextTable texts = FreshTexts();
        ParseTexts(Texts(Sjis(c.file)), c.n, texts);
        EXPECT_EQ(texts[0], "untouched");
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(texts[i + 1], c.expected[i]) << "question " << i + 1;
        }
        EXPECT_EQ(texts[c.expected.size() + 1], "untouched");
    }
}

TEST(ReadQuestionTexts, ThirtyLinesGiveTheFirstTwentySix) {
    QuestionTextTable texts = FreshTexts();
    ParseTexts(Texts(Sjis(Lines(30, "問"))), kGameQuestions, texts);
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
    QuestionTextTable texts = FreshTexts();
    ParseTexts(Texts(Sjis(file)), kGameQuestions, texts);
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
    Stop stop;
};

TEST(ReadQuestionTexts, MalformedFilesStopAtTheFirstProblem) {
    constexpr auto kText = FieldRole::kQuestionText;
    const std::vector<FailCase> cases = {
        // The end of the file is reported on the last line that has content.
        {"too few fields", Sjis("一\r\n二\r\n"), 3, {ContentFault::kFileEnds, 2, 3, kText, 3}},
        {"empty file", "", 1, {ContentFault::kFileEnds, 1, 1, kText, 1}},
        {"quote never closed", "a\r\n\"bc\r\nd", 2, {ContentFault::kUnclosedQuote, 2, 2, kText, 2}},
        {"text after closing quote", "\"a\" b,c", 2, {ContentFault::kTextAfterQuote, 1, 1, kText, 1, 0, "b"}},
        {"text after a quote over two lines", "\"a\r\nb\"c", 1,
         {ContentFault::kTextAfterQuote, 2, 1, kText, 1, 0, "c"}},
        {"byte not Shift-JIS", "a\r\nb\x80" "c", 2, {ContentFault::kInvalidShiftJis, 2, 2, kText, 2, 0, "\x80" "c"}},
        {"lead byte without trail", "\x82,b", 1, {ContentFault::kInvalidShiftJis, 1, 1, kText, 1, 0, "\x82"}},
        {"invalid in quoted text", Sjis("x\r\n\"あ") + "\xA0\"", 2,
         {ContentFault::kInvalidShiftJis, 2, 2, kText, 2, 0, "\xA0"}},
        {"invalid on the second line of a quoted text", "\"ok\r\n\x81\x7F\"", 1,
         {ContentFault::kInvalidShiftJis, 2, 1, kText, 1, 0, "\x81\x7F"}},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        QuestionTextTable texts = FreshTexts();
        ExpectStop(ContentFailureOf([&] { ParseTexts(Texts(c.bytes), c.n, texts); }), c.stop,
                   "問題/mondai.txt");
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
        KeyTables tables;
        StoreAnswerKey(ParseAnswerKey(Key(c.file), c.n), tables.counts, tables.key);
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
    KeyTables a;
    KeyTables b;
    StoreAnswerKey(ParseAnswerKey(Key(perLine), kGameQuestions), a.counts, a.key);
    StoreAnswerKey(ParseAnswerKey(Key(perQuestion), kGameQuestions), b.counts, b.key);
    EXPECT_EQ(a.counts, b.counts);
    EXPECT_EQ(a.key, b.key);
    EXPECT_EQ(a.counts[26], 1);
    EXPECT_EQ(a.key[26][1], 4);
}

TEST(ReadAnswerKey, RereadKeepsStaleSlotsAboveASmallerCount) {
    KeyTables tables;
    StoreAnswerKey(ParseAnswerKey(Key("3,1,2,3\r\n"), 1), tables.counts, tables.key);
    StoreAnswerKey(ParseAnswerKey(Key("1,9\r\n"), 1), tables.counts, tables.key);
    EXPECT_EQ(tables.counts[1], 1);
    EXPECT_EQ(tables.key[1][1], 9);
    EXPECT_EQ(tables.key[1][2], 2);
    EXPECT_EQ(tables.key[1][3], 3);
}

TEST(ReadAnswerKey, MalformedFilesStopAtTheFirstProblem) {
    constexpr auto kCount = FieldRole::kAnswerCount;
    constexpr auto kAnswer = FieldRole::kAnswer;
    const std::string thirteen = "13,1,2,3,4,5,6,7,8,9,10,11,12";
    const std::vector<FailCase> cases = {
        {"count 13 with 13 answers", thirteen + ",13", 1, {ContentFault::kCountAboveSlots, 1, 1, kCount, 1}},
        // The 13th pass stops before it reads on, whatever follows.
        {"count 13 stops before the 13th field", thirteen + ",junk", 1,
         {ContentFault::kCountAboveSlots, 1, 1, kCount, 1}},
        {"count 13 on a later line", "1,4\r\n" + thirteen + ",13", 2,
         {ContentFault::kCountAboveSlots, 2, 3, kCount, 2}},
        {"above 16 bits", "32768", 1, {ContentFault::kNumberOutOfRange, 1, 1, kCount, 1, 0, "32768"}},
        {"below 16 bits", "1,-32769", 1, {ContentFault::kNumberOutOfRange, 1, 2, kAnswer, 1, 1, "-32769"}},
        {"very long number", "1," + std::string(400, '9'), 1, {ContentFault::kNumberOutOfRange, 1, 2, kAnswer, 1, 1}},
        {"letters", "2,a,3", 1, {ContentFault::kNotANumber, 1, 2, kAnswer, 1, 1, "a"}},
        {"plus sign", "+2,1,2", 1, {ContentFault::kNotANumber, 1, 1, kCount, 1, 0, "+2"}},
        {"minus alone", "-,1", 1, {ContentFault::kNotANumber, 1, 1, kCount, 1, 0, "-"}},
        {"digits then letters", "2x,1,2", 1, {ContentFault::kNotANumber, 1, 1, kCount, 1, 0, "2x"}},
        {"full-width digit", Sjis("２,1,2"), 1, {ContentFault::kNotANumber, 1, 1, kCount, 1, 0, Sjis("２")}},
        {"bytes not Shift-JIS", "1,\x80\x81", 1, {ContentFault::kNotANumber, 1, 2, kAnswer, 1, 1, "\x80\x81"}},
        {"two commas", "2,,1", 1, {ContentFault::kEmptyNumber, 1, 2, kAnswer, 1, 1}},
        {"trailing comma", "1,1,\r\n1,2", 2, {ContentFault::kEmptyNumber, 1, 3, kCount, 2}},
        {"empty line", "1,1\r\n\r\n1,2", 2, {ContentFault::kEmptyNumber, 2, 3, kCount, 2}},
        {"ends before an answer", "3,1,2", 1, {ContentFault::kFileEnds, 1, 4, kAnswer, 1, 3}},
        // Empty lines and commas at the end are no fields: the file has ended.
        {"ends before a count", "1,1\r\n", 2, {ContentFault::kFileEnds, 1, 3, kCount, 2}},
        // A lone comma is the last thing written: the end is reported there.
        {"ends in empty lines and commas", "1,1\r\n\r\n,\r\n", 2, {ContentFault::kFileEnds, 3, 3, kCount, 2}},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectStop(ContentFailureOf([&] { (void)ParseAnswerKey(Key(c.bytes), c.n); }), c.stop,
                   "問題/kotae.txt");
    }
}

TEST(QuestionBank, FailuresReadInJapaneseWithFileLineAndField) {
    const struct {
        const char* name;
        std::function<void()> parse;
        std::string message;
    } cases[] = {
        {"file ends", [] { (void)ParseQuestionTexts(Texts(Sjis("一\r\n二\r\n")), 3); },
         "問題/mondai.txt:2: エラー: 3 番目の項目（問題 3 の文）: 問題 3 の文を読む前にファイルが終わっています"},
        {"text after quote", [] { (void)ParseQuestionTexts(Texts("\"a\" b,c"), 1); },
         "問題/mondai.txt:1: エラー: 1 番目の項目（問題 1 の文）: 閉じる二重引用符 \" のあとに文字があります: 「b」"},
        {"not Shift-JIS", [] { (void)ParseQuestionTexts(Texts("abc\x81\x7F"), 1); },
         "問題/mondai.txt:1: エラー: 1 番目の項目（問題 1 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: "
         "行の 4 バイト目の 0x81 0x7F"},
        {"not a number", [] { (void)ParseAnswerKey(Key("0\r\n2,x,3"), 2); },
         "問題/kotae.txt:2: エラー: 3 番目の項目（問題 2 の 1 番目の正解）: 数ではありません: 「x」"},
        {"out of range", [] { (void)ParseAnswerKey(Key("40000"), 1); },
         "問題/kotae.txt:1: エラー: 1 番目の項目（問題 1 の正解の数）: 数 「40000」 が -32768 から 32767 の範囲の外です"},
        {"count 13", [] { (void)ParseAnswerKey(Key("13,1,2,3,4,5,6,7,8,9,10,11,12,1"), 1); },
         "問題/kotae.txt:1: エラー: 1 番目の項目（問題 1 の正解の数）: 正解の数 13 が正解の枠の数 12 を超えています"},
        {"too many questions", [] { (void)ParseAnswerKey(Key("0"), 31); },
         "問題/kotae.txt: エラー: 31 問を読むように求められましたが、問題の表には 30 問までしか入りません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = FatalMessage(c.parse);
        EXPECT_EQ(message.substr(0, message.find('\n')), c.message);
    }
}

TEST(QuestionBank, TheGamesMessageEndsBySendingTheTeacherToTheChecker) {
    const struct {
        std::string file;
        std::string lastLine;
    } cases[] = {
        {"/home/先生/ソルベリア/問題/kotae.txt",
         "問題点をすべて確かめるには、soruberia-check /home/先生/ソルベリア を実行してください。"},
        {"/home/t/my game/問題/mondai.txt", "問題点をすべて確かめるには、soruberia-check \"/home/t/my game\" を実行してください。"},
        {"問題/kotae.txt", "問題点をすべて確かめるには、soruberia-check . を実行してください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string message = FatalMessage([&c] { (void)ParseAnswerKey({c.file, "x"}, 1); });
        ASSERT_NE(message.find('\n'), std::string::npos) << message;
        EXPECT_EQ(message.substr(message.rfind('\n') + 1), c.lastLine);
    }
}

// --- both files ------------------------------------------------------------

TEST(QuestionBank, QuestionCountBeyondTheTablesIsFatal) {
    const TestFolder folder;
    folder.Write("mondai.txt", Sjis(Lines(31, "問")));
    folder.Write("kotae.txt", "0\r\n");
    QuestionTextTable texts = FreshTexts();
    KeyTables tables;
    const auto tooMany = [](const ContentFailure& failure, const std::string& file) {
        EXPECT_EQ(failure.fault, ContentFault::kTooManyQuestions);
        EXPECT_EQ(failure.value, 31);
        EXPECT_EQ(failure.file, file);
    };
    tooMany(ContentFailureOf([&] { ReadQuestionTexts(folder.Base(), 31, texts); }), folder.TextPath("mondai.txt"));
    tooMany(ContentFailureOf([&] { ReadAnswerKey(folder.Base(), 31, tables.counts, tables.key); }),
            folder.TextPath("kotae.txt"));
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

    ExpectMessageHas(FatalMessage(readTexts), {folder.TextPath("mondai.txt") + ": エラー: ファイルがありません"});
    ExpectMessageHas(FatalMessage(readKey), {folder.TextPath("kotae.txt") + ": エラー: ファイルがありません"});

    std::filesystem::create_directory(folder.Texts() / "kotae.txt");
    ExpectMessageHas(FatalMessage(readKey), {folder.TextPath("kotae.txt") + ": エラー: ファイルではなくフォルダです"});

    folder.Write("mondai.txt", std::string(kMaxContentFileBytes + 1, 'a'));
    ExpectMessageHas(FatalMessage(readTexts), {folder.TextPath("mondai.txt"), "大きすぎます"});

    std::filesystem::remove_all(folder.Texts());
    ExpectMessageHas(FatalMessage(readTexts),
                     {folder.TextPath("mondai.txt"), "（フォルダ " + DisplayPath(FullPath(folder.Base(), "\\問題")) + " がありません）"});
}

}  // namespace
}  // namespace soruberia

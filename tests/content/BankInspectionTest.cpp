// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's reading of the text files: what it reports, and that it
// agrees with the game's own readers on which files stop the game and where.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "content/BankInspection.h"
#include "content/ContentFailure.h"
#include "content/ContentMessages.h"
#include "content/ExplanationFile.h"
#include "content/QuestionBank.h"
#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

constexpr int kQuestions = 26;
const std::string kFile = "kotae.txt";

std::string DefaultFile(const std::string& name) {
    const std::string path = std::string(DEFAULT_CONTENT) + "/問題/" + name;
    std::filesystem::path file(std::u8string(path.begin(), path.end()));
#ifdef _WIN32
    // Cross-built and run under Wine: drive Z: is the root of the host.
    file = std::filesystem::path(u8"Z:") / file;
#endif
    std::ifstream in(file, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 26 lines joined by CR LF, `line` replaced where `changed` names it.
std::string Lines(const std::string& usual, const std::map<int, std::string>& changed,
                  int count = kQuestions) {
    std::string bytes;
    for (int line = 1; line <= count; ++line) {
        const auto it = changed.find(line);
        bytes += (it != changed.end() ? it->second : usual) + "\r\n";
    }
    return bytes;
}

std::string Describe(const std::vector<Finding>& findings) {
    static const char* const kKinds[] = {"注", "警告", "エラー"};
    std::ostringstream text;
    for (const Finding& f : findings) {
        text << "\n  " << f.line << ": " << kKinds[static_cast<int>(f.severity)] << ": "
             << f.message;
    }
    return text.str();
}

struct Expected {
    Severity severity;
    int line;
    std::string fragment;
};

void ExpectFindings(const std::vector<Finding>& found, const std::vector<Expected>& expected) {
    EXPECT_EQ(found.size(), expected.size()) << Describe(found);
    for (const Expected& e : expected) {
        const bool present = std::any_of(found.begin(), found.end(), [&e](const Finding& f) {
            return f.severity == e.severity && f.line == e.line &&
                   f.message.find(e.fragment) != std::string::npos;
        });
        EXPECT_TRUE(present) << "line " << e.line << " \"" << e.fragment << "\" not among"
                             << Describe(found);
    }
}

// ---- what is reported ------------------------------------------------

TEST(BankInspection, DefaultContentHasNothingToReportAndReadsAsTheGameDoes) {
    const std::string texts = DefaultFile("mondai.txt");
    const QuestionTextsInspection inspection = InspectQuestionTexts("mondai.txt", texts, kQuestions);
    EXPECT_TRUE(inspection.findings.empty()) << Describe(inspection.findings);
    EXPECT_TRUE(InspectAnswerKey(kFile, DefaultFile("kotae.txt"), kQuestions).empty());
    EXPECT_TRUE(InspectExplanation("setumei.txt", DefaultFile("setumei.txt")).empty());

    const std::vector<std::string> game = ParseQuestionTexts({"mondai.txt", texts}, kQuestions);
    ASSERT_EQ(inspection.texts.size(), 26u);
    for (const QuestionText& question : inspection.texts) {
        EXPECT_EQ(question.text, game[static_cast<std::size_t>(question.question - 1)]);
        EXPECT_EQ(question.line, question.question);  // one text to a line
    }
}

struct KeyCase {
    const char* name;
    std::map<int, std::string> lines;
    std::vector<Expected> expected;
};

TEST(BankInspection, AnswerKeyProblemsAreReportedOnTheirLines) {
    const std::string fullWidthOne = test::Sjis("１");
    const std::vector<KeyCase> cases = {
        {"ion twice", {{3, "2,5,5"}}, {{Severity::kError, 3, "イオン 5（Cu²⁺）が問題 3 に二度書かれています"}}},
        {"ion 13", {{4, "2,1,13"}}, {{Severity::kError, 4, "問題 4 の 2 番目の正解が 13 で、イオンの番号（1 から 12）ではありません"}}},
        {"ion 0", {{4, "1,0"}}, {{Severity::kError, 4, "問題 4 の 1 番目の正解が 0 で、イオンの番号"}}},
        {"count 0", {{5, "0"}}, {{Severity::kWarning, 5, "問題 5 の正解の数が 0 です"}}},
        {"negative count", {{6, "-2"}}, {{Severity::kError, 6, "0 にならないので、問題 6 は正解では終わりません。5 回目のミスで風船が割れ、得点が半分になって次の問題に進みます"}}},
        // Thirteen answers repeat an ion of necessity: the count is the one cause.
        {"count 13",
         {{7, "13,1,2,3,4,5,6,7,8,9,10,11,12,7"}},
         {{Severity::kError, 7, "問題 7 の正解の数 13 が 12 を超えています"}}},
        {"count 12 is fine", {{7, "12,1,2,3,4,5,6,7,8,9,10,11,12"}}, {}},
        {"blanks around numbers", {{2, "  2 ,\t3 , 4  "}}, {}},
        {"beyond 16 bits", {{8, "2,1,40000"}}, {{Severity::kError, 8, "数 「40000」 が -32768 から 32767 の範囲の外です"}}},
        {"no digits", {{8, "2,1,-"}}, {{Severity::kError, 8, "数ではありません: 「-」"}}},
        {"full-width digits",
         {{8, "1," + fullWidthOne}},
         {{Severity::kError, 8, "（問題 8 の 1 番目の正解）: 数ではありません: 「１」（全角の数字です"}}},
        // A bad count on a line of its own question: the next line goes on.
        {"count without digits, then more",
         {{3, "x,1,2"}, {5, "2,3,3"}},
         {{Severity::kError, 3, "（問題 3 の正解の数）: 数ではありません: 「x」"},
          {Severity::kError, 5, "イオン 3（Ba²⁺）が問題 5 に二度書かれています"}}},
        {"empty field, then more",
         {{3, "2,1,,5"}, {9, "1,14"}},
         {{Severity::kError, 3, "数が入るはずの項目が空です"},
          {Severity::kError, 9, "問題 9 の 1 番目の正解が 14 で"}}},
        {"too few numbers on a line",
         {{10, "3,1,5"}},
         {{Severity::kError, 10,
           "問題 10: 正解の数 3 のあとに、この行にはイオンの番号が 2 個あります。ゲームは場所にかかわらず次の 3 "
           "個の数を取るので、足りない 1 個が下の行から取られ、それ以降の問題がすべてずれて、別の問題の正解で採点されます"},
          {Severity::kNote, 11, "イオン 1（Ag⁺）が問題 10 に二度書かれています（1 番目と 3 番目の正解）。一度押せば"
                                "見つかるので、残りの正解の数が 0 にならず、問題 10 は正解では終わりません。5 回目のミスで風船が割れ、"
                                "得点が半分になって次の問題に進みます（10 行目のずれによる）"},
          {Severity::kNote, 26, "問題 26 の 1 番目の正解を読む前にファイルが終わっています（正解の数 1 は 26 行目）。"
                                "ゲームはここで止まります（10 行目のずれによる）"}}},
        {"too many numbers on the last line",
         {{26, "1,4,5"}},
         {{Severity::kWarning, 26, "この行の最後の 1 個は読まれません"},
          {Severity::kNote, 26, "ここから先は読まれません"}}},
        {"empty line in the middle", {{20, "1,1\r\n"}}, {{Severity::kError, 21, "数が入るはずの項目が空です"}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFindings(InspectAnswerKey(kFile, Lines("1,1", c.lines), kQuestions), c.expected);
    }
    // 20 questions and an empty line: the file ends, as the game finds.
    const std::string shortKey = Lines("1,2", {}, 20);
    ExpectFindings(InspectAnswerKey(kFile, shortKey + "\r\n", kQuestions),
                   {{Severity::kError, 20, "問題 21 の正解の数を読む前にファイルが終わっています（ファイルには "
                                           "20 問分の正解しかなく"}});
    // Every field on its own line is as good as one question to a line.
    std::string oneField;
    for (int q = 1; q <= kQuestions; ++q) oneField += "2\r\n" + std::to_string(q % 11 + 2) + "\r\n1\r\n";
    ExpectFindings(InspectAnswerKey(kFile, oneField, kQuestions), {});
}

TEST(BankInspection, FieldsAfterTheLastQuestionAreNeverAFault) {
    const std::string key = Lines("1,1", {}) + "abc,99999,,-1,1,1\r\n";
    ExpectFindings(InspectAnswerKey(kFile, key, kQuestions),
                   {{Severity::kNote, 27, "ここから先は読まれません"}});
    // A 27th question is never asked: a warning, and nothing of its faults.
    const std::string texts = Lines("\"Q\"", {}) + "\x81\x7F,\"never closed\r\n";
    const QuestionTextsInspection inspection = InspectQuestionTexts("mondai.txt", texts, kQuestions);
    ExpectFindings(inspection.findings, {{Severity::kWarning, 27, "ここから先は読まれません。ゲームが読むのは 26 問の文だけなので、27 問目からは出題されません"}});
}

TEST(BankInspection, QuestionTextProblemsAreReportedOnTheirLines) {
    struct TextCase {
        const char* name;
        std::string bytes;
        std::vector<Expected> expected;
    };
    const std::vector<TextCase> cases = {
        {"25 texts", Lines("\"Q\"", {}, 25),
         {{Severity::kError, 25, "問題 26 の文を読む前にファイルが終わっています（文は 25 個しかなく、ゲームは 26 個読みます）"}}},
        {"bad Shift-JIS", Lines("\"Q\"", {{7, "\"abc\x81\x7F" "def\""}}),
         {{Severity::kError, 7,
           "（問題 7 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: 行の 5 バイト目の 0x81 0x7F"}}},
        {"lone lead byte at the end", Lines("Q", {{9, "abc\x81"}}),
         {{Severity::kError, 9, "行の 4 バイト目の 0x81。"}}},
        {"unquoted comma", Lines("\"Q\"", {{8, "abc,def"}}),
         {{Severity::kError, 8, "問題 8 の文は二重引用符で囲まれていないので、半角のコンマ , で終わります。コンマの"
                               "あとは別の文として読まれ、問題 9 から後の文がすべて一つずつずれて、別の問題の正解で"
                               "採点されます（コンマも文の一部なら、文を半角の二重引用符 \" で囲んでください）"},
          {Severity::kNote, 26, "ここから先は読まれません。ゲームが読むのは 26 問の文だけなので、27 問目からは出題されません（8 行目のずれによる）"}}},
        {"empty line", Lines("\"Q\"", {{4, ""}}),
         {{Severity::kError, 4, "問題 4 の文が空です。空の行や、コンマが二つ続くところ、行末のコンマも一つの文として"
                               "数えられるので、問題 5 から後の文がすべて一つずつずれて"}}},
        {"text after the closing quote", Lines("\"Q\"", {{5, "\"ab\"cd"}, {6, "\"x\"y"}}),
         {{Severity::kError, 5, "（問題 5 の文）: 閉じる二重引用符 \" のあとに文字があります: 「cd」"},
          {Severity::kError, 6, "（問題 6 の文）: 閉じる二重引用符 \" のあとに文字があります: 「y」"}}},
        {"quote left open on one line", Lines("\"Q\"", {{3, "\"open"}}),
         {{Severity::kError, 3, "問題 3 の文が 4 行目まで続いています。二重引用符の間の改行も文の一部になるので、"
                               "問題 4 から後の文がすべて一つずつずれて"},
          {Severity::kError, 4, "（問題 3 の文）: 閉じる二重引用符 \" のあとに文字があります: 「Q\"」"},
          {Severity::kNote, 26, "問題 26 の文を読む前にファイルが終わっています（文は 25 個しかなく、ゲームは 26 個読みます）。"
                                "ゲームの開始で止まります（3 行目のずれによる）"}}},
        {"quote never closed", Lines("\"Q\"", {{26, "\"open"}}),
         {{Severity::kError, 26, "（問題 26 の文）: 文の始めの二重引用符 \" が閉じられていません"}}},
        // Named once, at the file; where the game stops follows from it.
        {"UTF-8", Lines("\"問題\"", {}), {{Severity::kError, 0, "ファイルが UTF-8 で保存されています"}}},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + Lines("\"問題\"", {}),
         {{Severity::kError, 0, "ファイルが UTF-8（BOM 付き）で保存されています"}}},
        {"UTF-16", std::string("\xFF\xFE\x22\x00\x4F\x55\x22\x00\x0D\x00\x0A\x00", 12),
         {{Severity::kError, 0, "ファイルが UTF-16（メモ帳の「Unicode」）で保存されています"}}},
        {"UTF-16 without a byte order mark", std::string("\x22\x00\x4F\x55\x22\x00\x0D\x00\x0A\x00", 10),
         {{Severity::kError, 0, "「ANSI」"}}},
        {"half-width quote inside a quoted text", Lines("\"Q\"", {{2, "\"He said \"no\" to it\""}}),
         {{Severity::kError, 2, "半角の二重引用符 \" は文の中に書けません"}}},
        {"empty file", "", {{Severity::kError, 1, "ファイルが空です"}}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFindings(InspectQuestionTexts("mondai.txt", c.bytes, kQuestions).findings, c.expected);
    }
}

TEST(BankInspection, ExplanationProblems) {
    ExpectFindings(InspectExplanation("setumei.txt", ""), {{Severity::kError, 0, "ファイルが空です"}});
    ExpectFindings(InspectExplanation("setumei.txt", "\r\n" + test::Sjis("説明")),
                   {{Severity::kWarning, 1, "最初の行が空なので"},
                    {Severity::kWarning, 2, "メニューに表示されるのは最初の行だけです"}});
    ExpectFindings(InspectExplanation("setumei.txt", "ab\x81\x7F\r\n"),
                   {{Severity::kError, 1, "行の 3 バイト目の 0x81 0x7F"}});
    ExpectFindings(InspectExplanation("setumei.txt", test::Sjis("説明です, \"そのまま\"") + "\r\n\r\n"), {});
}

// ---- agreement with the game's readers -------------------------------

// What the game makes of a file: nothing if it reads it, else its failure.
template <typename Parse>
std::optional<ContentFailure> GameFailure(const Parse& parse) {
    try {
        parse();
    } catch (const ContentError& error) {
        return error.Failure();
    }
    return std::nullopt;
}

// When the game's reader stops, the inspection reports an error on the very
// line the game names (both number the lines alike, the end of the file
// included), or, where an earlier mistake shifted the fields, a note there
// that names the line of the shift. Where the game reads the file, the
// inspection's errors are only about shifted fields, questions that cannot
// be completed and text the game would show garbled.
void ExpectAgreement(const std::optional<ContentFailure>& gameFailure,
                     const std::vector<Finding>& findings, const std::string& bytes) {
    std::vector<const Finding*> errors;
    for (const Finding& f : findings) {
        if (f.severity == Severity::kError) errors.push_back(&f);
    }
    const std::string context = testing::PrintToString(bytes) + Describe(findings);
    if (!gameFailure) {
        for (const Finding* error : errors) {
            EXPECT_TRUE(error->message.find("正解では終わりません") != std::string::npos ||
                        error->message.find("ずれ") != std::string::npos ||
                        error->message.find("切れます") != std::string::npos ||
                        error->message.find("正しく読まれません") != std::string::npos ||
                        error->message.find("UTF-8") != std::string::npos)
                << "the game reads this file, but: " << error->message << "\n" << context;
        }
        return;
    }
    const std::string game = RenderFailure(*gameFailure);
    ASSERT_FALSE(errors.empty()) << "the game stops (" << game << ")\n" << context;
    const int line = gameFailure->line;
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [line](const Finding& f) {
        return f.line == line &&
               (f.severity == Severity::kError || f.message.find("行目のずれによる）") != std::string::npos);
    })) << "the game stops on line " << line << " (" << game << ")\n" << context;
}

// Random fields: good ones mostly, a bad one now and then, so that some
// files read to the end and others stop in all kinds of places.
class Fields {
public:
    Fields(unsigned seed, std::vector<std::string> good, std::vector<std::string> bad,
           std::vector<std::string> separators)
        : random_(seed), good_(std::move(good)), bad_(std::move(bad)), separators_(std::move(separators)) {}

    std::string Field(double badRate = 0.02) {
        const auto& pool = std::bernoulli_distribution(badRate)(random_) ? bad_ : good_;
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random_)];
    }
    std::string Separator() {
        return separators_[std::uniform_int_distribution<std::size_t>(0, separators_.size() - 1)(random_)];
    }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::mt19937 random_;
    std::vector<std::string> good_;
    std::vector<std::string> bad_;
    std::vector<std::string> separators_;
};

TEST(BankInspection, AgreesWithTheGameOnRandomAnswerKeys) {
    Fields fields(7321, {"1", "2", "3", "5", "7", "9", "12", " 4"},
                  {"0", "13", "-1", "40000", "x", "", test::Sjis("２"), "1.5", "2", "5"},
                  {",", ",", ",", " ", " , ", "\r\n"});
    int readWhole = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        const int questions = fields.Between(24, 27);
        for (int q = 0; q < questions; ++q) {
            // Mostly a count that matches its numbers, one question to a line.
            const int count = fields.Between(0, 40) == 0 ? fields.Between(-2, 14) : fields.Between(1, 3);
            const int numbers = fields.Between(0, 30) == 0 ? count + fields.Between(-1, 1) : count;
            bytes += std::to_string(count);
            for (int k = 0; k < numbers; ++k) bytes += fields.Separator() + fields.Field();
            bytes += fields.Between(0, 20) == 0 ? fields.Separator() : "\r\n";
        }
        const auto failure = GameFailure([&] { (void)ParseAnswerKey({kFile, bytes}, kQuestions); });
        ExpectAgreement(failure, InspectAnswerKey(kFile, bytes, kQuestions), bytes);
        readWhole += failure ? 0 : 1;
        if (HasFailure()) break;
    }
    EXPECT_GT(readWhole, 100);  // the property was put to both sides
    EXPECT_LT(readWhole, 1400);
}

TEST(BankInspection, AgreesWithTheGameOnRandomQuestionTexts) {
    Fields fields(1187, {"\"Q\"", "Q", test::Sjis("\"問題、です\""), "\"a,b\"", "\t\"Q\" ", "\"ab\r\ncd\""},
                  {"\"x\"y", "\"open", "\x81\x7F", "abc\x81", "", " "},
                  {"\r\n", "\r\n", "\r\n", "\r\n", ",", "\n", "\r"});
    int readWhole = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        const int count = fields.Between(24, 30);
        for (int i = 0; i < count; ++i) bytes += fields.Field(0.015) + fields.Separator();
        std::vector<std::string> texts;
        const QuestionTextsInspection inspection = InspectQuestionTexts("mondai.txt", bytes, kQuestions);
        const auto failure = GameFailure([&] { texts = ParseQuestionTexts({"mondai.txt", bytes}, kQuestions); });
        ExpectAgreement(failure, inspection.findings, bytes);
        if (!failure) {
            // The texts the label is measured with are the texts the game shows.
            for (const QuestionText& question : inspection.texts) {
                EXPECT_EQ(question.text, texts[static_cast<std::size_t>(question.question - 1)]);
            }
            ++readWhole;
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(readWhole, 100);
    EXPECT_LT(readWhole, 1400);
}

TEST(BankInspection, AgreesWithTheGameOnRandomExplanations) {
    Fields fields(55, {"a", ",", "\"", "\r", "\n", "\r\n", test::Sjis("説明"), " "},
                  {"\x81", "\x7F", "\xA0", "\xFD"}, {""});
    for (int round = 0; round < 600; ++round) {
        std::string bytes;
        const int count = fields.Between(0, 6);
        for (int i = 0; i < count; ++i) bytes += fields.Field(0.3);
        const auto failure = GameFailure([&] { (void)ParseExplanationLine({"setumei.txt", bytes}); });
        ExpectAgreement(failure, InspectExplanation("setumei.txt", bytes), bytes);
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace soruberia

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's reading of the text files: what it reports, and that it
// agrees with the game's own readers on which files stop the game and where.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "content/BankInspection.h"
#include "content/ExplanationFile.h"
#include "content/FatalError.h"
#include "content/QuestionBank.h"
#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

constexpr int kQuestions = 26;
const std::string kFile = "kotae.txt";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string DefaultFile(const std::string& name) {
    return ReadBytes(std::string(DEFAULT_CONTENT) + "/問題/" + name);
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
    static const char* const kKinds[] = {"note", "warning", "error"};
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

    QuestionTextTable game;
    ReadQuestionTexts(std::string(DEFAULT_CONTENT), kQuestions, game);
    ASSERT_EQ(inspection.texts.size(), 26u);
    for (const QuestionText& question : inspection.texts) {
        EXPECT_EQ(question.text, game[static_cast<std::size_t>(question.question)]);
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
        {"ion twice", {{3, "2,5,5"}}, {{Severity::kError, 3, "ion 5 (Cu²⁺) is listed twice for question 3"}}},
        {"ion 13", {{4, "2,1,13"}}, {{Severity::kError, 4, "answer 2 of question 4 is 13, not an ion number"}}},
        {"ion 0", {{4, "1,0"}}, {{Severity::kError, 4, "answer 1 of question 4 is 0, not an ion number"}}},
        {"count 0", {{5, "0"}}, {{Severity::kWarning, 5, "answer count of question 5 is 0"}}},
        {"negative count", {{6, "-2"}}, {{Severity::kError, 6, "never reach 0"}}},
        {"count 13",
         {{7, "13,1,2,3,4,5,6,7,8,9,10,11,12,7"}},
         {{Severity::kError, 7, "answer count of question 7 is 13, above 12"},
          {Severity::kError, 7, "ion 7 (Fe³⁺) is listed twice"}}},
        {"count 12 is fine", {{7, "12,1,2,3,4,5,6,7,8,9,10,11,12"}}, {}},
        {"blanks around numbers", {{2, "  2 ,\t3 , 4  "}}, {}},
        {"beyond 16 bits", {{8, "2,1,40000"}}, {{Severity::kError, 8, "\"40000\" is outside -32768 to 32767"}}},
        {"no digits", {{8, "2,1,-"}}, {{Severity::kError, 8, "not a number: \"-\""}}},
        {"full-width digits",
         {{8, "1," + fullWidthOne}},
         {{Severity::kError, 8, "answer 1 of question 8: not a number: \"１\" (full-width digits"}}},
        // A bad count on a line of its own question: the next line goes on.
        {"count without digits, then more",
         {{3, "x,1,2"}, {5, "2,3,3"}},
         {{Severity::kError, 3, "answer count of question 3: not a number: \"x\""},
          {Severity::kError, 5, "ion 3 (Ba²⁺) is listed twice for question 5"}}},
        {"empty field, then more",
         {{3, "2,1,,5"}, {9, "1,14"}},
         {{Severity::kError, 3, "empty field"},
          {Severity::kError, 9, "answer 1 of question 9 is 14"}}},
        {"too few numbers on a line",
         {{10, "3,1,5"}},
         {{Severity::kWarning, 10,
           "the count 3 is followed by 2 ion numbers on its line; the game takes the next 3 "
           "numbers wherever they stand, so 1 more number is taken from the lines below"},
          {Severity::kError, 11, "ion 1 (Ag⁺) is listed twice for question 10"},
          {Severity::kError, 26, "the file ends before answer 1 of question 26"}}},
        {"too many numbers on the last line",
         {{26, "1,4,5"}},
         {{Severity::kWarning, 26, "the last 1 number of this line are never read"},
          {Severity::kNote, 26, "never read"}}},
        {"empty line in the middle", {{20, "1,1\r\n"}}, {{Severity::kError, 21, "empty field"}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFindings(InspectAnswerKey(kFile, Lines("1,1", c.lines), kQuestions), c.expected);
    }
    // 20 questions and an empty line: the file ends, as the game finds.
    const std::string shortKey = Lines("1,2", {}, 20);
    ExpectFindings(InspectAnswerKey(kFile, shortKey + "\r\n", kQuestions),
                   {{Severity::kError, 20, "the file ends before the answer count of question 21: "
                                           "it holds the answers of 20 questions"}});
    // Every field on its own line is as good as one question to a line.
    std::string oneField;
    for (int q = 1; q <= kQuestions; ++q) oneField += "2\r\n" + std::to_string(q % 11 + 2) + "\r\n1\r\n";
    ExpectFindings(InspectAnswerKey(kFile, oneField, kQuestions), {});
}

TEST(BankInspection, FieldsAfterTheLastQuestionAreNeverAFault) {
    const std::string key = Lines("1,1", {}) + "abc,99999,,-1,1,1\r\n";
    ExpectFindings(InspectAnswerKey(kFile, key, kQuestions),
                   {{Severity::kNote, 27, "from here on the file is never read"}});
    const std::string texts = Lines("\"Q\"", {}) + "\x81\x7F,\"never closed\r\n";
    const QuestionTextsInspection inspection = InspectQuestionTexts("mondai.txt", texts, kQuestions);
    ExpectFindings(inspection.findings, {{Severity::kNote, 27, "from here on the file is never read"}});
}

TEST(BankInspection, QuestionTextProblemsAreReportedOnTheirLines) {
    struct TextCase {
        const char* name;
        std::string bytes;
        std::vector<Expected> expected;
    };
    const std::vector<TextCase> cases = {
        {"25 texts", Lines("\"Q\"", {}, 25),
         {{Severity::kError, 25, "the file ends after 25 question texts; the game reads 26"}}},
        {"bad Shift-JIS", Lines("\"Q\"", {{7, "\"abc\x81\x7F" "def\""}}),
         {{Severity::kError, 7,
           "the text of question 7 is not valid Shift-JIS: byte 0x81 (followed by 0x7F) at byte 5 "
           "of the line"}}},
        {"lone lead byte at the end", Lines("Q", {{9, "abc\x81"}}),
         {{Severity::kError, 9, "byte 0x81 at byte 4 of the line"}}},
        {"unquoted comma", Lines("\"Q\"", {{8, "abc,def"}}),
         {{Severity::kWarning, 8, "ends at a comma; what follows the comma becomes the text of question 9"},
          {Severity::kNote, 26, "never read"}}},
        {"empty line", Lines("\"Q\"", {{4, ""}}),
         {{Severity::kWarning, 4, "the text of question 4 is empty"}}},
        {"text after the closing quote", Lines("\"Q\"", {{5, "\"ab\"cd"}, {6, "\"x\"y"}}),
         {{Severity::kError, 5, "text after the closing double quote of the text of question 5: \"cd\""},
          {Severity::kError, 6, "question 6: \"y\""}}},
        {"quote left open on one line", Lines("\"Q\"", {{3, "\"open"}}),
         {{Severity::kWarning, 3, "the text of question 3 runs on to line 4"},
          {Severity::kError, 4, "text after the closing double quote of the text of question 3: \"Q\\\"\""},
          {Severity::kError, 26, "the file ends after 25 question texts"}}},
        {"quote never closed", Lines("\"Q\"", {{26, "\"open"}}),
         {{Severity::kError, 26, "the double quote that opens the text of question 26 is never closed"}}},
        {"UTF-8", Lines("\"問題\"", {}),
         {{Severity::kError, 0, "the file is UTF-8, but the game reads Shift-JIS"}}},
        {"empty file", "", {{Severity::kError, 0, "the file is empty"}}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFindings(InspectQuestionTexts("mondai.txt", c.bytes, kQuestions).findings, c.expected);
    }
}

TEST(BankInspection, ExplanationProblems) {
    ExpectFindings(InspectExplanation("setumei.txt", ""), {{Severity::kError, 0, "the file is empty"}});
    ExpectFindings(InspectExplanation("setumei.txt", "\r\n" + test::Sjis("説明")),
                   {{Severity::kWarning, 1, "the first line is empty"},
                    {Severity::kWarning, 2, "the menu shows only the first line"}});
    ExpectFindings(InspectExplanation("setumei.txt", "ab\x81\x7F\r\n"),
                   {{Severity::kError, 1, "byte 0x81 (followed by 0x7F) at byte 3 of the line"}});
    ExpectFindings(InspectExplanation("setumei.txt", test::Sjis("説明です, \"そのまま\"") + "\r\n\r\n"), {});
}

// ---- agreement with the game's readers -------------------------------

int GameLine(const std::string& message) {
    std::smatch match;
    return std::regex_search(message, match, std::regex("line ([0-9]+)")) ? std::stoi(match[1])
                                                                         : -1;
}

// When the game's reader stops, the inspection reports an error, and a
// finding stands on the line the game names (unless the file just ends,
// where the game names the line after the last). Where the game reads the
// file, the inspection's errors are only about questions that cannot be
// completed and about text the game would show garbled.
void ExpectAgreement(const std::function<void()>& readAsTheGame,
                     const std::vector<Finding>& findings, const std::string& bytes) {
    std::string gameFailure;
    try {
        readAsTheGame();
    } catch (const FatalError& failure) {
        gameFailure = failure.what();
    }
    std::vector<const Finding*> errors;
    for (const Finding& f : findings) {
        if (f.severity == Severity::kError) errors.push_back(&f);
    }
    const std::string context = testing::PrintToString(bytes) + Describe(findings);
    if (gameFailure.empty()) {
        for (const Finding* error : errors) {
            EXPECT_TRUE(error->message.find("can never be completed") != std::string::npos ||
                        error->message.find("is UTF-8") != std::string::npos)
                << "the game reads this file, but: " << error->message << "\n" << context;
        }
        return;
    }
    ASSERT_FALSE(errors.empty()) << "the game stops (" << gameFailure << ")\n" << context;
    const bool fileEnds = std::any_of(errors.begin(), errors.end(), [](const Finding* f) {
        return f->message.find("the file ends") != std::string::npos;
    });
    if (gameFailure.find("ends before") != std::string::npos || fileEnds) return;
    const int line = GameLine(gameFailure);
    if (line < 0) return;  // the game names no line
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(),
                            [line](const Finding& f) { return f.line == line; }))
        << "the game stops on line " << line << " (" << gameFailure << ")\n" << context;
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
    const test::TestFolder folder;
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
        folder.Write("kotae.txt", bytes);
        AnswerCountTable counts{};
        AnswerKeyTable key{};
        bool gameRead = true;
        ExpectAgreement(
            [&] {
                try {
                    ReadAnswerKey(folder.Base(), kQuestions, counts, key);
                } catch (...) {
                    gameRead = false;
                    throw;
                }
            },
            InspectAnswerKey(kFile, bytes, kQuestions), bytes);
        readWhole += gameRead ? 1 : 0;
        if (HasFailure()) break;
    }
    EXPECT_GT(readWhole, 100);  // the property was put to both sides
    EXPECT_LT(readWhole, 1400);
}

TEST(BankInspection, AgreesWithTheGameOnRandomQuestionTexts) {
    const test::TestFolder folder;
    Fields fields(1187, {"\"Q\"", "Q", test::Sjis("\"問題、です\""), "\"a,b\"", "\t\"Q\" ", "\"ab\r\ncd\""},
                  {"\"x\"y", "\"open", "\x81\x7F", "abc\x81", "", " "},
                  {"\r\n", "\r\n", "\r\n", "\r\n", ",", "\n", "\r"});
    int readWhole = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        const int count = fields.Between(24, 30);
        for (int i = 0; i < count; ++i) bytes += fields.Field(0.015) + fields.Separator();
        folder.Write("mondai.txt", bytes);
        QuestionTextTable texts;
        bool gameRead = true;
        const QuestionTextsInspection inspection = InspectQuestionTexts("mondai.txt", bytes, kQuestions);
        ExpectAgreement(
            [&] {
                try {
                    ReadQuestionTexts(folder.Base(), kQuestions, texts);
                } catch (...) {
                    gameRead = false;
                    throw;
                }
            },
            inspection.findings, bytes);
        if (gameRead) {
            // The texts the label is measured with are the texts the game shows.
            for (const QuestionText& question : inspection.texts) {
                EXPECT_EQ(question.text, texts[static_cast<std::size_t>(question.question)]);
            }
            ++readWhole;
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(readWhole, 100);
    EXPECT_LT(readWhole, 1400);
}

TEST(BankInspection, AgreesWithTheGameOnRandomExplanations) {
    const test::TestFolder folder;
    Fields fields(55, {"a", ",", "\"", "\r", "\n", "\r\n", test::Sjis("説明"), " "},
                  {"\x81", "\x7F", "\xA0", "\xFD"}, {""});
    for (int round = 0; round < 600; ++round) {
        std::string bytes;
        const int count = fields.Between(0, 6);
        for (int i = 0; i < count; ++i) bytes += fields.Field(0.3);
        folder.Write("setumei.txt", bytes);
        ExpectAgreement([&] { ReadExplanationLine(folder.Base()); },
                        InspectExplanation("setumei.txt", bytes), bytes);
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace soruberia

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The default question bank as the game reads it: every answer key agrees
// with the table of precipitates and the question's condition.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "content/ExplanationFile.h"
#include "content/FatalError.h"
#include "content/QuestionBank.h"
#include "tools/content-gen/PrecipitateTable.h"
#include "tools/content-gen/QuestionSource.h"
#include "tools/content-gen/TextFiles.h"

namespace soruberia::contentgen {
namespace {

// As many as a game reads.
constexpr auto kQuestionsRead = static_cast<std::int16_t>(kQuestionsInPlay);
const std::string kDataFolder = std::string(SOURCE_ROOT) + "/data";
const std::string kToolsData = std::string(SOURCE_ROOT) + "/tools/data";

class QuestionBankData : public ::testing::Test {
protected:
    PrecipitateTable table = HintPrecipitateTable();
    std::vector<SourceQuestion> questions = LoadQuestionSource(kToolsData + "/questions.txt", table);
};

TEST_F(QuestionBankData, EveryAnswerKeyIsTheOneTheTableGives) {
    ASSERT_EQ(questions.size(), static_cast<std::size_t>(kQuestionsInPlay));
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    ReadAnswerKey(kDataFolder, kQuestionsRead, counts, key);

    for (std::size_t q = 1; q <= questions.size(); ++q) {
        const SourceQuestion& source = questions[q - 1];
        SCOPED_TRACE("question " + std::to_string(q) + ": " + source.text);
        const int count = counts[q];
        ASSERT_GE(count, 1);
        ASSERT_LE(count, kMaxAnswersPerQuestion);
        std::vector<int> read(key[q].begin() + 1, key[q].begin() + 1 + count);
        for (int button : read) {
            EXPECT_GE(button, 1);
            EXPECT_LE(button, kIonCount);
        }
        EXPECT_EQ(std::set<int>(read.begin(), read.end()).size(), read.size()) << "an ion listed twice";
        std::sort(read.begin(), read.end());
        EXPECT_EQ(read, DeriveKey(source.terms, table)) << source.condition;
    }
}

TEST_F(QuestionBankData, TextsReadBackAsWrittenAndFitTheLabel) {
    QuestionTextTable texts{};
    ReadQuestionTexts(kDataFolder, kQuestionsRead, texts);
    for (std::size_t q = 1; q <= questions.size(); ++q) {
        EXPECT_EQ(texts[q], questions[q - 1].text) << "question " << q;
        EXPECT_LE(HalfWidths(texts[q]), kMaxQuestionHalfWidths) << texts[q];
    }
}

TEST(ExplanationData, FirstLineIsTheSourceText) {
    std::ifstream in(kToolsData + "/explanation.txt");
    std::string line;
    while (std::getline(in, line) && (line.empty() || line.front() == '#')) {
    }
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(ReadExplanationLine(kDataFolder), line);
}

// The conditions pick out what every chemistry course teaches; a fault in
// the table reader or in the evaluation shows here.
TEST(PrecipitateConditions, GiveTheKnownGroupsOfIons) {
    const PrecipitateTable table = HintPrecipitateTable();
    struct Case {
        const char* condition;
        std::vector<int> ions;
    };
    const Case cases[] = {
        {"Cl^{-}", {1, 10}},                                   // AgCl, PbCl2
        {"少量のNH_{3}水 & !過剰のNH_{3}水", {1, 5, 12}},      // ammine complexes
        {"少量のNaOH液 & !過剰のNaOH液", {2, 10, 11, 12}},     // amphoteric
        {"!少量のNH_{3}水", {3, 4}},                           // Ba2+, Ca2+
        {"CrO_{4}^{2-}=黄", {3, 10}},                          // BaCrO4, PbCrO4
        {"酸性でS^{2-} & !酸性でS^{2-}=黒", {11}},             // SnS is brown
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeriveKey(ParseCondition(c.condition, table), table), c.ions) << c.condition;

    for (const char* wrong : {"Br^{-}", "Cl^{-}=紫", "Cl^{-} & "})
        EXPECT_THROW(ParseCondition(wrong, table), FatalError) << wrong;
}

TEST(QuestionText, WidthCountsHalfWidthCharactersAsHalf) {
    EXPECT_EQ(HalfWidths("NH3水"), 5);
    EXPECT_EQ(HalfWidths("ｱ沈殿"), 5);
    EXPECT_THROW(HalfWidths("\xE6\xB2"), FatalError);
    EXPECT_THROW(ToCp932("\xF0\x9F\x98\x80"), FatalError);  // an emoji has no code
}

}  // namespace
}  // namespace soruberia::contentgen

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The hint table's answers, and the question a text asks of it.
#include <gtest/gtest.h>

#include <set>

#include "bankedit/QueryRecognition.h"
#include "bankedit/QuestionFacts.h"
#include "content/QuestionBank.h"

namespace soruberia::bankedit {
namespace {

std::vector<int> Ions(const HintQuery& query) { return IonsOf(query).Buttons(); }

TEST(HintQuery, TheTableAnswersByColourAnyPrecipitateOrNone) {
    // Cl⁻: white with Pb²⁺ (10) and Ag⁺ (1), nothing else.
    EXPECT_EQ(Ions({0, "白"}), (std::vector<int>{1, 10}));
    EXPECT_EQ(Ions({0, ""}), (std::vector<int>{1, 10}));
    EXPECT_EQ(Ions({0, "なし"}), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 11, 12}));
    // 白 is white alone, not 青白 nor 緑白.
    EXPECT_EQ(Ions({6, "白"}), (std::vector<int>{2, 9, 10, 11, 12}));
    EXPECT_EQ(Ions({6, "黒"}), std::vector<int>{});
    EXPECT_EQ(Ions({10, ""}), std::vector<int>{});

    EXPECT_EQ(ResultsOf(1), (std::vector<std::string>{"白", "褐"}));
    EXPECT_EQ(ResultsOf(6), (std::vector<std::string>{"白", "緑白", "赤褐", "青白", "黄褐", "褐"}));
    EXPECT_EQ(ReagentLabel(1), "CO₃²⁻");
    EXPECT_EQ(ReagentLabel(4), "少量のNH₃水");
}

TEST(HintQuery, DefaultQuestionsThatAskOneCellAreRecognisedAndAgreeWithTheirKey) {
    QuestionTextTable texts{};
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    ReadQuestionTexts(DEFAULT_CONTENT, kQuestionsInPlay, texts);
    ReadAnswerKey(DEFAULT_CONTENT, kQuestionsInPlay, counts, key);
    std::set<int> recognised;
    for (int q = 1; q <= kQuestionsInPlay; ++q) {
        const auto i = static_cast<std::size_t>(q);
        DraftQuestion question{texts[i], {}};
        for (int k = 1; k <= counts[i]; ++k) question.ions.Add(key[i][static_cast<std::size_t>(k)]);
        const QuestionFacts facts = FactsOf(question);
        if (!facts.query) continue;
        recognised.insert(q);
        EXPECT_FALSE(facts.disagrees) << q << ": " << texts[i];
        EXPECT_FALSE(facts.tableIons.Empty()) << q;
    }
    // The rest name two reagents, or a precipitate dissolving or not forming.
    EXPECT_EQ(recognised, (std::set<int>{1, 3, 4, 5, 6, 8, 11, 12, 14, 16, 17, 18, 22}));
}

struct RecognitionCase {
    std::string text;
    std::optional<HintQuery> query;
};

TEST(HintQuery, OnlyATextThatPlainlyAsksOneCellIsRecognised) {
    const std::vector<RecognitionCase> cases{
        {"希塩酸を加えると白色沈殿を生じるイオンは？", HintQuery{0, "白"}},
        {"ＮＨ₃ 水を加えると赤褐色の沈殿", HintQuery{4, "赤褐"}},
        {"過剰の水酸化ナトリウム水溶液でも沈殿が残るイオン", HintQuery{7, ""}},
        {"K₂CrO₄ で赤褐色沈殿を生じるイオン", HintQuery{3, "赤褐"}},
        {"CO₃²⁻ で褐色沈殿を生じるイオン", HintQuery{1, "褐"}},
        {"H2SO4を加えると白色沈殿を生じるイオン", HintQuery{2, "白"}},
        {"塩基性で H2S を通じると黒色の硫化物を生じるイオン", HintQuery{8, "黒"}},
        // Another reagent, a reagent the table lacks, or one that holds a
        // name it has.
        {"二クロム酸カリウムで赤褐色沈殿", std::nullopt},
        {"ヨウ化カリウムと希塩酸で白色沈殿", std::nullopt},
        {"塩酸酸性で硫化水素を通じると黒色沈殿", std::nullopt},
        // Which solution, which amount, which colour is not plain.
        {"硫化水素を通じると黒色沈殿を生じるイオン", std::nullopt},
        {"少量でも過剰でもNaOH水溶液で白色沈殿", std::nullopt},
        {"希塩酸で黄白色沈殿を生じる", std::nullopt},
        {"希塩酸で黒色沈殿を生じる", std::nullopt},
        {"希塩酸を加えるイオンは？", std::nullopt},
        // Not forming, dissolving.
        {"希塩酸で沈殿しないイオン", std::nullopt},
        {"アンモニア水で白色沈殿を生じ、過剰で溶けるイオン", std::nullopt},
    };
    for (const RecognitionCase& c : cases) {
        EXPECT_EQ(RecogniseQuery(c.text), c.query) << c.text;
    }
}

}  // namespace
}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "Harness.h"

namespace enginetest {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

std::vector<std::string> PlainButtons() {
    std::vector<std::string> lines;
    for (int i = 1; i <= 12; ++i) {
        lines.push_back("Command1(" + std::to_string(i) + ") = " + Plain(i));
    }
    return lines;
}

TEST(StartGame, LoadSetsUpAFreshGameInOrder) {
    GameOptions options;
    options.bank = Bank::Uniform({2, 5, 11});
    // Question texts are CP932 in the file and UTF-8 on screen.
    for (int q = 1; q <= 26; ++q) {
        options.bank.texts[static_cast<std::size_t>(q - 1)] =
            "\x96\xe2\x91\xe8" + std::to_string(q);  // 問題q
    }
    options.bank.texts.insert(options.bank.texts.end(), {"never read 27", "never read 28"});
    options.scriptedRandom = true;
    Game game(options);
    game.window.gaugeLeft = 314.5f;
    game.scripted.script = {0.25f};  // 0.25 * 26 = 6.5 -> question 7
    game.Load();

    std::vector<std::string> expected = {"Label4 = ", "show Image1"};
    for (const std::string& line : PlainButtons()) expected.push_back(line);
    expected.push_back("Label1 = 問題7");
    expected.push_back("Label3 = 3");
    for (const std::string& line : PlainButtons()) expected.push_back(line);
    EXPECT_THAT(game.Log(), ElementsAreArray(expected));
    EXPECT_THAT(game.scripted.calls, ElementsAreArray({"reseed", "draw"}));

    const GameRecord& r = game.R();
    EXPECT_EQ(r.questionCount, 26);
    EXPECT_EQ(r.gaugeHomeLeft, 314);  // 314.5 rounds to the even neighbour
    EXPECT_EQ(r.currentQuestion, 7);
    EXPECT_EQ(r.answersLeft, 3);
    EXPECT_EQ(r.score, 0);
    EXPECT_EQ(r.questionTexts[1], "問題1");
    EXPECT_EQ(r.questionTexts[26], "問題26");
    EXPECT_EQ(r.questionTexts[27], "");
    EXPECT_EQ(r.answerCounts[26], 3);
    EXPECT_EQ(r.answerKey[26][3], 11);
    EXPECT_EQ(r.recentQueue[14], 7);
    EXPECT_EQ(std::count(r.recentQueue.begin(), r.recentQueue.end(), 0), 30);
    EXPECT_EQ(r.askedFlags[7].Value(), 1);
    EXPECT_FALSE(game.AnyArmed());
}

TEST(StartGame, GaugeHomeIsReadWhereverTheGaugeStands) {
    for (const auto& [left, home] : std::vector<std::pair<float, int>>{
             {315.0f, 315}, {1235.5f, 1236}, {1234.5f, 1234}, {0.4f, 0}}) {
        Game game;
        game.window.gaugeLeft = left;
        game.Load();
        EXPECT_EQ(game.R().gaugeHomeLeft, home) << left;
    }
}

TEST(StartGame, MissingPlainIonPictureEndsTheProgramBeforeTheQuestionFiles) {
    Game game;
    game.pictures.missing = {Plain(5)};
    try {
        game.Load();
        FAIL() << "no failure";
    } catch (const FatalError& e) {
        EXPECT_THAT(e.what(), HasSubstr("ion(5).gif"));
    }
    EXPECT_EQ(game.bank.fetches, 0);
}

TEST(StartGame, AnswerCountsZeroIsAQuestionWithoutAnswersAndThirteenIsFatal) {
    {
        GameOptions options;
        options.bank = Bank::Uniform({});
        Game game(options);
        game.Load();
        EXPECT_EQ(game.window.Label(TextLabel::Label3), "0");
        EXPECT_EQ(game.R().answersLeft, 0);
    }
    {
        GameOptions options;
        options.bank = Bank::Uniform({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1});
        Game game(options);
        EXPECT_THROW(game.Load(), FatalError);
    }
}

// Redraws re-seed before every draw and go on until an unflagged question.
TEST(QuestionSelection, RedrawsUntilTheQuestionIsNotRecent) {
    GameOptions options;
    options.bank = Bank::Uniform({});
    options.scriptedRandom = true;
    Game game(options);
    game.scripted.script = {0.0f};  // question 1
    game.Load();
    game.scripted.calls.clear();
    game.scripted.script = {0.0f, 0.03f, 0.999f};  // 1 (recent), 1 again, then 26
    game.engine.PressHint();
    game.Press(1);
    game.Wait(2.0);
    EXPECT_THAT(game.scripted.calls,
                ElementsAreArray({"reseed", "draw", "reseed", "draw", "reseed", "draw"}));
    const GameRecord& r = game.R();
    EXPECT_EQ(r.currentQuestion, 26);
    EXPECT_EQ(r.recentQueue[13], 1);
    EXPECT_EQ(r.recentQueue[14], 26);
    EXPECT_EQ(r.hintUsed.Value(), 0) << "a new question is not hinted";
}

// Plays thousands of questions (each: hint, a press, the pause) and watches
// the window of the last 14.
TEST(QuestionSelection, NoQuestionComesBackWithinFourteen) {
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        GameOptions options;
        options.bank = Bank::Uniform({});
        options.seed = seed;
        Game game(options);
        game.log.enabled = false;
        game.Load();
        std::vector<int> asked = {game.R().currentQuestion};
        std::vector<int> counts(27, 0);
        while (asked.size() < 4000) {
            game.engine.PressHint();
            game.Press(1);
            game.Wait(2.0);
            asked.push_back(game.R().currentQuestion);
            ++counts[static_cast<std::size_t>(asked.back())];

            const GameRecord& r = game.R();
            const std::size_t k = asked.size();
            for (std::size_t pos = 1; pos <= 14; ++pos) {
                const int expected = pos + k > 14 ? asked[k - 15 + pos] : 0;
                ASSERT_EQ(r.recentQueue[pos], expected) << "position " << pos << " after " << k;
            }
        }
        const std::set<int> first(asked.begin(), asked.begin() + 14);
        EXPECT_EQ(first.size(), 14u);
        for (std::size_t j = 14; j < asked.size(); ++j) {
            const auto window = std::vector<int>(asked.begin() + static_cast<long>(j) - 14,
                                                 asked.begin() + static_cast<long>(j));
            ASSERT_EQ(std::count(window.begin(), window.end(), asked[j]), 0)
                << "question " << j << " (seed " << seed << ")";
        }
        for (int q = 1; q <= 26; ++q) {
            EXPECT_NEAR(counts[static_cast<std::size_t>(q)], 4000 / 26, 40) << "question " << q;
        }
    }
}

TEST(QuestionSelection, TheFirstQuestionMayBeAnyOfTheTwentySix) {
    std::set<int> firsts;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        GameOptions options;
        options.seed = seed;
        Game game(options);
        game.log.enabled = false;
        game.Load();
        firsts.insert(game.R().currentQuestion);
    }
    EXPECT_EQ(firsts.size(), 26u);
}

}  // namespace
}  // namespace enginetest

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Every question has the key {3, 4}; 1, 2 and 5 to 12 are wrong.
struct ScoringCase {
    const char* name;
    int score;
    int missLevel;
    bool hint;
    std::vector<int> presses;
    int expectScore;
    int expectMissLevel;
    int expectQuestionMisses;
    int expectAnswersLeft;
    std::vector<std::string> expectSounds;
};

void PrintTo(const ScoringCase& c, std::ostream* os) { *os << c.name; }

class Scoring : public ::testing::TestWithParam<ScoringCase> {};

TEST_P(Scoring, PressesChangeScoreAndCounters) {
    const ScoringCase& c = GetParam();
    Game game;
    game.Load();
    game.Stage().score = static_cast<std::int16_t>(c.score);
    game.Stage().missLevel = static_cast<std::int16_t>(c.missLevel);
    if (c.hint) {
        game.engine.PressHint();
    }
    game.Log();
    for (const int ion : c.presses) {
        game.Press(ion);
    }
    const GameRecord& r = game.R();
    EXPECT_EQ(r.score, c.expectScore);
    EXPECT_EQ(r.missLevel, c.expectMissLevel);
    EXPECT_EQ(r.questionMisses, c.expectQuestionMisses);
    EXPECT_EQ(r.answersLeft, c.expectAnswersLeft);
    EXPECT_EQ(game.window.Label(TextLabel::Label4), std::to_string(c.expectScore));
    EXPECT_EQ(game.window.Label(TextLabel::Label3), std::to_string(c.expectAnswersLeft));
    std::vector<std::string> sounds;
    for (const std::string& line : game.Log()) {
        if (line.rfind("play ", 0) == 0) sounds.push_back(line.substr(5));
    }
    EXPECT_EQ(sounds, c.expectSounds);
    EXPECT_TRUE(game.window.Armed(1));
    EXPECT_EQ(r.timer1Start, 1000);
}

const std::string kO = R"(\音\o.wav)";
const std::string kX = R"(\音\x.wav)";

INSTANTIATE_TEST_SUITE_P(
    Judging, Scoring,
    ::testing::Values(
        ScoringCase{"CorrectEarns100", 0, 0, false, {3}, 100, 0, 0, 1, {kO}},
        ScoringCase{"BothCorrectLeaveNoneOpen", 0, 0, false, {4, 3}, 200, 0, 0, 0, {kO, kO}},
        ScoringCase{"CorrectUnderHintEarnsNothing", 500, 0, true, {3}, 500, 0, 0, 1, {kO}},
        ScoringCase{"WrongCosts100", 300, 0, false, {1}, 200, 1, 1, 2, {kX}},
        ScoringCase{"ScoreFloorIsZero", 50, 2, false, {12}, 0, 3, 1, 2, {kX}},
        ScoringCase{"MissReachingFiveIsFree", 800, 4, false, {1}, 800, 5, 1, 2, {kX}},
        ScoringCase{"QuickMissesPastFiveAreFree", 800, 4, false, {1, 2}, 800, 6, 2, 2, {kX, kX}},
        ScoringCase{"SameWrongButtonMissesEachTime", 1000, 0, false, {1, 1, 1}, 700, 3, 3, 2,
                    {kX, kX, kX}},
        ScoringCase{"WrongUnderHintCountsNothing", 300, 2, true, {1}, 300, 2, 0, 2, {kX}},
        ScoringCase{"FoundIonIsNotJudgedAgain", 0, 0, false, {3, 3, 3}, 100, 0, 0, 1, {kO}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Judging, CorrectPressInOrder) {
    Game game;
    game.Load();
    game.Log();
    game.Press(4);
    EXPECT_THAT(game.Log(), ElementsAre("Label3 = 1", "Label4 = 100",
                                        "Command1(4) = " + Found(4), R"(play \音\o.wav)",
                                        R"(Image3 = \図\maru.gif)", "show Image3", "Timer1 = 500"));
    EXPECT_EQ(game.R().foundFlags[4].Value(), 1);
    EXPECT_EQ(game.window.ButtonPicture(4), R"(\図\ion'(4).gif)");
    EXPECT_EQ(game.window.MarkJudgement(), Judgement::Correct);
}

TEST(Judging, WrongPressInOrder) {
    Game game;
    game.Load();
    game.Log();
    game.Press(10);
    EXPECT_THAT(game.Log(), ElementsAre("Label4 = 0", R"(play \音\x.wav)",
                                        R"(Image3 = \図\batu.gif)", "show Image3", "Timer1 = 500"));
    EXPECT_EQ(game.R().foundFlags[10].Value(), 0);
    EXPECT_EQ(game.window.MarkJudgement(), Judgement::Wrong);
}

TEST(Judging, FoundIonOnlyRearmsThePauseWithANewStamp) {
    Game game;
    game.Load();
    game.Press(3);
    EXPECT_EQ(game.R().timer1Start, 1000);
    game.Skip(2.4);  // 1002.7, no tick delivered
    game.Log();
    game.Press(3);
    EXPECT_THAT(game.Log(), ElementsAre("Timer1 = 500"));
    EXPECT_EQ(game.R().timer1Start, 1003);
    EXPECT_EQ(game.R().score, 100);
}

TEST(Judging, LockedInputChangesNothing) {
    Game game;
    game.Load();
    game.Stage().inputLocked.Set();
    game.Log();
    game.Press(3);
    game.Press(1);
    EXPECT_THAT(game.Log(), IsEmpty());
    EXPECT_FALSE(game.window.Armed(1));
    EXPECT_EQ(game.R().timer1Start, 0);
    EXPECT_EQ(game.R().score, 0);
}

TEST(Judging, KeyListingAnIonTwiceNeverCompletesByPresses) {
    GameOptions options;
    options.bank = Bank::Uniform({3, 3});
    Game game(options);
    game.Load();
    game.Press(3);
    game.Press(3);
    EXPECT_EQ(game.R().answersLeft, 1);
    EXPECT_EQ(game.R().score, 100);
    game.Wait(2.0);
    EXPECT_EQ(game.R().recentQueue[13], 0) << "still the first question";
}

TEST(Judging, QuestionWithoutAnswersIsCompleteAfterTheFirstMiss) {
    GameOptions options;
    options.bank = Bank::Uniform({});
    Game game(options);
    game.Load();
    const int first = game.R().currentQuestion;
    game.Press(3);
    EXPECT_EQ(game.R().missLevel, 1);
    game.Wait(2.0);
    EXPECT_EQ(game.R().recentQueue[13], first);
    EXPECT_NE(game.R().currentQuestion, first);
    EXPECT_EQ(game.R().missLevel, 1) << "misses carry over to the next question";
}

TEST(Judging, MissingFoundPictureIsFatalAtThePress) {
    Game game;
    game.Load();
    game.pictures.missing = {Found(3)};
    try {
        game.Press(3);
        FAIL() << "no failure";
    } catch (const FatalError& e) {
        EXPECT_THAT(e.what(), HasSubstr("ion'(3).gif"));
    }
}

TEST(Judging, ThereIsNoButtonOutsideOneToTwelve) {
    Game game;
    game.Load();
    EXPECT_THROW(game.Press(0), FatalError);
    EXPECT_THROW(game.Press(13), FatalError);
    EXPECT_THROW(game.engine.Tick(7), FatalError);
}

// Only "5 or more" and "not 0" matter for the miss counters, so at the 16-bit
// limit they stay at 32767 rather than end the game.
TEST(Judging, MissCountersStopAtTheSixteenBitLimit) {
    Game game;
    game.Load();
    game.log.enabled = false;
    for (int i = 0; i < 32770; ++i) {
        game.Press(1);  // the clock stands still: no pause ever ends
    }
    EXPECT_EQ(game.R().missLevel, 32767);
    EXPECT_EQ(game.R().questionMisses, 32767);
    EXPECT_EQ(game.R().score, 0);
    game.WaitFor(1);
    EXPECT_EQ(game.R().missLevel, 5) << "capped at the end of the pause";
    EXPECT_TRUE(game.window.Armed(2)) << "and the failure begins";
}

}  // namespace
}  // namespace enginetest

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "Harness.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::set<int> ArmedTimers(const Game& game) {
    std::set<int> armed;
    for (int t = 1; t <= kTimers; ++t) {
        if (game.window.Armed(t)) armed.insert(t);
    }
    return armed;
}

std::ptrdiff_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

std::vector<std::string> Sounds(const std::vector<std::string>& lines) {
    std::vector<std::string> sounds;
    for (const std::string& line : lines) {
        if (line.rfind("play ", 0) == 0) sounds.push_back(line.substr(line.rfind('\\') + 1));
    }
    return sounds;
}

// When the pause ends depends on the fraction of the second at the press,
// and it ends the same way across midnight.
TEST(FeedbackPause, EndsAfterTheStampedSecondHasPassed) {
    struct Case {
        double pressAt;
        double delay;
    };
    const Case cases[] = {
        {1000.3, 1.0},  {1000.7, 1.5},  {1000.0, 1.5},  {1000.5, 1.0},
        {1001.5, 2.0},  {86399.3, 1.0}, {86399.7, 1.5}, {86399.5, 2.0},
    };
    for (const Case& c : cases) {
        GameOptions options;
        options.start = c.pressAt;
        Game game(options);
        game.Load();
        game.Press(1);
        game.WaitFor(1);
        ASSERT_FALSE(game.actions.empty());
        EXPECT_NEAR(game.actions.back().first - c.pressAt, c.delay, 1e-6) << "press at " << c.pressAt;
        EXPECT_EQ(game.window.gaugeLeft, 315.0f + 1005.0f);
    }
}

// The clock reading at the first tick after the press, which lies before
// the press's stamp: the pause ends at that tick, whatever the distance.
TEST(FeedbackPause, ClockThatWentBackEndsItAtTheNextTick) {
    struct Case {
        const char* what;
        double pressAt;
        double clockMovedBy;  // between the press and the next tick
    };
    const Case cases[] = {
        {"clock set back by ten minutes", 1000.3, -600.0},
        {"clock set back by six hours", 30000.3, -6 * 3600.0},
        {"slept 13 hours across midnight", 86000.3, 13 * 3600.0},
        {"slept 23 hours across midnight", 86000.3, 23 * 3600.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameOptions options;
        options.start = c.pressAt;
        Game game(options);
        game.Load();
        game.Press(1);
        game.Skip(c.clockMovedBy);
        game.TickNow(1);
        ASSERT_EQ(game.actions.size(), 1u);
        EXPECT_EQ(game.actions.back().second, 1);
        EXPECT_FALSE(game.window.Armed(1));
        EXPECT_EQ(game.window.gaugeLeft, 315.0f + 1005.0f);
    }
}

// A reading up to half a second before the stamp is what rounding the stamp
// up gives: the pause goes on as usual.
TEST(FeedbackPause, ReadingJustBeforeARoundedUpStampKeepsWaiting) {
    GameOptions options;
    options.start = 1000.6;  // stamp 1001
    Game game(options);
    game.Load();
    game.Press(1);
    game.Skip(-0.1);  // 1000.5
    game.TickNow(1);
    EXPECT_TRUE(game.actions.empty());
    EXPECT_TRUE(game.window.Armed(1));
    game.Skip(1.6);  // 1002.1
    game.TickNow(1);
    ASSERT_EQ(game.actions.size(), 1u);
}

TEST(FeedbackPause, LaterPressesExtendItAndTheGaugeMovesOnlyAtItsEnd) {
    Game game;  // key {3, 4}, clock at 1000.3
    game.Load();
    game.Log();
    game.Press(1);
    game.Wait(0.8);
    game.Press(3);
    game.Wait(0.9);
    EXPECT_TRUE(game.window.Armed(1));
    game.Wait(0.2);
    EXPECT_THAT(game.Log(),
                ElementsAre("Label4 = 0", R"(play \音\x.wav)", R"(Image3 = \図\batu.gif)",
                            "show Image3", "Timer1 = 500",  //
                            "Label3 = 1", "Label4 = 100", "Command1(3) = " + Found(3),
                            R"(play \音\o.wav)", R"(Image3 = \図\maru.gif)", "show Image3",
                            "Timer1 = 500",  //
                            "Timer1 = 0", "hide Image3", "Image1.left = 1320"));
    EXPECT_NEAR(game.actions.back().first, 1002.1, 1e-6);

    game.Press(5);
    game.Wait(0.8);
    game.Press(6);
    game.Wait(3.0);
    const auto log = game.Log();
    EXPECT_EQ(CountStarting(log, "Image1.left"), 1);
    EXPECT_EQ(game.window.gaugeLeft, 315.0f + 3 * 1005.0f) << "straight to level 3";
}

TEST(Failure, FifthMissBurstsHalvesAndDrawsANewQuestion) {
    Game game;
    game.Load();
    for (int level = 1; level <= 4; ++level) {
        game.Press(1);
        game.Wait(2.0);
        EXPECT_EQ(game.window.gaugeLeft, static_cast<float>(315 + 1005 * level));
    }
    game.Stage().score = 350;
    game.Log();
    const std::string question = game.window.Label(TextLabel::Label1);
    game.Press(2);
    game.WaitFor(1);
    EXPECT_THAT(game.Log(), ElementsAre("Label4 = 350", R"(play \音\x.wav)",
                                        R"(Image3 = \図\batu.gif)", "show Image3", "Timer1 = 500",
                                        "Timer1 = 0", "hide Image3", "Image1.left = 5340",
                                        "show Image2", R"(play \音\pan.wav)", "Timer2 = 500"));
    const double burst = game.clock.Now();
    game.WaitFor(2);
    EXPECT_THAT(game.Log(), ElementsAre("Timer2 = 0", R"(play \音\dame.wav)", "Timer3 = 500"));
    EXPECT_GE(game.clock.Now() - burst, 1.0);
    EXPECT_LE(game.clock.Now() - burst, 2.0);
    EXPECT_EQ(game.R().missLevel, 5);
    game.WaitFor(3);
    std::vector<std::string> expected = {"Timer3 = 0", "hide Image3", "Image1.left = 315",
                                         "hide Image2", "Label4 = 175"};
    const auto log = game.Log();
    ASSERT_GE(log.size(), expected.size() + 2);
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 5), ElementsAreArray(expected));
    EXPECT_EQ(log[5].rfind("Label1 = Q", 0), 0u);
    EXPECT_EQ(game.R().score, 175);
    EXPECT_EQ(game.R().missLevel, 0);
    EXPECT_NE(game.window.Label(TextLabel::Label1), question);
    EXPECT_TRUE(ArmedTimers(game).empty());
}

TEST(Failure, HalvesTheScoreRoundingDown) {
    for (const auto& [before, after] :
         std::vector<std::pair<int, int>>{{350, 175}, {175, 87}, {1, 0}, {0, 0}, {9999, 4999}}) {
        Game game;
        game.Load();
        game.Stage().score = static_cast<std::int16_t>(before);
        game.Stage().missLevel = 4;
        game.Press(1);
        game.Wait(6.0);
        EXPECT_EQ(game.R().score, after) << before;
        EXPECT_EQ(game.window.Label(TextLabel::Label4), std::to_string(after));
    }
}

// A tick still queued when its timer stopped must not act a second time.
TEST(Failure, StrayTickOfAStoppedTimerIsIgnored) {
    Game game;
    game.Load();
    game.Stage().score = 800;
    game.Stage().missLevel = 4;
    game.Press(1);
    game.WaitFor(3);
    ASSERT_EQ(game.R().score, 400);
    game.Log();
    game.Skip(5.0);
    game.TickNow(3);
    game.TickNow(2);
    EXPECT_THAT(game.Log(), ::testing::IsEmpty());
    EXPECT_EQ(game.R().score, 400);
}

TEST(Bonus, ShowsThePictureFirstAndTheNewScoreASecondLater) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Stage().score = 100;
    game.Log();
    game.Press(3);
    game.WaitFor(1);
    EXPECT_TRUE(game.window.Visible(Widget::Image5));
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "200");
    EXPECT_EQ(game.R().score, 700);
    EXPECT_EQ(game.R().bonusPending.Value(), 1);
    EXPECT_EQ(ArmedTimers(game), std::set<int>{4});
    EXPECT_EQ(CountStarting(game.Log(), "Label1"), 0);
    const double shown = game.clock.Now();
    game.WaitFor(4);
    EXPECT_NEAR(game.clock.Now() - shown, 1.5, 0.5);
    const auto log = game.Log();
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 3),
                ElementsAre("Timer4 = 0", "hide Image5", "Label4 = 700"));
    EXPECT_EQ(CountStarting(log, "Label1"), 1);
    EXPECT_EQ(game.R().bonusPending.Value(), 0);
}

// What follows the end of the pause, in its order of precedence. Every
// question has the key {3, 4}.
struct DecisionCase {
    const char* name;
    int score;
    int missLevel;
    bool hintBefore;
    std::vector<int> presses;
    bool hintAfter;
    bool bonusPending;
    std::set<int> armed;
    bool newQuestion;
    bool bonusShown;
    bool locked;
    int finalScore;
};

void PrintTo(const DecisionCase& c, std::ostream* os) { *os << c.name; }

class Decision : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(Decision, AtTheEndOfThePause) {
    const DecisionCase& c = GetParam();
    Game game;
    game.Load();
    game.Stage().score = static_cast<std::int16_t>(c.score);
    game.Stage().missLevel = static_cast<std::int16_t>(c.missLevel);
    if (c.hintBefore) game.engine.PressHint();
    for (const int ion : c.presses) game.Press(ion);
    if (c.hintAfter) game.engine.PressHint();
    if (c.bonusPending) game.Stage().bonusPending.Set();
    game.Log();
    game.WaitFor(1);
    EXPECT_EQ(ArmedTimers(game), c.armed);
    EXPECT_EQ(CountStarting(game.Log(), "Label1") == 1, c.newQuestion);
    EXPECT_EQ(game.window.Visible(Widget::Image5), c.bonusShown);
    EXPECT_EQ(game.R().inputLocked.IsSet(), c.locked);
    EXPECT_EQ(game.R().score, c.finalScore);
}

INSTANTIATE_TEST_SUITE_P(
    SequencesAfterAnAnswer, Decision,
    ::testing::Values(
        DecisionCase{"FailureBeforeAnythingElse", 9950, 4, false, {1, 3, 4}, false, false, {2},
                     false, false, false, 10150},
        DecisionCase{"NotCompleteStaysOpen", 0, 0, false, {3}, false, false, {}, false, false,
                     false, 100},
        DecisionCase{"PerfectBonusReachingTheGoal", 9300, 0, false, {3, 4}, false, false, {4, 5},
                     false, true, true, 10000},
        DecisionCase{"PerfectBonus", 200, 0, false, {3, 4}, false, false, {4}, false, true, false,
                     900},
        DecisionCase{"MissAtTheGoal", 10000, 0, false, {1, 3, 4}, false, false, {5}, false, false,
                     true, 10100},
        DecisionCase{"HintAtTheGoal", 10000, 0, true, {3, 4}, false, false, {5}, false, false,
                     true, 10000},
        DecisionCase{"MissAt9999NextQuestion", 9899, 0, false, {1, 3, 4}, false, false, {}, true,
                     false, false, 9999},
        DecisionCase{"HintAt9999NextQuestion", 9999, 0, true, {3, 4}, false, false, {}, true, false,
                     false, 9999},
        DecisionCase{"HintAfterTheLastPressNoBonus", 200, 0, false, {3, 4}, true, false, {}, true,
                     false, false, 400},
        DecisionCase{"BonusOnDisplayGoesOn", 500, 0, true, {3, 4}, false, true, {}, false, false,
                     false, 500},
        DecisionCase{"GoalIsNotTestedMidQuestion", 9950, 0, false, {3}, false, false, {}, false,
                     false, false, 10050}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Item by item, the overlaps that follow from live buttons during sequences.

TEST(Overlap, PressDuringTheFailureBurstsAgainAndHalvesTwice) {
    Game game;  // clock 1000.3
    game.Load();
    game.Stage().score = 800;
    game.Stage().missLevel = 4;
    game.Log();
    game.Press(1);
    game.WaitFor(1);  // 1001.3: failure, Timer2 stamped 1001
    game.Wait(0.1);
    game.Press(2);     // 1001.4: pause ends at 1002.4, after Timer2 (1002.3) armed Timer3
    EXPECT_EQ(game.R().missLevel, 6);
    game.Wait(10.0);
    const auto log = game.Log();
    EXPECT_THAT(Sounds(log), ElementsAre("x.wav", "pan.wav", "x.wav", "dame.wav", "pan.wav",
                                         "dame.wav"));
    EXPECT_EQ(game.R().score, 200);
    EXPECT_EQ(CountStarting(log, "Label1"), 2);
    EXPECT_EQ(game.R().missLevel, 0);
    EXPECT_FALSE(game.window.Visible(Widget::Image2));
    EXPECT_EQ(game.window.gaugeLeft, 315.0f);
}

TEST(Overlap, FifthMissDuringTheBonusDisplayFailsOnTheNextQuestion) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Stage().missLevel = 4;
    game.Log();
    game.Press(3);
    game.WaitFor(1);  // bonus
    game.Wait(0.1);
    game.Press(1);  // fifth miss; the question no longer qualifies
    EXPECT_EQ(game.R().questionMisses, 1);
    game.Wait(10.0);
    const auto log = game.Log();
    EXPECT_THAT(Sounds(log), ElementsAre("o.wav", "x.wav", "pan.wav", "dame.wav"));
    EXPECT_EQ(CountStarting(log, "Label1"), 2) << "Timer4 draws one, Timer3 another";
    EXPECT_EQ(CountStarting(log, "show Image5"), 1);
    EXPECT_EQ(game.R().score, 300);
}

TEST(Overlap, FoundIonPressedDuringTheBonusGrantsItAgainIfItsPauseEndsFirst) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Press(3);
    game.WaitFor(1);  // 1001.3: bonus, score 600
    game.Wait(0.05);
    game.Press(3);    // not judged; Timer1 stamped 1001 like Timer4
    game.Skip(1.0);   // a late loop: both waits are over
    game.TickNow(1);  // Timer1's tick comes first
    EXPECT_EQ(game.R().score, 1100);
    EXPECT_TRUE(game.window.Visible(Widget::Image5));
    EXPECT_EQ(game.R().timer4Start, 1002) << "the bonus wait starts over";
    game.Log();
    game.Wait(5.0);
    const auto log = game.Log();
    EXPECT_EQ(CountStarting(log, "Timer4 = 0"), 1);
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "1100");
    EXPECT_EQ(CountStarting(log, "Label1"), 1);
}

TEST(Overlap, FoundIonPressedDuringTheBonusDoesNothingIfTheBonusEndsFirst) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Press(3);
    game.WaitFor(1);
    game.Wait(0.05);
    game.Press(3);
    game.Log();
    game.Wait(5.0);
    const auto log = game.Log();
    EXPECT_EQ(game.R().score, 600);
    EXPECT_EQ(CountStarting(log, "Label1"), 1);
    EXPECT_EQ(CountStarting(log, "show Image5"), 0);
    EXPECT_TRUE(ArmedTimers(game).empty());
}

class BonusReachingTheGoal : public ::testing::TestWithParam<bool> {};

TEST_P(BonusReachingTheGoal, EndsAlikeInEitherTickOrder) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    options.highestTimerFirst = GetParam();
    Game game(options);
    game.Load();
    game.Stage().score = 9400;
    game.Press(3);
    game.WaitFor(1);
    EXPECT_EQ(ArmedTimers(game), (std::set<int>{4, 5}));
    EXPECT_TRUE(game.window.Visible(Widget::Image5));
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "9500");
    game.Log();
    game.Wait(2.0);
    const auto log = game.Log();
    EXPECT_FALSE(game.window.Visible(Widget::Image5));
    EXPECT_TRUE(game.window.Visible(Widget::Image4));
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "10000");
    EXPECT_THAT(Sounds(log), ElementsAre("gokaku.wav"));
    EXPECT_EQ(CountStarting(log, "Label1"), 0);
    EXPECT_EQ(ArmedTimers(game), std::set<int>{6});
    // Both timers acted on the same tick; the order is the platform's.
    ASSERT_GE(game.actions.size(), 3u);
    const int first = game.actions[game.actions.size() - 2].second;
    EXPECT_EQ(first, GetParam() ? 5 : 4);
}

INSTANTIATE_TEST_SUITE_P(Overlap, BonusReachingTheGoal, ::testing::Bool());

TEST(Overlap, FailureAndGoalTimersAreNeverArmedTogether) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Stage().score = 9900;
    game.Stage().missLevel = 4;
    bool together = false;
    game.afterTick = [&](int, bool) {
        const bool failure = game.window.Armed(2) || game.window.Armed(3);
        const bool goal = game.window.Armed(5) || game.window.Armed(6);
        together = together || (failure && goal);
    };
    game.Press(3);  // 10000, complete
    game.Press(1);  // and the fifth miss
    game.Wait(1.2);
    game.Press(4);  // another miss during the failure
    game.Wait(1.0);
    game.Press(3);  // a found ion: only re-arms the pause
    game.Wait(10.0);
    EXPECT_FALSE(together);
    EXPECT_FALSE(game.R().inputLocked.IsSet());
    EXPECT_LT(game.R().score, 10000);
}

}  // namespace
}  // namespace enginetest

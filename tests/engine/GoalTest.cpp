// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Harness.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Plays a question with one miss from 9900 to 10000 (key {3}): the goal.
void ReachGoal(Game& game) {
    game.Stage().score = 10000;
    game.Press(1);  // 9900
    game.Press(3);  // 10000
}

TEST(Goal, LocksShowsThePassPictureAndOffersTheRetry) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    ReachGoal(game);
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "10000") << "shown at once";
    game.WaitFor(1);
    const double locked = game.clock.Now();
    EXPECT_TRUE(game.R().inputLocked.IsSet());
    game.Log();

    game.Press(5);
    game.Press(3);
    EXPECT_THAT(game.Log(), IsEmpty()) << "locked buttons do nothing";

    game.WaitFor(5);
    EXPECT_THAT(game.Log(), ElementsAre("Timer5 = 0", "Label4 = 10000", "hide Image3",
                                        R"(play \音\gokaku.wav)", "show Image4", "Timer6 = 500"));
    const double pass = game.clock.Now();
    EXPECT_GT(pass - locked, 0.5);
    EXPECT_LE(pass - locked, 2.0);

    game.WaitFor(6);
    EXPECT_THAT(game.Log(), ElementsAre("Timer6 = 0", "show Command4"));
    EXPECT_GE(game.clock.Now() - pass, 4.0);
    EXPECT_LE(game.clock.Now() - pass, 5.0);
    EXPECT_FALSE(game.AnyArmed());
    for (const Widget hidden : {Widget::Image2, Widget::Image3, Widget::Image5}) {
        EXPECT_FALSE(game.window.Visible(hidden));
    }
    game.engine.PressHint();
    EXPECT_THAT(game.Log(), ElementsAre("open hint")) << "the hint stays live after the goal";
    EXPECT_EQ(game.R().score, 10000);
}

TEST(Goal, RetryStartsAFreshGameInTheSameWindow) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Press(6);
    game.Wait(2.0);  // a miss on the gauge
    ReachGoal(game);
    game.Wait(10.0);
    ASSERT_TRUE(game.window.Visible(Widget::Command4));
    game.Log();

    game.engine.PressRetry();
    const auto log = game.Log();
    ASSERT_GE(log.size(), 6u);
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 6),
                ElementsAre("hide Command4", "hide Image4", "hide Image1", "Image1.left = 315",
                            "Label4 = ", "show Image1"));

    const GameRecord& r = game.R();
    EXPECT_EQ(r.score, 0);
    EXPECT_EQ(r.missLevel, 0);
    EXPECT_EQ(r.inputLocked.Value(), 0);
    EXPECT_EQ(r.questionMisses, 0);
    EXPECT_EQ(r.hintUsed.Value(), 0);
    EXPECT_EQ(r.bonusPending.Value(), 0);
    EXPECT_EQ(r.gaugeHomeLeft, 315);
    EXPECT_EQ(r.answersLeft, 1);
    EXPECT_EQ(std::count(r.recentQueue.begin(), r.recentQueue.end(), 0), 30)
        << "the window holds only the new first question";
    for (int q = 1; q <= 30; ++q) {
        EXPECT_EQ(r.askedFlags[static_cast<std::size_t>(q)].Value(), q == r.currentQuestion ? 1 : 0);
    }
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(r.foundFlags[static_cast<std::size_t>(i)].Value(), 0);
        EXPECT_EQ(game.window.ButtonPicture(i), Plain(i));
    }
    EXPECT_EQ(game.window.Label(TextLabel::Label4), "");
    EXPECT_TRUE(game.window.Visible(Widget::Image1));
    EXPECT_FALSE(game.window.Visible(Widget::Image4));
    EXPECT_FALSE(game.window.Visible(Widget::Command4));
    EXPECT_EQ(game.window.gaugeLeft, 315.0f);

    game.Press(3);
    EXPECT_EQ(game.R().score, 100) << "the buttons respond again";
}

TEST(Goal, RetryReadsTheBankAnewAndKeepsStaleSlots) {
    GameOptions options;
    options.bank = Bank::Uniform({3, 5, 7});
    Game game(options);
    game.Load();
    EXPECT_EQ(game.bank.fetches, 2);
    game.Stage().score = 9800;
    for (const int ion : {3, 5, 7}) game.Press(ion);  // 10100: the goal
    game.Wait(10.0);
    ASSERT_TRUE(game.window.Visible(Widget::Command4));

    // The teacher edits both files while the pass picture is up.
    Bank edited = Bank::Uniform({9});
    edited.texts[0] = "edited Q1";
    game.bank.Set(edited);
    game.engine.PressRetry();
    EXPECT_EQ(game.bank.fetches, 4);
    const GameRecord& r = game.R();
    EXPECT_EQ(r.questionTexts[1], "edited Q1");
    EXPECT_EQ(r.answerCounts[1], 1);
    EXPECT_EQ(r.answerKey[1][1], 9);
    EXPECT_EQ(r.answerKey[1][2], 5) << "a slot above the new count keeps the old game's number";
    EXPECT_EQ(r.answerKey[1][3], 7);
}

TEST(Goal, AQuestionOfTheFinishedGameMayComeFirstAfterTheRetry) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    options.scriptedRandom = true;
    Game game(options);
    game.scripted.script = {0.5f};  // question 14
    game.Load();
    ReachGoal(game);
    game.Wait(10.0);
    game.scripted.script = {0.5f};
    game.engine.PressRetry();
    EXPECT_EQ(game.R().currentQuestion, 14);
    EXPECT_EQ(game.scripted.calls.size(), 4u) << "one draw per game, no redraw";
}

TEST(Goal, SequenceArmedBeforeMidnightEndsAfterIt) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    options.start = 86394.3;
    Game game(options);
    game.Load();
    ReachGoal(game);
    game.WaitFor(1);  // 86395.3
    game.WaitFor(5);  // 86396.3
    const double pass = game.clock.Now();
    game.WaitFor(6);
    EXPECT_GT(game.clock.Now(), 86400.0) << "past midnight";
    EXPECT_NEAR(game.clock.Now() - pass, 4.5, 0.5);
    EXPECT_TRUE(game.window.Visible(Widget::Command4));
}

TEST(Quit, EndsTheProgramAndDoesNothingElse) {
    Game game;
    game.Load();
    game.Stage().missLevel = 4;
    game.Press(1);
    game.WaitFor(1);  // the failure is under way
    game.Log();
    const GameRecord before = game.R();
    game.engine.PressQuit();
    EXPECT_THAT(game.Log(), ElementsAre("end program"));
    EXPECT_EQ(game.R().score, before.score);
    EXPECT_TRUE(game.window.Armed(2)) << "what happens to the timers is the program's end";
}

TEST(Hint, MarksTheQuestionUntilTheNextOne) {
    GameOptions options;
    options.bank = Bank::Uniform({3});
    Game game(options);
    game.Load();
    game.Log();
    game.engine.PressHint();
    game.engine.PressHint();
    EXPECT_THAT(game.Log(), ElementsAre("open hint", "open hint"));
    EXPECT_EQ(game.R().hintUsed.Value(), 1);
    game.Press(3);
    EXPECT_EQ(game.R().score, 0);
    game.Wait(2.0);
    EXPECT_FALSE(game.window.Visible(Widget::Image5)) << "no bonus";
    EXPECT_EQ(game.R().hintUsed.Value(), 0) << "the next question is not hinted";
}

}  // namespace
}  // namespace enginetest

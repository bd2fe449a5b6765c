// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Both programs on an X server of their own, played with real input events:
// one table of what a player does, run on each.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QThread>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "appcore/HintFacts.h"
#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"

namespace soruberia::e2e {
namespace {

struct Scenario {
    const char* name;
    void (*play)(Session&);
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

// How often the quit button is pressed while a sound plays: a few times in
// the default run, SORUBERIA_E2E_REPEAT times when asked.
int Repetitions() {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("SORUBERIA_E2E_REPEAT", &ok);
    return ok && asked > 0 ? asked : 3;
}

const Scenario kScenarios[] = {
    {"MenuBuildsUpExplainsAndQuits",
     [](Session& session) {
         std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         MenuBuildsUpAndExplains(session, *menu);
         if (::testing::Test::HasFatalFailure()) return;
         menu->Press("Command1");
         EndsWell(session, "the menu's quit button");
     }},
    {"MenuButtonsComeWhole",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         MenuButtonsComeWhole(*menu);
     }},
    {"MenuCloseBoxDuringTheBuildUp",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         // Before the buttons come, the close box is the only way out.
         EXPECT_FALSE(menu->ShowsQuit());
         session.X().PressCloseBox(menu->Window());
         EndsWell(session, "the menu's close box");
     }},
    {"RightAndWrongPresses",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         RightAndWrong(*game);
     }},
    {"FiveMissesBurstTheBalloon",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         PerfectQuestion(*game, kPerfectQuestion);
         if (::testing::Test::HasFatalFailure()) return;
         FiveMissesAndFailure(*game, kPerfectQuestion);
     }},
    {"TenThousandPointsPass",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         ToTheGoalAndRetry(*game, 0);
     }},
    {"HintWindowOnceAndBackThenQuit",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         HintOnceAndBack(session, *game);
         if (::testing::Test::HasFatalFailure()) return;
         LeaveByQuitButton(session, *game);
     }},
    {"ScreenReaderReadsTheHintTable",
     [](Session& session) {
         session.ListenAsScreenReader();
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         game->Press("Command3");
         // The table is a picture; what a screen reader gets is its text.
         std::optional<WindowReading> hint;
         ASSERT_TRUE(WaitUntil([&] {
             hint = session.ReadWindow(kHintTitle);
             return hint && hint->count(QStringLiteral("Image1")) == 1;
         })) << "no hint window read";
         EXPECT_EQ(hint->at(QStringLiteral("Image1")).text.toStdString(), appcore::HintTableText());
         EXPECT_EQ(hint->at(QStringLiteral("Command1")).text, QStringLiteral("戻る"));
     }},
    {"ClosingTheWindows",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         LeaveByCloseBoxes(session, *game);
     }},
    {"QuitWhileASoundPlays",
     [](Session& session) {
         const int times = Repetitions();
         for (int time = 1; time <= times; ++time) {
             SCOPED_TRACE("time " + std::to_string(time));
             const std::optional<MenuView> menu = StartAtMenu(session);
             ASSERT_TRUE(menu);
             const std::optional<GameView> game = StartGame(session, *menu);
             ASSERT_TRUE(game);
             // A press starts its sound; the quit button comes while it
             // plays, at once or a little later.
             game->ClickIon(time % 2 == 0 ? 1 : kWrongIon);
             QThread::msleep(QRandomGenerator::global()->bounded(300u));
             game->Press("Command2");
             EndsWell(session, "the quit button while a sound played");
             if (::testing::Test::HasFailure()) return;
             std::printf("quit %d of %d while a sound played: status 0\n", time, times);
         }
     }},
    {"HeldSpacePressesOnce",
     [](Session& session) {
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         const std::optional<GameView> game = StartGame(session, *menu);
         ASSERT_TRUE(game);
         // The focus starts on the first ion button; Tab walks to a wrong one.
         for (int ion = 1; ion < kWrongIon; ++ion) game->Key(QStringLiteral("Tab"));
         // Held past the server's key repeat: one press, one miss.
         game->HoldKey(QStringLiteral("space"), 2s);
         ASSERT_TRUE(WaitUntil([&] { return game->MarkHidden() && !game->GaugeAt(0); }))
             << "no miss from the held key";
         QThread::msleep(1500);  // a repeated press would have moved it on by now
         EXPECT_TRUE(game->MarkHidden() && game->GaugeAt(1)) << "the held key pressed more than once";
     }},
    {"Keyboard",
     [](Session& session) {
         XServer& x = session.X();
         const std::optional<MenuView> menu = StartAtMenu(session);
         ASSERT_TRUE(menu);
         ASSERT_TRUE(WaitUntil([&] { return menu->ShowsStart(); }));
         // Enter and Escape do nothing.
         menu->Key(QStringLiteral("Return"));
         menu->Key(QStringLiteral("Escape"));
         QThread::msleep(1000);
         EXPECT_EQ(x.Titles(), QStringList{kMenuTitle});
         EXPECT_TRUE(menu->ShowsStart());
         // The focus is on start; Shift+Tab walks back to the explanation
         // button and Space opens the explanation; its back button has the
         // focus, and Space closes it.
         menu->Key(QStringLiteral("shift+Tab"));
         menu->Key(QStringLiteral("space"));
         ASSERT_TRUE(WaitUntil([&] { return menu->ShowsPanel() && menu->ShowsBack(); }))
             << "Shift+Tab and Space did not open the explanation";
         menu->Key(QStringLiteral("space"));
         ASSERT_TRUE(WaitUntil([&] { return !menu->ShowsPanel() && menu->ShowsStart(); }))
             << "Space on the back button did not close the explanation";
         // The focus is back on the explanation button; Tab goes on to start.
         menu->Key(QStringLiteral("Tab"));
         menu->Key(QStringLiteral("space"));
         std::optional<TopWindow> window;
         ASSERT_TRUE(WaitUntil([&] {
             window = x.Find(kGameTitle);
             return window && GameView(x, *window).IonShows(1, kPlainIon);
         })) << "Tab and Space did not start the game; windows: " << Shown(x);
         const GameView game(x, *window);
         // The first ion button has the focus; Space presses it.
         game.Key(QStringLiteral("space"));
         EXPECT_TRUE(WaitUntil([&] { return game.MarkShows(kCorrectMark) && game.IonShows(1, kFoundIon); }))
             << "Space did not press the first ion button";
         // The hint window takes the keyboard focus on its 戻る button:
         // Space closes it.
         game.Press("Command3");
         std::optional<TopWindow> hint;
         ASSERT_TRUE(WaitUntil([&] { return (hint = x.Find(kHintTitle)).has_value(); })) << Shown(x);
         WindowView(x, *hint).Key(QStringLiteral("space"));
         EXPECT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kGameTitle}; }, 5s))
             << "Space did not close the hint window; windows: " << Shown(x);
     }},
};

class PlayTest : public ::testing::TestWithParam<std::tuple<Scenario, FrontEnd>> {};

TEST_P(PlayTest, Plays) {
    const auto& [scenario, front] = GetParam();
    if (const std::string missing = MissingFor(front); !missing.empty()) GTEST_SKIP() << missing;
    Session session(front);
    scenario.play(session);
}

INSTANTIATE_TEST_SUITE_P(Both, PlayTest,
                         ::testing::Combine(::testing::ValuesIn(kScenarios),
                                            ::testing::Values(FrontEnd::Qt, FrontEnd::Wine)),
                         [](const ::testing::TestParamInfo<PlayTest::ParamType>& param) {
                             return std::string(std::get<0>(param.param).name) + "_" +
                                    NameOf(std::get<1>(param.param));
                         });

}  // namespace
}  // namespace soruberia::e2e

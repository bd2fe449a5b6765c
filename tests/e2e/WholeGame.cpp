// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/WholeGame.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/Screens.h"

namespace soruberia::e2e {

namespace {

const QString kMenuTitle = QStringLiteral("メニュー");
const QString kGameTitle = QStringLiteral("ソルベリア");
const QString kHintTitle = QStringLiteral("ヒント");

// Perfect questions from a score of 0 to the goal: 6 × 1600 = 9600 is
// short of 10000, the 7th brings 11200.
constexpr int kQuestionsToGoal = 7;

std::string Shown(XServer& x) { return x.Titles().join(QStringLiteral(" | ")).toStdString(); }

void MenuBuildsUpAndExplains(Session& session, MenuView& menu) {
    XServer& x = session.X();
    // From the first picture on: the tiles come one by one, in order, and
    // the buttons only once all five are there.
    QElapsedTimer clock;
    clock.start();
    const int firstTiles = menu.TilesShown();
    const bool firstButtons = menu.ShowsStart() || menu.ShowsQuit() || menu.ShowsExplain();
    EXPECT_FALSE(firstButtons) << "the buttons are there at once";
    EXPECT_LT(firstTiles, 5) << "the title is complete at once";
    int tiles = firstTiles;
    bool buttons = false;
    ASSERT_TRUE(WaitUntil([&] {
        const int now = menu.TilesShown();
        EXPECT_GE(now, tiles) << "a tile went away";
        tiles = now;
        buttons = menu.ShowsQuit() || menu.ShowsExplain() || menu.ShowsStart();
        return buttons;
    })) << "the menu's buttons never came";
    EXPECT_EQ(menu.TilesShown(), 5) << "buttons before the whole title";
    // Every tick still to come takes about 500 ms; allow for a busy machine
    // that paints late, but not for a title that is not paced at all.
    EXPECT_GE(clock.elapsed(), (5 - firstTiles) * 300)
        << "the title came up too fast from " << firstTiles << " tiles";
    ASSERT_TRUE(WaitUntil([&] { return menu.ShowsQuit() && menu.ShowsExplain() && menu.ShowsStart(); }));

    // The explanation lays its panel over the title; the back button takes
    // the explanation button's place, so a second click there goes back.
    menu.Click(Centre(layout::kMenuExplain));
    ASSERT_TRUE(WaitUntil([&] {
        return menu.ShowsPanel() && menu.ShowsBack() && !menu.ShowsQuit() && !menu.ShowsStart();
    })) << "no explanation panel";
    EXPECT_FALSE(menu.ShowsTile(0));
    menu.Click(Centre(layout::kMenuExplain));
    ASSERT_TRUE(WaitUntil([&] {
        return !menu.ShowsPanel() && menu.TilesShown() == 5 && menu.ShowsQuit() &&
               menu.ShowsExplain() && menu.ShowsStart();
    })) << "the back button did not bring the title back";
    EXPECT_EQ(x.Titles(), QStringList{kMenuTitle});
}

void RightWrongAndFailure(Session& session, const GameView& game) {
    XServer& x = session.X();
    ASSERT_TRUE(game.GaugeAt(0));
    ASSERT_TRUE(game.BalloonWhole());

    // Right: the found picture on the button and the right-answer mark.
    game.ClickIon(1);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kCorrectMark) && game.IonShows(1, kFoundIon); }))
        << "no right-answer mark after a right answer";
    // Wrong: the wrong-answer mark, and the gauge moves only when the
    // pause after the last press ends, with the mark going away.
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); })) << "no wrong-answer mark";
    EXPECT_TRUE(game.GaugeAt(0));
    ASSERT_TRUE(WaitUntil([&] { return game.MarkHidden() && game.GaugeAt(1); }))
        << "the gauge did not move to level 1";

    // Misses 2 to 4: one step of the carriage each.
    for (int level = 2; level <= 4; ++level) {
        SCOPED_TRACE(level);
        game.ClickIon(kWrongIon);
        ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); }));
        ASSERT_TRUE(WaitUntil([&] { return game.MarkHidden() && game.GaugeAt(level); }))
            << "the gauge did not move to level " << level;
        EXPECT_TRUE(game.BalloonWhole());
    }

    // The fifth miss: the carriage reaches the balloon and it bursts; then
    // the carriage goes home, the balloon is whole and a new question comes
    // (its buttons show their plain pictures again).
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); }));
    ASSERT_TRUE(WaitUntil([&] { return game.GaugeAt(5) && game.BurstShown(); }))
        << "no burst balloon at the fifth miss";
    ASSERT_TRUE(WaitUntil([&] {
        return game.GaugeAt(0) && game.BalloonWhole() && game.IonShows(1, kPlainIon);
    })) << "the failure did not end with the gauge home and a new question";
    EXPECT_EQ(x.Titles(), QStringList{kGameTitle});
}

void GoalAndRetry(const GameView& game) {
    // Perfect questions: each earns the bonus picture, then the next
    // question comes; the last one reaches the goal and the pass picture.
    for (int question = 1; question <= kQuestionsToGoal; ++question) {
        SCOPED_TRACE(question);
        game.ClickIons(1, kAnswersPerQuestion);
        ASSERT_TRUE(WaitUntil([&] { return game.BonusShown(); })) << "no bonus picture";
        if (question < kQuestionsToGoal) {
            ASSERT_TRUE(WaitUntil([&] { return !game.BonusShown() && game.IonShows(1, kPlainIon); }))
                << "no next question after the bonus";
        }
    }
    ASSERT_TRUE(WaitUntil([&] { return game.MedalShown() && !game.BonusShown(); }))
        << "no pass picture at the goal";
    EXPECT_TRUE(game.IonShows(1, kFoundIon)) << "the finished question went away";

    // After the goal the ion buttons are locked: no mark comes while the
    // retry button is waited for, four to five seconds.
    game.ClickIon(kWrongIon);
    bool markSeen = false;
    ASSERT_TRUE(WaitUntil([&] {
        markSeen = markSeen || !game.MarkHidden();
        return game.RetryShown();
    })) << "no retry button after the goal";
    EXPECT_FALSE(markSeen) << "an ion button answered after the goal";
    EXPECT_TRUE(game.MedalShown());

    // Retry: a new game in the same window, the buttons answer again.
    game.Click(Centre(layout::kRetry));
    ASSERT_TRUE(WaitUntil([&] {
        return !game.RetryShown() && !game.MedalShown() && game.GaugeAt(0) && game.IonShows(1, kPlainIon);
    })) << "the retry did not start a new game";
    game.ClickIon(1);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kCorrectMark) && game.IonShows(1, kFoundIon); }))
        << "the new game does not answer";
}

// Opens the hint window by the game's hint button and waits until it is
// painted in front of the game window.
std::optional<TopWindow> OpenHint(XServer& x, const GameView& game) {
    game.Click(Centre(layout::kHint));
    std::optional<TopWindow> hint;
    const QRect ionArea(game.At(layout::IonCentre(1) - QPoint(40, 20)), QSize(80, 40));
    const bool shown = WaitUntil([&] {
        hint = x.Find(kHintTitle);
        return hint && HintCovers(x, *hint, ionArea);
    });
    EXPECT_TRUE(shown) << "no hint window in front; windows: " << Shown(x);
    return shown ? hint : std::nullopt;
}

void HintComesForwardAndCloses(XServer& x, const GameView& game) {
    const std::optional<TopWindow> hint = OpenHint(x, game);
    ASSERT_TRUE(hint);
    EXPECT_EQ(x.Titles(), (QStringList{kGameTitle, kHintTitle}));
    // The hint window is larger and centred too: it hides the game window.
    const QRect ionArea(game.At(layout::IonCentre(1) - QPoint(40, 20)), QSize(80, 40));
    EXPECT_TRUE(hint->area.contains(game.Window().area));

    // The player brings the game window to the front (a window manager
    // raises a clicked window), then presses the hint button again: the
    // same hint window comes forward, and there is still only one.
    x.Raise(game.Window());
    ASSERT_TRUE(WaitUntil([&] { return game.IonShows(1, kFoundIon); })) << "the game window did not come up";
    game.Click(Centre(layout::kHint));
    ASSERT_TRUE(WaitUntil([&] { return HintCovers(x, *hint, ionArea); }))
        << "the hint window did not come forward";
    const std::vector<TopWindow> windows = x.Windows();
    ASSERT_EQ(windows.size(), 2U) << Shown(x);
    EXPECT_EQ(windows.back().id, hint->id) << "not the same hint window, or not in front";
    EXPECT_EQ(windows.front().title, kGameTitle);

    // Its own button closes it; the game window is seen again.
    const WindowView hintView(x, *hint);
    hintView.Click(Centre(layout::kHintBack));
    ASSERT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kGameTitle}; })) << Shown(x);
    ASSERT_TRUE(WaitUntil([&] { return game.IonShows(1, kFoundIon); }));
}

void LeaveByCloseBoxes(Session& session, const GameView& game) {
    XServer& x = session.X();
    // The hint window's close box: the game goes on and answers.
    std::optional<TopWindow> hint = OpenHint(x, game);
    ASSERT_TRUE(hint);
    x.PressCloseBox(*hint);
    ASSERT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kGameTitle}; })) << Shown(x);
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); })) << "the game stopped with the hint";
    EXPECT_TRUE(session.Running());

    // The game window's close box with the hint window open: the hint
    // window stays and the program runs on until it is closed too.
    hint = OpenHint(x, game);
    ASSERT_TRUE(hint);
    x.PressCloseBox(game.Window());
    ASSERT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kHintTitle}; })) << Shown(x);
    EXPECT_FALSE(session.WaitForExit(1500ms)) << "the program ended with its hint window open";
    x.PressCloseBox(*hint);
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end when its last window closed";
    EXPECT_EQ(*status, 0);
}

void LeaveByQuitButton(Session& session, const GameView& game) {
    XServer& x = session.X();
    ASSERT_TRUE(OpenHint(x, game));
    x.Raise(game.Window());
    ASSERT_TRUE(WaitUntil([&] { return game.IonShows(1, kFoundIon); }));
    game.Click(Centre(layout::kQuit));
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the quit button did not end the program";
    EXPECT_EQ(*status, 0);
}

}  // namespace

void PlayWholeGame(Session& session, Ending ending, const QStringList& wrapper) {
    XServer& x = session.X();
    session.Start(wrapper);

    std::optional<TopWindow> menuWindow;
    ASSERT_TRUE(WaitUntil([&] {
        menuWindow = x.Find(kMenuTitle);
        return menuWindow && MenuView(x, *menuWindow).Painted();
    })) << "no menu; windows: " << Shown(x) << "; errors: " << session.Errors().toStdString();
    MenuView menu(x, *menuWindow);
    MenuBuildsUpAndExplains(session, menu);
    if (::testing::Test::HasFatalFailure()) return;

    // Start: the menu goes and the game window comes with its first question.
    menu.Click(Centre(layout::kMenuStart));
    std::optional<TopWindow> gameWindow;
    ASSERT_TRUE(WaitUntil([&] {
        gameWindow = x.Find(kGameTitle);
        return gameWindow && !x.Find(kMenuTitle) && GameView(x, *gameWindow).IonShows(12, kPlainIon);
    })) << "no game window; windows: " << Shown(x);
    EXPECT_EQ(x.Titles(), QStringList{kGameTitle});
    const GameView game(x, *gameWindow);

    RightWrongAndFailure(session, game);
    if (::testing::Test::HasFatalFailure()) return;
    GoalAndRetry(game);
    if (::testing::Test::HasFatalFailure()) return;
    HintComesForwardAndCloses(x, game);
    if (::testing::Test::HasFatalFailure()) return;

    if (ending == Ending::CloseBoxes)
        LeaveByCloseBoxes(session, game);
    else
        LeaveByQuitButton(session, game);
    if (::testing::Test::HasFatalFailure()) return;

    EXPECT_TRUE(x.Titles().isEmpty()) << Shown(x);
    // Every picture loaded and every sound played: the program reported
    // nothing on its own account.
    EXPECT_FALSE(session.Errors().contains(QStringLiteral("ソルベリア"))) << session.Errors().toStdString();
}

}  // namespace soruberia::e2e

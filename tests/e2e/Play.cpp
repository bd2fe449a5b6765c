// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Play.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <vector>

namespace soruberia::e2e {

std::string Shown(XServer& x) { return x.Titles().join(QStringLiteral(" | ")).toStdString(); }

std::optional<MenuView> StartAtMenu(Session& session, const QStringList& wrapper) {
    XServer& x = session.X();
    session.Start(wrapper);
    std::optional<TopWindow> window;
    const bool shown = WaitUntil([&] {
        window = x.Find(kMenuTitle);
        return window && MenuView(x, *window).Painted();
    });
    EXPECT_TRUE(shown) << "no menu; windows: " << Shown(x) << "; errors: " << session.Errors().toStdString();
    if (!shown) return std::nullopt;
    return MenuView(x, *window);
}

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
    menu.Press("Command2");
    ASSERT_TRUE(WaitUntil([&] {
        return menu.ShowsPanel() && menu.ShowsBack() && !menu.ShowsQuit() && !menu.ShowsStart();
    })) << "no explanation panel";
    EXPECT_FALSE(menu.ShowsTile(0));
    menu.Press("Command4");
    ASSERT_TRUE(WaitUntil([&] {
        return !menu.ShowsPanel() && menu.TilesShown() == 5 && menu.ShowsQuit() &&
               menu.ShowsExplain() && menu.ShowsStart();
    })) << "the back button did not bring the title back";
    EXPECT_EQ(x.Titles(), QStringList{kMenuTitle});
}

void MenuButtonsComeWhole(const MenuView& menu) {
    const QImage ground = BuiltInPicture(QStringLiteral("menu/background.png"));
    const struct {
        const char* name;
        const char* face;
    } buttons[] = {{"Command1", "menu/quit.png"}, {"Command2", "menu/explain.png"}, {"Command3", "menu/start.png"}};
    std::vector<ButtonArrival> arrivals;
    for (const auto& button : buttons)
        arrivals.emplace_back(menu, BoxOf(MenuForm(), button.name), BuiltInPicture(QString::fromLatin1(button.face)), ground);
    // As often as the screen can be read: a flash lasts a few milliseconds.
    QElapsedTimer clock;
    clock.start();
    int worst = 0;
    qint64 worstAt = 0;
    qint64 allShownAt = -1;
    while (allShownAt < 0 ? clock.elapsed() < kPatience.count() : clock.elapsed() < allShownAt + 300) {
        int stray = 0;
        for (const ButtonArrival& arrival : arrivals) stray += arrival.StrayPixels();
        if (stray > worst) {
            worst = stray;
            worstAt = clock.elapsed();
        }
        if (allShownAt < 0 && menu.ShowsQuit() && menu.ShowsExplain() && menu.ShowsStart())
            allShownAt = clock.elapsed();
    }
    ASSERT_GE(allShownAt, 0) << "the menu's buttons never came";
    EXPECT_EQ(worst, 0) << worst << " pixels of the buttons' boxes showed neither the window's picture nor a face, "
                        << allShownAt - worstAt << " ms before all three faces were there";
}

std::optional<GameView> StartGame(Session& session, const MenuView& menu) {
    XServer& x = session.X();
    EXPECT_TRUE(WaitUntil([&] { return menu.ShowsStart(); })) << "no start button";
    // Start: the menu goes and the game window comes with its first question.
    menu.Press("Command3");
    std::optional<TopWindow> window;
    const bool shown = WaitUntil([&] {
        window = x.Find(kGameTitle);
        return window && !window->dialog && !x.Find(kMenuTitle) &&
               GameView(x, *window).IonShows(12, kPlainIon);
    });
    EXPECT_TRUE(shown) << "no game window; windows: " << Shown(x) << "; errors: " << session.Errors().toStdString();
    if (!shown) return std::nullopt;
    EXPECT_EQ(x.Titles(), QStringList{kGameTitle});
    return GameView(x, *window);
}

void EndsWell(Session& session, const char* after) {
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end after " << after;
    EXPECT_EQ(*status, 0) << "after " << after << "; errors: " << session.Errors().toStdString();
    EXPECT_TRUE(session.X().Titles().isEmpty()) << Shown(session.X());
}

void RightAndWrong(const GameView& game) {
    ASSERT_TRUE(WaitUntil([&] { return game.GaugeAt(0) && game.BalloonWhole(); })) << "no gauge at home";
    EXPECT_TRUE(game.ScoreShows(QString())) << "a score before the first press";

    // Right: the found picture on the button, the right-answer mark, 100 points.
    game.ClickIon(1);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kCorrectMark) && game.IonShows(1, kFoundIon); }))
        << "no right-answer mark after a right answer";
    EXPECT_TRUE(WaitUntil([&] { return game.ScoreShows(QStringLiteral("100")); })) << "no score of 100";
    EXPECT_FALSE(game.ScoreShows(QStringLiteral("0"))) << "the score cannot be told from another";
    // Wrong: the wrong-answer mark, 100 points off, and the gauge moves only
    // when the pause after the last press ends, with the mark going away.
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); })) << "no wrong-answer mark";
    EXPECT_TRUE(game.GaugeAt(0));
    EXPECT_TRUE(WaitUntil([&] { return game.ScoreShows(QStringLiteral("0")); })) << "no score of 0";
    ASSERT_TRUE(WaitUntil([&] { return game.MarkHidden() && game.GaugeAt(1); }))
        << "the gauge did not move to level 1";
    EXPECT_TRUE(game.IonShows(1, kFoundIon)) << "the question went away after a miss";
}

void PerfectQuestion(const GameView& game, int scoreAfter) {
    ASSERT_TRUE(WaitUntil([&] { return game.IonShows(1, kPlainIon); })) << "no fresh question";
    game.ClickIons(1, kAnswersPerQuestion);
    ASSERT_TRUE(WaitUntil([&] { return game.BonusShown(); })) << "no bonus picture";
    ASSERT_TRUE(WaitUntil([&] { return !game.BonusShown() && game.IonShows(1, kPlainIon); }))
        << "no next question after the bonus";
    EXPECT_TRUE(game.ScoreShows(QString::number(scoreAfter))) << "not " << scoreAfter << " points";
}

void FiveMissesAndFailure(const GameView& game, int score) {
    // Misses 1 to 4: one step of the carriage each, 100 points off each.
    for (int level = 1; level <= 4; ++level) {
        SCOPED_TRACE(level);
        game.ClickIon(kWrongIon);
        ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); }));
        ASSERT_TRUE(WaitUntil([&] { return game.MarkHidden() && game.GaugeAt(level); }))
            << "the gauge did not move to level " << level;
        EXPECT_TRUE(game.BalloonWhole());
        EXPECT_TRUE(game.ScoreShows(QString::number(score - 100 * level)));
    }
    // The fifth miss costs nothing: the carriage reaches the balloon and it
    // bursts; then the score is halved, the carriage goes home, the balloon
    // is whole and a new question comes.
    const int atBurst = score - 400;
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); }));
    ASSERT_TRUE(WaitUntil([&] { return game.GaugeAt(5) && game.BurstShown(); }))
        << "no burst balloon at the fifth miss";
    EXPECT_TRUE(game.ScoreShows(QString::number(atBurst))) << "not " << atBurst << " at the burst";
    ASSERT_TRUE(WaitUntil([&] {
        return game.GaugeAt(0) && game.BalloonWhole() && game.IonShows(1, kPlainIon);
    })) << "the failure did not end with the gauge home and a new question";
    EXPECT_TRUE(WaitUntil([&] { return game.ScoreShows(QString::number(atBurst / 2)); }))
        << "the score was not halved to " << atBurst / 2;
}

void ToTheGoalAndRetry(const GameView& game, int score) {
    // Perfect questions: each earns the bonus picture, then the next
    // question comes; the one that reaches 10000 brings the pass picture.
    while (score + kPerfectQuestion < 10000) {
        score += kPerfectQuestion;
        PerfectQuestion(game, score);
        if (::testing::Test::HasFatalFailure()) return;
    }
    ASSERT_TRUE(WaitUntil([&] { return game.IonShows(1, kPlainIon); }));
    game.ClickIons(1, kAnswersPerQuestion);
    ASSERT_TRUE(WaitUntil([&] { return game.MedalShown() && !game.BonusShown(); }))
        << "no pass picture, smoothly stretched, at the goal";
    EXPECT_TRUE(game.IonShows(1, kFoundIon)) << "the finished question went away";
    EXPECT_TRUE(game.ScoreShows(QString::number(score + kPerfectQuestion)));

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

    // The retry button has the focus: Space starts a new game in the same
    // window, whose score stays empty until the first press.
    game.Key(QStringLiteral("space"));
    ASSERT_TRUE(WaitUntil([&] {
        return !game.RetryShown() && !game.MedalShown() && game.GaugeAt(0) && game.IonShows(1, kPlainIon);
    })) << "Space on the retry button did not start a new game";
    EXPECT_TRUE(game.ScoreShows(QString())) << "a score before the new game's first press";
    game.ClickIon(1);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kCorrectMark) && game.IonShows(1, kFoundIon); }))
        << "the new game does not answer";
}

namespace {

QRect IonArea(const GameView& game) {
    return {game.At(Centre(IonBox(1)) - QPoint(40, 20)), QSize(80, 40)};
}

// Opens the hint window by the game's hint button and waits until it is
// painted in front of the game window.
std::optional<TopWindow> OpenHint(XServer& x, const GameView& game) {
    game.Press("Command3");
    std::optional<TopWindow> hint;
    const bool shown = WaitUntil([&] {
        hint = x.Find(kHintTitle);
        return hint && HintCovers(x, *hint, IonArea(game));
    });
    EXPECT_TRUE(shown) << "no hint window in front; windows: " << Shown(x);
    return shown ? hint : std::nullopt;
}

// What a window manager does when the player clicks the game window.
void BringGameForward(XServer& x, const GameView& game) {
    x.Raise(game.Window());
    ASSERT_TRUE(WaitUntil([&] { return !HintCovers(x, *x.Find(kHintTitle), IonArea(game)); }))
        << "the game window did not come up";
}

}  // namespace

namespace {

// One click on the hint window's 戻る button closes it; the game window is
// seen again.
void BackClosesTheHint(XServer& x, const TopWindow& hint, const GameView& game) {
    WindowView(x, hint).Click(CentreOf(HintForm(), "Command1"));
    ASSERT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kGameTitle}; }, 5s))
        << "one click on 戻る did not close the hint window; windows: " << Shown(x);
    ASSERT_TRUE(WaitUntil([&] { return !HintCovers(x, hint, IonArea(game)); }));
}

}  // namespace

void HintOnceAndBack(Session& session, const GameView& game) {
    XServer& x = session.X();
    std::optional<TopWindow> hint = OpenHint(x, game);
    ASSERT_TRUE(hint);
    EXPECT_EQ(x.Titles(), (QStringList{kGameTitle, kHintTitle}));
    // The hint window is larger and centred too: it hides the game window.
    EXPECT_TRUE(hint->area.contains(game.Window().area));
    EXPECT_EQ(hint->area.size(), QSize(HintForm().clientWidth, HintForm().clientHeight));
    BackClosesTheHint(x, *hint, game);
    if (::testing::Test::HasFatalFailure()) return;

    // Opened again, the player brings the game window to the front and
    // presses the hint button once more: the same hint window comes
    // forward, and there is still only one.
    hint = OpenHint(x, game);
    ASSERT_TRUE(hint);
    BringGameForward(x, game);
    if (::testing::Test::HasFatalFailure()) return;
    game.Press("Command3");
    ASSERT_TRUE(WaitUntil([&] { return HintCovers(x, *hint, IonArea(game)); }))
        << "the hint window did not come forward";
    const std::vector<TopWindow> windows = x.Windows();
    ASSERT_EQ(windows.size(), 2U) << Shown(x);
    EXPECT_EQ(windows.back().id, hint->id) << "not the same hint window, or not in front";
    EXPECT_EQ(windows.front().title, kGameTitle);
    BackClosesTheHint(x, *hint, game);
    if (::testing::Test::HasFatalFailure()) return;

    // The game answers again.
    game.ClickIon(kWrongIon);
    ASSERT_TRUE(WaitUntil([&] { return game.MarkShows(kWrongMark); })) << "the game stopped with the hint";
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
    EndsWell(session, "its last window closed");
}

void LeaveByQuitButton(Session& session, const GameView& game) {
    XServer& x = session.X();
    ASSERT_TRUE(OpenHint(x, game));
    BringGameForward(x, game);
    if (::testing::Test::HasFatalFailure()) return;
    game.Press("Command2");
    EndsWell(session, "the quit button");
}

}  // namespace soruberia::e2e

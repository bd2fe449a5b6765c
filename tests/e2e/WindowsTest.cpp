// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What only the Windows program has: its windows at Windows' 150 %, and
// what a screen reader reads of them.
#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"

namespace soruberia::e2e {
namespace {

class WineTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string missing = MissingFor(FrontEnd::Wine); !missing.empty()) GTEST_SKIP() << missing;
    }
};

// Pixels of `area` that are strongly yellow: label text.
int YellowPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 204 && qGreen(p) > 204 && qBlue(p) < 77) ++count;
        }
    return count;
}

bool RedFace(QColor colour) { return colour.red() >= 192 && colour.green() <= 96; }

TEST_F(WineTest, WindowsAt150PercentAndClosedOneByOne) {
    constexpr double kScale = 1.5;
    Session session(FrontEnd::Wine);
    // 144 dots per inch: Windows' 150 %.
    const QProcessEnvironment env = session.DesktopEnvironment();
    for (const char* key : {"HKCU\\Control Panel\\Desktop",
                            "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"}) {
        session.Wine()->Run(env, {QStringLiteral("reg"), QStringLiteral("add"), QString::fromLatin1(key),
                                  QStringLiteral("/v"), QStringLiteral("LogPixels"), QStringLiteral("/t"),
                                  QStringLiteral("REG_DWORD"), QStringLiteral("/d"), QStringLiteral("144"),
                                  QStringLiteral("/f")});
    }
    session.Wine()->Run(env, {QStringLiteral("wineboot"), QStringLiteral("--shutdown")});
    session.Wine()->WaitForServer();

    XServer& x = session.X();
    const auto scaled = [](int pixels) { return qRound(pixels * kScale); };
    session.Start();
    std::optional<TopWindow> menu;
    ASSERT_TRUE(WaitUntil([&] { return (menu = x.Find(kMenuTitle)).has_value(); })) << Shown(x);
    EXPECT_EQ(menu->area.size(), QSize(scaled(MenuForm().clientWidth), scaled(MenuForm().clientHeight)));
    // The start button's face, drawn from its 2× picture.
    const WindowView menuView(x, *menu);
    const QPoint start = BoxOf(MenuForm(), "Command3", kScale).topLeft() + QPoint(8, 8);
    ASSERT_TRUE(WaitUntil([&] { return RedFace(menuView.Pixel(start)); })) << "no red start button at 150 %";
    menuView.Click(CentreOf(MenuForm(), "Command3", kScale));

    std::optional<TopWindow> game;
    ASSERT_TRUE(WaitUntil([&] { return (game = x.Find(kGameTitle)).has_value() && !x.Find(kMenuTitle); }))
        << Shown(x);
    EXPECT_EQ(game->area.size(), QSize(scaled(GameForm().clientWidth), scaled(GameForm().clientHeight)));
    const WindowView gameView(x, *game);
    // The question, yellow on navy, in its label.
    EXPECT_TRUE(WaitUntil([&] { return YellowPixels(gameView.Grab(BoxOf(GameForm(), "Label1", kScale))) > 450; }))
        << "no question text drawn at 150 %";

    gameView.Click(CentreOf(GameForm(), "Command3", kScale));
    std::optional<TopWindow> hint;
    ASSERT_TRUE(WaitUntil([&] { return (hint = x.Find(kHintTitle)).has_value(); })) << Shown(x);
    EXPECT_EQ(hint->area.size(), QSize(scaled(HintForm().clientWidth), scaled(HintForm().clientHeight)));
    // Its 戻る button, where it is at 150 %, closes it; the game goes on.
    WindowView(x, *hint).Click(CentreOf(HintForm(), "Command1", kScale));
    ASSERT_TRUE(WaitUntil([&] { return x.Titles() == QStringList{kGameTitle}; }, 5s)) << Shown(x);
    EXPECT_TRUE(session.Running());
    x.PressCloseBox(*game);
    EndsWell(session, "the last window closed");
}

// The pass as a screen reader finds it: the pass picture by its name, the
// retry button shown, named and focused; after the retry, both gone and
// the score empty.
TEST_F(WineTest, ScreenReaderReadsThePassAndTheRetry) {
    Session session(FrontEnd::Wine);
    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu);
    const std::optional<GameView> game = StartGame(session, *menu);
    ASSERT_TRUE(game);
    int score = 0;
    while (score < 10000) {
        ASSERT_TRUE(WaitUntil([&] { return game->IonShows(1, kPlainIon); }));
        game->ClickIons(1, kAnswersPerQuestion);
        score += kPerfectQuestion;
        ASSERT_TRUE(WaitUntil([&] { return game->BonusShown() || game->MedalShown(); }));
    }
    // The button is shown, then focused: a reading may fall between the two.
    std::optional<WindowReading> reading;
    const auto retryShownAndFocused = [&] {
        reading = session.ReadWindow(kGameTitle);
        return reading && reading->at(QStringLiteral("Command4")).visible &&
               reading->at(QStringLiteral("Command4")).focused;
    };
    ASSERT_TRUE(WaitUntil(retryShownAndFocused)) << "no retry button shown with the focus; focused: " << [&] {
        std::string focused;
        if (reading)
            for (const auto& [name, widget] : *reading)
                if (widget.focused) focused += name.toStdString() + ' ';
        return focused;
    }();
    const WidgetReading& medal = reading->at(QStringLiteral("Image4"));
    EXPECT_TRUE(medal.visible);
    EXPECT_EQ(medal.text, QStringLiteral("合格"));
    const WidgetReading& retry = reading->at(QStringLiteral("Command4"));
    EXPECT_EQ(retry.text, QStringLiteral("再挑戦"));
    EXPECT_EQ(retry.box, BoxOf(GameForm(), "Command4"));
    EXPECT_EQ(reading->at(QStringLiteral("Label4")).text, QString::number(score));

    game->Key(QStringLiteral("space"));
    ASSERT_TRUE(WaitUntil([&] {
        reading = session.ReadWindow(kGameTitle);
        return reading && !reading->at(QStringLiteral("Command4")).visible;
    })) << "Space on the retry button did not start a new game";
    EXPECT_FALSE(reading->at(QStringLiteral("Image4")).visible);
    EXPECT_EQ(reading->at(QStringLiteral("Label4")).text, QString());
    EXPECT_EQ(reading->at(QStringLiteral("Label3")).text, QString::number(kAnswersPerQuestion));
}

}  // namespace
}  // namespace soruberia::e2e

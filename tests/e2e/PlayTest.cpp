// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The real program on an X server of its own, played with real input events.
#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/Screens.h"
#include "tests/e2e/Session.h"
#include "tests/e2e/WholeGame.h"

namespace soruberia::e2e {
namespace {

TEST(PlayTest, WholeGameLeftByTheCloseBoxes) {
    Session session;
    PlayWholeGame(session, Ending::CloseBoxes);
}

// Waits for the painted menu of a freshly started program.
std::optional<MenuView> StartAtMenu(Session& session) {
    session.Start();
    std::optional<TopWindow> window;
    const bool shown = WaitUntil([&] {
        window = session.X().Find(QStringLiteral("メニュー"));
        return window && MenuView(session.X(), *window).Painted();
    });
    if (!shown) return std::nullopt;
    return MenuView(session.X(), *window);
}

TEST(PlayTest, MenuCloseBoxDuringTheBuildUpEndsTheProgram) {
    Session session;
    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu) << session.Errors().toStdString();
    // Before the buttons come, the close box is the only way out.
    EXPECT_FALSE(menu->ShowsQuit());
    session.X().PressCloseBox(menu->Window());
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the program runs on without a window";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(session.X().Titles().isEmpty());
}

TEST(PlayTest, MenuQuitButtonEndsTheProgram) {
    Session session;
    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu) << session.Errors().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return menu->ShowsQuit(); }));
    menu->Click(Centre(layout::kMenuQuit));
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the quit button did not end the program";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(session.X().Titles().isEmpty());
}

}  // namespace
}  // namespace soruberia::e2e

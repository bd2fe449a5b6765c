// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// メニュー's rules as every front-end gets them: the build-up, the
// explanation and back, where the focus goes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/appcore/FakeShell.h"

namespace appcoretest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(MenuFlow, LoadsBeforeItIsShownThenBuildsTheTitleOneTilePerTick) {
    Rig rig;
    rig.app.Start();
    EXPECT_THAT(rig.log.Take(), ElementsAre("create menu", "menu Label2 = 説明の一行",
                                            "menu Timer1 = 500", "show menu"));
    for (int tile = 0; tile < 5; ++tile) {
        rig.TickAll();
        EXPECT_THAT(rig.log.Take(), ElementsAre("menu show Image1_" + std::to_string(tile)));
        EXPECT_EQ(rig.app.Menu()->RevealCounter(), tile + 1);
    }
    // The sixth tick brings the three buttons, gives the start button the
    // focus and stops the timer for good.
    rig.TickAll();
    EXPECT_THAT(rig.log.Take(), ElementsAre("menu show Command1", "menu show Command2",
                                            "menu show Command3", "menu focus Command3",
                                            "menu Timer1 = 0"));
    rig.Pass(5);
    EXPECT_THAT(rig.log.Take(), IsEmpty());
    EXPECT_EQ(rig.app.Menu()->RevealCounter(), 5);
}

TEST(MenuFlow, AFocusTheUserAlreadyGaveIsKept) {
    Rig rig;
    rig.app.Start();
    rig.Pass(2.5);
    rig.shell.View(FormId::Menu)->focus = "Command1";
    rig.log.Take();
    rig.TickAll();
    EXPECT_THAT(rig.log.Take(), ElementsAre("menu show Command1", "menu show Command2",
                                            "menu show Command3", "menu Timer1 = 0"));
}

TEST(MenuFlow, ExplanationAndBackAnyNumberOfTimes) {
    Rig rig;
    rig.app.Start();
    rig.Pass(3);
    rig.log.Take();
    for (int round = 0; round < 2; ++round) {
        rig.app.Pressed(FormId::Menu, "Command2");
        EXPECT_THAT(rig.log.Take(),
                    ElementsAre("menu hide Command1", "menu hide Command2", "menu hide Command3",
                                "menu show Label1", "menu show Label2", "menu show Command4",
                                "menu focus Command4"));
        rig.app.Pressed(FormId::Menu, "Command4");
        EXPECT_THAT(rig.log.Take(),
                    ElementsAre("menu show Command1", "menu show Command2", "menu show Command3",
                                "menu hide Label1", "menu hide Label2", "menu hide Command4",
                                "menu focus Command2"));
    }
    // The tiles stay shown beneath the panel.
    for (int tile = 0; tile < 5; ++tile)
        EXPECT_TRUE(rig.shell.View(FormId::Menu)->Visible("Image1_" + std::to_string(tile)));
}

TEST(MenuFlow, QuitEndsTheProgramAtOnce) {
    Rig rig;
    rig.app.Start();
    rig.Pass(3);
    rig.log.Take();
    rig.app.Pressed(FormId::Menu, "Command1");
    EXPECT_THAT(rig.log.Take(), ElementsAre("menu Timer1 = 0", "hide menu", "end process"));
    // Nothing runs after the end, even where the process lingers.
    rig.app.Pressed(FormId::Menu, "Command3");
    rig.Pass(2);
    EXPECT_THAT(rig.log.Take(), IsEmpty());
}

TEST(MenuFlow, AMissingExplanationEndsTheStartBeforeAnyWindowIsShown) {
    Rig rig;
    rig.explanation.missing = true;
    EXPECT_THROW(rig.app.Start(), FatalError);
    EXPECT_THAT(rig.log.Take(), ElementsAre("create menu"));
}

}  // namespace
}  // namespace appcoretest

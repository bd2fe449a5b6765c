// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// How the windows come and go, and who has the sound channel, as every
// front-end gets it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "appcore/WidgetNames.h"
#include "appcore/HintFacts.h"
#include "tests/appcore/FakeShell.h"

namespace appcoretest {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

// The lines of the log that are about windows, the event loop and the sound.
std::vector<std::string> Lifecycle(std::vector<std::string> lines) {
    std::vector<std::string> kept;
    for (std::string& line : lines) {
        for (const char* start : {"create ", "show ", "raise ", "hide ", "destroy ", "close box ",
                                  "leave ", "end ", "sound ", "game show Image3", "game hide Image3"}) {
            if (line.starts_with(start)) {
                kept.push_back(std::move(line));
                break;
            }
        }
    }
    return kept;
}

struct InGame : Rig {
    InGame() {
        app.Start();
        Pass(3);
        app.Pressed(FormId::Menu, "Command3");
        log.Take();
    }
    int RightIon() const {
        const engine::GameRecord& record = *app.Record();
        return record.answerKey[static_cast<std::size_t>(record.currentQuestion)][1];
    }
    int WrongIon() const { return RightIon() % 12 + 1; }
    FakeView& Game() { return *shell.View(FormId::Game); }
};

TEST(AppFlow, StartClosesTheMenuThenOpensTheSoundAndTheLoadedGame) {
    Rig rig;
    rig.app.Start();
    rig.Pass(3);
    rig.log.Take();
    rig.app.Pressed(FormId::Menu, "Command3");
    const std::vector<std::string> lines = rig.log.Take();
    EXPECT_THAT(Lifecycle(lines), ElementsAre("destroy menu", "sound open", "create game", "show game"));
    // The first question is on the window before it is first shown.
    const auto shown = std::find(lines.begin(), lines.end(), "show game");
    EXPECT_NE(std::find(lines.begin(), shown, "game Label1 = " + rig.app.Facts()->question), shown);
    EXPECT_EQ(rig.shell.View(FormId::Game)->focus, "Command1_1");
    EXPECT_FALSE(rig.app.IsOpen(FormId::Menu));
    EXPECT_TRUE(rig.app.IsOpen(FormId::Game));
}

TEST(AppFlow, AFailedGameStartLeavesNoWindowOnScreen) {
    struct BrokenBank final : engine::QuestionBankSource {
        ContentFile QuestionTexts() override { return {"mondai.txt", "\"a\",\"b\""}; }
        ContentFile AnswerKey() override { return {"kotae.txt", ""}; }
    } broken;
    Rig rig;
    App app("/base", rig.shell,
            AppServices{rig.pictures, rig.clock, rig.random, broken, rig.explanation, rig.sound});
    app.Start();
    rig.log.Take();
    EXPECT_THROW(app.Pressed(FormId::Menu, "Command3"), FatalError);
    EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("destroy menu", "sound open", "create game", "destroy game"));
    EXPECT_FALSE(app.IsOpen(FormId::Game));
}

TEST(AppFlow, OneHintWindowBroughtForwardAndBuiltAnewAfterItsBackButton) {
    InGame rig;
    rig.app.Pressed(FormId::Game, "Command3");
    EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("create hint", "show hint", "raise hint"));
    EXPECT_EQ(rig.shell.View(FormId::Hint)->focus, "Command1");
    // The table, a picture, is handed to assistive technology as text.
    EXPECT_EQ(rig.shell.View(FormId::Hint)->accessible.at("Image1").first, HintTableText());
    rig.app.Pressed(FormId::Game, "Command3");
    EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("raise hint"));
    rig.app.Pressed(FormId::Hint, "Command1");
    EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("destroy hint"));
    EXPECT_TRUE(rig.app.IsOpen(FormId::Game));
    rig.app.Pressed(FormId::Game, "Command3");
    EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("create hint", "show hint", "raise hint"));
    EXPECT_EQ(rig.shell.created(FormId::Hint), 2);
    EXPECT_TRUE(rig.app.Record()->hintUsed.IsSet());
}

TEST(AppFlow, TheGameGoesOnBehindTheHintAndAfterItsCloseBox) {
    InGame rig;
    rig.app.Pressed(FormId::Game, "Command3");
    rig.app.Pressed(FormId::Game, IonButtonName(rig.RightIon()));
    rig.shell.CloseBox(rig.app, FormId::Hint);
    rig.Pass(2);
    EXPECT_THAT(Lifecycle(rig.log.Take()),
                ElementsAre("create hint", "show hint", "raise hint", "game show Image3", "close box hint",
                            "game hide Image3"));
}

TEST(AppFlow, ClosingTheGameSilencesItAndEndsTheProgramUnlessTheHintIsOpen) {
    {
        InGame rig;
        rig.app.Pressed(FormId::Game, IonButtonName(rig.WrongIon()));
        rig.shell.CloseBox(rig.app, FormId::Game);
        rig.Pass(3);
        EXPECT_THAT(Lifecycle(rig.log.Take()),
                    ElementsAre("game show Image3", "close box game", "sound stop",
                                "leave event loop"));
        EXPECT_FALSE(rig.app.Facts().has_value());
    }
    {
        InGame rig;
        rig.app.Pressed(FormId::Game, "Command3");
        rig.app.Pressed(FormId::Game, IonButtonName(rig.WrongIon()));
        rig.shell.CloseBox(rig.app, FormId::Game);
        // The pending pause never ends: the game is gone.
        rig.Pass(3);
        EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("create hint", "show hint", "raise hint",
                                                           "game show Image3", "close box game",
                                                           "sound stop"));
        rig.app.Pressed(FormId::Hint, "Command1");
        EXPECT_THAT(Lifecycle(rig.log.Take()), ElementsAre("destroy hint", "leave event loop"));
    }
}

TEST(AppFlow, ClosingTheMenuEndsTheProgram) {
    Rig rig;
    rig.app.Start();
    rig.Pass(1);
    rig.log.Take();
    rig.shell.CloseBox(rig.app, FormId::Menu);
    rig.Pass(3);
    EXPECT_THAT(rig.log.Take(), ElementsAre("close box menu", "leave event loop"));
}

TEST(AppFlow, QuitInTheMiddleOfAFailureStopsEverythingAtOnce) {
    InGame rig;
    for (int miss = 0; miss < 5; ++miss) {
        rig.app.Pressed(FormId::Game, IonButtonName(rig.WrongIon()));
        rig.Pass(1.5);
    }
    rig.app.Pressed(FormId::Game, "Command3");
    // The failure's first step has played its sound; the second is pending.
    ASSERT_FALSE(rig.Game().RunningTimers().empty());
    const int score = rig.app.Record()->score;
    rig.log.Take();
    rig.app.Pressed(FormId::Game, "Command2");
    const std::vector<std::string> lines = rig.log.Take();
    EXPECT_THAT(Lifecycle(lines), ElementsAre("hide game", "hide hint", "sound stop", "end process"));
    EXPECT_TRUE(rig.Game().RunningTimers().empty());
    rig.Pass(5);
    EXPECT_THAT(rig.log.Take(), IsEmpty());
    EXPECT_EQ(rig.app.Record()->score, score);
}

TEST(AppFlow, EventsOfAWindowThatIsNotOpenAreIgnored) {
    Rig rig;
    rig.app.Start();
    rig.log.Take();
    rig.app.Pressed(FormId::Game, "Command1_1");
    rig.app.Ticked(FormId::Game, "Timer1");
    rig.app.Pressed(FormId::Hint, "Command1");
    rig.app.Closed(FormId::Hint);
    EXPECT_THAT(rig.log.Take(), IsEmpty());
}

}  // namespace
}  // namespace appcoretest

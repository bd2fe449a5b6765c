// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What assistive technology is told of the game, from the game's state.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "appcore/WidgetNames.h"
#include "tests/appcore/FakeShell.h"

namespace appcoretest {
namespace {

using Texts = std::pair<std::string, std::string>;

struct Game : Rig {
    Game() {
        app.Start();
        Pass(3);
        app.Pressed(FormId::Menu, "Command3");
    }
    int RightIon() const {
        const engine::GameRecord& record = *app.Record();
        return record.answerKey[static_cast<std::size_t>(record.currentQuestion)][1];
    }
    Texts Of(const std::string& widget) { return shell.View(FormId::Game)->accessible.at(widget); }
};

TEST(GameFacts, ANewGameTellsEveryIonByNameAndNoMisses) {
    Game game;
    const GameFacts facts = *game.app.Facts();
    EXPECT_EQ(facts.score, 0);
    EXPECT_EQ(facts.misses, 0);
    EXPECT_FALSE(facts.mark.has_value());
    EXPECT_EQ(facts.answersLeft, 1);
    EXPECT_TRUE(facts.question.starts_with("問"));
    EXPECT_EQ(game.Of("Command1_1"), Texts("Ag⁺", ""));
    EXPECT_EQ(game.Of("Command1_12"), Texts("Zn²⁺", ""));
    EXPECT_EQ(game.Of("Image1"), Texts("ミスゲージ", "ミス 0 回"));
    EXPECT_EQ(game.Of("Image3").first, "");
}

TEST(GameFacts, APressIsToldAtOnceAndTheMarkGoesWithThePause) {
    Game game;
    const int right = game.RightIon();
    const int wrong = right % 12 + 1;
    game.app.Pressed(FormId::Game, IonButtonName(wrong));
    EXPECT_EQ(game.app.Facts()->mark, engine::Judgement::Wrong);
    EXPECT_EQ(game.Of("Image3").first, "不正解");
    EXPECT_EQ(game.Of("Image1").second, "ミス 1 回");
    game.app.Pressed(FormId::Game, IonButtonName(right));
    EXPECT_EQ(game.Of("Image3").first, "正解");
    EXPECT_EQ(game.Of(IonButtonName(right)).first, std::string(IonName(right)) + " 正解済み");
    EXPECT_EQ(game.Of(IonButtonName(wrong)).first, std::string(IonName(wrong)));
    EXPECT_EQ(game.app.Facts()->answersLeft, 0);
    game.Pass(1.5);
    EXPECT_FALSE(game.app.Facts()->mark.has_value());
    EXPECT_EQ(game.Of("Image3").first, "");
    // The next question: no ion is found yet, the miss stays on the gauge.
    EXPECT_EQ(game.Of(IonButtonName(right)).first, std::string(IonName(right)));
    EXPECT_EQ(game.Of("Image1").second, "ミス 1 回");
}

TEST(GameFacts, OnlyWhatChangedIsHandedOn) {
    Game game;
    game.shell.View(FormId::Game)->accessible.clear();
    game.app.Pressed(FormId::Game, IonButtonName(game.RightIon()));
    EXPECT_EQ(game.shell.View(FormId::Game)->accessible.size(), 2u);  // the ion and the mark
}

TEST(WidgetNames, IndexInReadsOnlyPlainNumbers) {
    EXPECT_EQ(IndexIn("Command1_7", "Command1_"), 7);
    EXPECT_EQ(IndexIn("Command1_12", "Command1_"), 12);
    EXPECT_EQ(IndexIn("Timer3", "Timer"), 3);
    for (const char* name : {"Command1_", "Command1_07", "Command1_7x", "Command2", "Command1_-1"})
        EXPECT_FALSE(IndexIn(name, "Command1_").has_value()) << name;
}

}  // namespace
}  // namespace appcoretest

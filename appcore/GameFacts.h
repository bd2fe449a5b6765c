// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "content/IonNames.h"
#include "engine/GameRecord.h"
#include "engine/GameView.h"

namespace soruberia::appcore {

// What the game window shows, as facts of the game rather than pixels: for
// a player who cannot see the window, and for tests.
struct GameFacts {
    std::array<bool, kIonCount + 1> found{};     // ion 1..12; entry 0 unused
    std::optional<engine::Judgement> mark;       // the judgement shown, if any
    std::string question;                        // the question shown
    int answersLeft = 0;
    int score = 0;
    int misses = 0;  // the miss gauge's level, 0..5

    friend bool operator==(const GameFacts&, const GameFacts&) = default;
};

// The facts of a game record, with the judgement the window shows now.
GameFacts FactsOf(const engine::GameRecord& record, std::optional<engine::Judgement> mark);

// What assistive technology says of one widget of the game window.
struct AccessibleText {
    std::string widget;  // layout name
    std::string name;
    std::string description;
    friend bool operator==(const AccessibleText&, const AccessibleText&) = default;
};

// The accessible texts of the widgets whose meaning changes during a game:
// the twelve ion buttons, the judgement mark and the miss gauge. A label is
// named by the text it shows and described by its layout table, like every
// other widget.
std::vector<AccessibleText> AccessibleTexts(const GameFacts& facts);

}  // namespace soruberia::appcore

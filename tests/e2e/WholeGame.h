// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringList>

#include "tests/e2e/Session.h"

namespace soruberia::e2e {

// How the player leaves at the end of the game.
enum class Ending {
    // The close boxes: of the hint window (the game goes on), of the game
    // window while the hint window is open (the hint window stays), and of
    // that last window (the program ends).
    CloseBoxes,
    // The game window's quit button while the hint window is open.
    QuitButton,
};

// A whole game with the real program, started in `session` (under
// `wrapper`, if one is given, such as strace): the menu's
// build-up and explanation, the start, a right and a wrong answer, five
// misses and the failure, a goal, the retry, the hint window, and the end.
// Reports through GoogleTest assertions; the caller checks HasFatalFailure().
void PlayWholeGame(Session& session, Ending ending, const QStringList& wrapper = {});

}  // namespace soruberia::e2e

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// The steps a player takes, the same for both programs; each reports through
// GoogleTest assertions, so the caller checks HasFatalFailure() after it.

#include <QString>
#include <QStringList>

#include <optional>

#include "tests/e2e/Screens.h"
#include "tests/e2e/Session.h"

namespace soruberia::e2e {

inline const QString kMenuTitle = QStringLiteral("メニュー");
inline const QString kGameTitle = QStringLiteral("ソルベリア");
inline const QString kHintTitle = QStringLiteral("ヒント");

// A question answered without a miss: 11 × 100 points and the bonus.
inline constexpr int kPerfectQuestion = 1600;

std::string Shown(XServer& x);

// Starts the program and waits for its painted menu.
std::optional<MenuView> StartAtMenu(Session& session, const QStringList& wrapper = {});
// From the menu's first picture: the tiles one by one, then the buttons;
// the explanation panel and the back button.
void MenuBuildsUpAndExplains(Session& session, MenuView& menu);
// Watched as closely as the screen can be read while the title builds up:
// the buttons come with their faces, no other colour shows first.
void MenuButtonsComeWhole(const MenuView& menu);
// The start button, once it is there: the game window with its first question.
std::optional<GameView> StartGame(Session& session, const MenuView& menu);
// The program ends by itself with status 0 and no window left.
void EndsWell(Session& session, const char* after);

// A right and a wrong press: marks, the found picture, the gauge, the score.
void RightAndWrong(const GameView& game);
// All answers of the question shown: the bonus picture, then the next question.
void PerfectQuestion(const GameView& game, int scoreAfter);
// Five misses from `score`: the gauge steps, the balloon bursts, the score
// is halved and a new question comes.
void FiveMissesAndFailure(const GameView& game, int score);
// Perfect questions from `score` until the goal: the medal, the locked
// buttons, the retry button, which has the focus; Space on it starts anew.
void ToTheGoalAndRetry(const GameView& game, int score);
// The hint button: the hint window in front; asked again, the same window
// comes forward; its 戻る button closes it with one click.
void HintOnceAndBack(Session& session, const GameView& game);
// The hint window's close box (the game goes on), the game window's with
// the hint window open (the program goes on), the last window's (it ends).
void LeaveByCloseBoxes(Session& session, const GameView& game);
// The game window's quit button while the hint window is open.
void LeaveByQuitButton(Session& session, const GameView& game);

}  // namespace soruberia::e2e

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>

#include "content/IonNames.h"
#include "content/QuestionBank.h"
#include "engine/Checked.h"

namespace soruberia::engine {

inline constexpr int kTimers = 6;

// All state of one game, kept by the game window for the whole run. Entry 0
// of every table exists and holds nothing; questions, answer slots and
// buttons count from 1. A new record is all zero with empty texts.
struct GameRecord {
    QuestionTextTable questionTexts{};  // 0..30, UTF-8
    AnswerCountTable answerCounts{};    // 0..30
    AnswerKeyTable answerKey{};         // question 0..30, answer slot 0..12
    std::int16_t questionCount = 0;
    std::int32_t timer1Start = 0;  // stamps of the last arming of Timer1..Timer6
    std::int32_t timer2Start = 0;
    std::int32_t timer3Start = 0;
    std::int32_t timer4Start = 0;
    std::int32_t timer5Start = 0;
    std::int32_t timer6Start = 0;
    std::int16_t currentQuestion = 0;
    std::array<Flag, kQuestionTableSize> askedFlags{};           // 0..30
    std::array<std::int16_t, kQuestionTableSize> recentQueue{};  // 0..30, window at 1..14
    std::array<Flag, kIonCount + 1> foundFlags{};                // 0..12
    std::int16_t score = 0;
    std::int16_t missLevel = 0;
    std::int16_t gaugeHomeLeft = 0;
    Flag inputLocked;
    std::int16_t answersLeft = 0;
    Flag hintUsed;
    std::int16_t questionMisses = 0;
    Flag bonusPending;

    // timer1Start..timer6Start by timer number.
    std::int32_t& TimerStart(int timerNumber);
    std::int32_t TimerStart(int timerNumber) const;
};

// Length of the recent-question window: questionCount / 2 + 1 positions.
inline int RecentWindowLength(int questionCount) { return questionCount / 2 + 1; }

}  // namespace soruberia::engine

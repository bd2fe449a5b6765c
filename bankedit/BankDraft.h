// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string>

#include "bankedit/IonSet.h"
#include "content/QuestionBank.h"

namespace soruberia::bankedit {

struct DraftQuestion {
    std::string text;  // UTF-8, as the game shows it
    IonSet ions;

    friend bool operator==(const DraftQuestion&, const DraftQuestion&) = default;
};

// A question bank as the editor holds it: the questions a game reads, each
// with its correct ions, and the menu's explanation line. It has exactly the
// game's number of questions, and an IonSet cannot hold a duplicate, a number
// outside the buttons or a count that disagrees with its numbers. What it
// can hold that cannot be written is found by TextFlags.
struct BankDraft {
    std::array<DraftQuestion, kQuestionsInPlay> questions;
    std::string explanation;  // UTF-8

    friend bool operator==(const BankDraft&, const BankDraft&) = default;
};

// Questions are numbered from 1, as the game and the teacher count them.
inline bool IsQuestionNumber(int question) { return question >= 1 && question <= kQuestionsInPlay; }

}  // namespace soruberia::bankedit

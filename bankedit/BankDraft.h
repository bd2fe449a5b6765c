// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "bankedit/IonSet.h"
#include "content/QuestionBank.h"

namespace soruberia::bankedit {

// The longest texts the draft holds, in UTF-16 code units as a page's text
// field counts them (its maxlength). The question panel shows 28 full-width
// characters and the explanation panel about 400: these leave room for any
// text a teacher means, pasted notes and all, while keeping what each
// keystroke sends, flags and draws a few kilobytes at most.
inline constexpr std::size_t kQuestionMaxLength = 1000;
inline constexpr std::size_t kExplanationMaxLength = 2000;

struct DraftQuestion {
    // UTF-8, as the game shows it; WTF-8 where a page's field gave a lone
    // surrogate, which is flagged and keeps the bank from being written.
    std::string text;
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

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "content/ContentFile.h"
#include "content/IonNames.h"

namespace soruberia {

// Tables of the game record that the question bank reader fills; entry 0 of
// each holds nothing. The reader owns none of them.
inline constexpr int kQuestionTableSize = 31;  // questions 0..30
// A question has an answer slot for each ion button, slots 1..12.
inline constexpr int kMaxAnswersPerQuestion = kIonCount;
inline constexpr int kAnswerSlots = kMaxAnswersPerQuestion + 1;  // 0..12

// A game reads this many questions from the bank and asks them all.
inline constexpr int kQuestionsInPlay = 26;
static_assert(kQuestionsInPlay < kQuestionTableSize);

using QuestionTextTable = std::array<std::string, kQuestionTableSize>;  // UTF-8
using AnswerCountTable = std::array<std::int16_t, kQuestionTableSize>;
using AnswerKeyTable =
    std::array<std::array<std::int16_t, kAnswerSlots>, kQuestionTableSize>;

// One question of the answer key: its count as written, and the button
// numbers read for it (none for a count of 0 or below).
struct QuestionAnswers {
    std::int16_t count = 0;
    std::vector<std::int16_t> ions;
};

// The game's reading: the first problem met throws a ContentError, and
// fields after the last one needed are never looked at.

// The first n text fields of mondai.txt, for questions 1 to n.
std::vector<std::string> ParseQuestionTexts(const ContentFile& file, int n);

// For q = 1..n of kotae.txt a count, then that many button numbers; a count
// above 12 fails at its 13th pass, before reading on.
std::vector<QuestionAnswers> ParseAnswerKey(const ContentFile& file, int n);

// Into the game's tables from entry 1 on. Entries and answer slots not
// written keep their values.
void StoreQuestionTexts(const std::vector<std::string>& parsed, QuestionTextTable& texts);
void StoreAnswerKey(const std::vector<QuestionAnswers>& parsed, AnswerCountTable& counts,
                    AnswerKeyTable& key);

// basePath + "\問題\mondai.txt", read, parsed and stored.
void ReadQuestionTexts(const std::string& basePath, std::int16_t n, QuestionTextTable& texts);

// basePath + "\問題\kotae.txt", read, parsed and stored.
void ReadAnswerKey(const std::string& basePath, std::int16_t n, AnswerCountTable& counts,
                   AnswerKeyTable& key);

}  // namespace soruberia

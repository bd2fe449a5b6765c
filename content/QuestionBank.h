// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace soruberia {

// Tables of the game record that the question bank reader fills; entry 0 of
// each holds nothing. The reader owns none of them.
inline constexpr int kQuestionTableSize = 31;  // questions 0..30
inline constexpr int kAnswerSlots = 13;        // answer slots 0..12
inline constexpr int kMaxAnswersPerQuestion = 12;

using QuestionTextTable = std::array<std::string, kQuestionTableSize>;  // UTF-8
using AnswerCountTable = std::array<std::int16_t, kQuestionTableSize>;
using AnswerKeyTable =
    std::array<std::array<std::int16_t, kAnswerSlots>, kQuestionTableSize>;

// Reads basePath + "\問題\mondai.txt" and stores its first n text fields in
// texts[1..n]. Entries not written keep their values. Throws FatalError.
void ReadQuestionTexts(const std::string& basePath, std::int16_t n,
                       QuestionTextTable& texts);

// Reads basePath + "\問題\kotae.txt": for q = 1..n a count, then that many
// button numbers. Slots above a question's count keep their values.
// Throws FatalError (a count above 12 at its 13th pass, before reading on).
void ReadAnswerKey(const std::string& basePath, std::int16_t n,
                   AnswerCountTable& counts, AnswerKeyTable& key);

}  // namespace soruberia

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// A second reading of the text content files for the content checker. It
// follows the same grammar as the game's readers (FieldReader) and finds the
// same faults, but does not stop at the first one: it reports each with its
// line and goes on wherever the rest of the file can still be followed. It
// also points out what the game accepts but a teacher would not mean.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace soruberia {

enum class Severity { kNote, kWarning, kError };

// One problem, placed as a compiler places it: file, and line where one applies.
struct Finding {
    Severity severity = Severity::kError;
    std::string file;  // as the platform spells it
    int line = 0;      // 1-based; 0 where no line applies
    std::string message;
};

// Offset of the first byte that the game's Shift-JIS (code page 932)
// conversion refuses; nothing if every byte converts.
std::optional<std::size_t> FirstInvalidShiftJis(std::string_view bytes);

// True for bytes that are valid UTF-8 and hold at least one character
// beyond ASCII: a text saved as UTF-8 instead of Shift-JIS.
bool LooksLikeUtf8(std::string_view bytes);

// "Ag⁺" … "Zn²⁺" for ion numbers 1 to 12, "" otherwise.
std::string IonName(int ionNumber);

// A question text that the game reads and can convert.
struct QuestionText {
    int question = 0;  // 1..n
    int line = 0;      // line where the field begins
    std::string text;  // UTF-8, as the game shows it
};

struct QuestionTextsInspection {
    std::vector<QuestionText> texts;
    std::vector<Finding> findings;
};

// mondai.txt: the first n text fields, as ReadQuestionTexts reads them.
QuestionTextsInspection InspectQuestionTexts(const std::string& displayPath,
                                             std::string_view bytes, int n);

// kotae.txt: the counts and ion numbers of n questions, as ReadAnswerKey
// reads them, and whether each question can be completed by its presses.
std::vector<Finding> InspectAnswerKey(const std::string& displayPath, std::string_view bytes,
                                      int n);

// setumei.txt: the line that the menu shows.
std::vector<Finding> InspectExplanation(const std::string& displayPath, std::string_view bytes);

}  // namespace soruberia

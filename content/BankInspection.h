// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// The content checker's reading of the text content files. It walks the same
// fields as the game's readers (FieldTokenizer) and meets the same faults,
// but does not stop at the first one: it reports each with its line and goes
// on wherever the rest of the file can still be followed. It also points out
// what the game accepts but a teacher would not mean.

#include <string>
#include <string_view>
#include <vector>

#include "content/Finding.h"

namespace soruberia {

// True for bytes that are valid UTF-8 and hold at least one character
// beyond ASCII: a text saved as UTF-8 instead of Shift-JIS.
bool LooksLikeUtf8(std::string_view bytes);

// True for bytes saved as UTF-16 (Notepad's 「Unicode」): a byte order mark,
// or the zero bytes that every ASCII character brings, many and nearly all
// on one side of their pairs.
bool LooksLikeUtf16(std::string_view bytes);

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

// mondai.txt: the first n text fields, as the game reads them.
QuestionTextsInspection InspectQuestionTexts(const std::string& displayPath,
                                             std::string_view bytes, int n);

// kotae.txt: the counts and ion numbers of n questions, as the game reads
// them, and whether each question can be completed by its presses.
std::vector<Finding> InspectAnswerKey(const std::string& displayPath, std::string_view bytes,
                                      int n);

// setumei.txt: the line that the menu shows.
std::vector<Finding> InspectExplanation(const std::string& displayPath, std::string_view bytes);

}  // namespace soruberia

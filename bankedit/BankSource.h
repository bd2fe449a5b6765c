// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "bankedit/BankDraft.h"

namespace soruberia::bankedit {

// Where a question's field stands in the bytes it was read from, and
// whether it was read without loss: such a field, left unchanged, is
// written back byte for byte.
struct SourceField {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past its last byte; separators after it are not its own
    bool wellFormed = false;
    // What stood between the last question's field and this one held
    // empty fields, which the game cannot read: it is written as one line
    // end (nothing before the first question).
    bool emptyFieldsBefore = false;
};

// A file the draft was read from. Questions the file ran out before have no
// field. Everything that is no question's field (separators, notes after
// the last question) is written back as it was.
struct SourceFile {
    std::string bytes;
    std::array<std::optional<SourceField>, kQuestionsInPlay> fields;
};

// setumei.txt: its first line is the explanation, everything after it is
// kept.
struct SourceExplanation {
    std::string bytes;
    std::size_t lineEnd = 0;  // where the first line ends: its CR or LF, or the end
    bool wellFormed = false;
};

// The files as read, and the draft they gave. A file that is missing, or
// that could not be followed at all, has no source: it is written anew.
struct BankSource {
    std::optional<SourceFile> texts;
    std::optional<SourceFile> key;
    std::optional<SourceExplanation> explanation;
    BankDraft asRead;
};

}  // namespace soruberia::bankedit

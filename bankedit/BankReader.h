// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "bankedit/BankDraft.h"
#include "bankedit/BankFiles.h"
#include "bankedit/BankSource.h"

namespace soruberia::bankedit {

// A bank opened for editing: the draft, what it was read from, and notes
// (Japanese, one short sentence each, naming file and line) on everything
// that could not be taken over as it stood.
struct OpenedBank {
    BankDraft draft;
    BankSource source;
    std::vector<std::string> notes;
};

// Reads whatever the files hold, with the game's own tokenizer and as the
// game reads it, but never gives up: a missing or broken file, field or
// number leaves its questions empty, bytes that are not Shift-JIS become
// U+FFFD, a file saved as UTF-8 is read as such (and written anew). Fields
// that were read without loss are remembered where they stand, so that the
// writer can leave them as they were.
OpenedBank ReadBank(const BankFiles& files, const TooLargeFiles& tooLarge = {});

// A draft from nothing: empty questions without ions, an empty explanation;
// the writer writes every file anew.
OpenedBank NewBank();

}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <variant>
#include <vector>

#include "bankedit/BankDraft.h"
#include "bankedit/BankFiles.h"
#include "bankedit/BankSource.h"
#include "bankedit/TextFlags.h"

namespace soruberia::bankedit {

// The draft as the three files' bytes, code page 932 with CR LF. A field
// that is unchanged since it was read, and was read without loss, is kept
// byte for byte, and so is everything between and after the fields (the
// separators, notes below the last question, the explanation file's other
// lines). Any other field is written anew: mondai "text", kotae
// count,n1,n2,… in ascending order; a question the file lacked goes on a
// line of its own after the rest of it. A file without a source is written
// anew whole, a question or the explanation a line.
//
// Nothing is written while a text holds a flagged character: the flags are
// returned instead.
std::variant<WrittenBank, std::vector<DraftFlag>> WriteBank(const BankDraft& draft, const BankSource& source);

}  // namespace soruberia::bankedit

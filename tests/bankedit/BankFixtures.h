// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "bankedit/BankDraft.h"
#include "bankedit/BankFiles.h"

namespace soruberia::bankedit::test {

// data/問題 as it lies in the tree.
BankFiles DefaultBankFiles();

// Each line followed by CR LF.
std::string CrLfLines(const std::vector<std::string>& lines);

// The written files as the game's own readers take them give exactly the
// draft: its texts, its ions (in the file's order, each once) and its
// explanation.
void ExpectGameReads(const WrittenBank& written, const BankDraft& draft);

}  // namespace soruberia::bankedit::test

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "appcore/AppServices.h"
#include "engine/Services.h"

namespace soruberia::web {

// What the game's readers make of a question bank, as one line of JSON.
// Each file is read on its own, so that every file's fault shows (a game
// stops at the first):
//   {"explanation": {"line": "…"},
//    "questions": {"texts": ["…", …]},
//    "answers": {"key": [{"count": 2, "ions": [1, 10]}, …]}}
// with {"error": "<the message the game ends with>"} in place of a file's
// reading. The questions are the first kQuestionsInPlay of each file.
std::string BankReport(engine::QuestionBankSource& bank, appcore::ExplanationSource& explanation);

}  // namespace soruberia::web

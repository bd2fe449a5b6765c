// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <vector>

#include "bankedit/BankDraft.h"
#include "bankedit/HintQuery.h"
#include "bankedit/TextFlags.h"

namespace soruberia::bankedit {

// What the editor shows beside a question: the characters that cannot be
// written, the question its text asks of the hint table, and whether its
// ions differ from the table's answer.
struct QuestionFacts {
    std::vector<TextFlag> flags;
    std::optional<HintQuery> query;
    IonSet tableIons;  // the table's answer to the query
    bool disagrees = false;
};

QuestionFacts FactsOf(const DraftQuestion& question);

}  // namespace soruberia::bankedit

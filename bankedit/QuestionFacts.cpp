// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/QuestionFacts.h"

#include "bankedit/QueryRecognition.h"

namespace soruberia::bankedit {

QuestionFacts FactsOf(const DraftQuestion& question) {
    QuestionFacts facts;
    facts.flags = FlagsOf(question.text, TextRole::kQuestion);
    facts.query = RecogniseQuery(question.text);
    if (facts.query) {
        facts.tableIons = IonsOf(*facts.query);
        facts.disagrees = facts.tableIons != question.ions;
    }
    return facts;
}

}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/content-gen/PrecipitateTable.h"

namespace soruberia::contentgen {

// One term of a condition over the table of precipitates:
//   column          a precipitate forms with that reagent
//   column=colour   a precipitate of that colour forms
//   !term           the opposite
struct Term {
    bool negated = false;
    int column = -1;
    std::string colour;  // empty: any colour
};

// A question as written in tools/data/questions.txt: its text and the
// condition (terms joined by '&') that picks out its correct ions.
struct SourceQuestion {
    int line = 0;
    std::string text;
    std::string condition;
    std::vector<Term> terms;
};

// Throws FatalError naming the column or colour that the table lacks.
std::vector<Term> ParseCondition(const std::string& condition, const PrecipitateTable& table);

// Lines "text | condition"; '#' starts a comment line. Throws FatalError
// naming the file and line of a malformed question.
std::vector<SourceQuestion> LoadQuestionSource(const std::filesystem::path& path,
                                               const PrecipitateTable& table);

// The button numbers of the ions that satisfy every term, ascending.
std::vector<int> DeriveKey(const std::vector<Term>& terms, const PrecipitateTable& table);

}  // namespace soruberia::contentgen

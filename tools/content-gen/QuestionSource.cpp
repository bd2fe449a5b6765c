// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/QuestionSource.h"

#include <fstream>

#include "content/FatalError.h"

namespace soruberia::contentgen {
namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool Holds(const Term& term, const std::vector<std::string>& row) {
    const auto& cell = row[static_cast<std::size_t>(term.column)];
    const bool forms = term.colour.empty() ? !cell.empty() : cell == term.colour;
    return forms != term.negated;
}

}  // namespace

std::vector<Term> ParseCondition(const std::string& condition, const PrecipitateTable& table) {
    std::vector<Term> terms;
    std::string::size_type start = 0;
    for (;;) {
        const auto amp = condition.find('&', start);
        std::string text = Trim(condition.substr(start, amp - start));
        Term term;
        if (!text.empty() && text.front() == '!') {
            term.negated = true;
            text = Trim(text.substr(1));
        }
        const auto eq = text.find('=');
        const std::string column = Trim(text.substr(0, eq));
        if (eq != std::string::npos) {
            term.colour = Trim(text.substr(eq + 1));
            if (!table.HasColour(term.colour))
                throw FatalError("condition '" + condition + "': no precipitate has the colour '" +
                                 term.colour + "'");
        }
        term.column = table.ColumnIndex(column);
        if (term.column < 0)
            throw FatalError("condition '" + condition + "': no reagent column '" + column + "'");
        terms.push_back(term);
        if (amp == std::string::npos) return terms;
        start = amp + 1;
    }
}

std::vector<SourceQuestion> LoadQuestionSource(const std::filesystem::path& path,
                                               const PrecipitateTable& table) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FatalError("cannot open " + path.string());
    std::vector<SourceQuestion> questions;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trim(line).empty() || Trim(line).front() == '#') continue;
        const std::string where = path.string() + ":" + std::to_string(lineNo);
        const auto bar = line.find('|');
        if (bar == std::string::npos || line.find('|', bar + 1) != std::string::npos)
            throw FatalError(where + ": expected 'text | condition'");
        SourceQuestion q;
        q.line = lineNo;
        q.text = Trim(line.substr(0, bar));
        q.condition = Trim(line.substr(bar + 1));
        if (q.text.empty()) throw FatalError(where + ": empty question text");
        if (q.text.find('"') != std::string::npos)
            throw FatalError(where + ": a question text cannot hold a double quote");
        try {
            q.terms = ParseCondition(q.condition, table);
        } catch (const FatalError& e) {
            throw FatalError(where + ": " + e.what());
        }
        questions.push_back(std::move(q));
    }
    return questions;
}

std::vector<int> DeriveKey(const std::vector<Term>& terms, const PrecipitateTable& table) {
    std::vector<int> key;
    for (int b = 1; b <= kIonCount; ++b) {
        const auto& row = table.cells[static_cast<std::size_t>(b)];
        bool all = true;
        for (const Term& t : terms) all = all && Holds(t, row);
        if (all) key.push_back(b);
    }
    return key;
}

}  // namespace soruberia::contentgen

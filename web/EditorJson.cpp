// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/EditorJson.h"

#include "bankedit/HintQuery.h"
#include "bankedit/QuestionFacts.h"
#include "layout/PrecipitateTable.h"
#include "web/Json.h"

namespace soruberia::web {

namespace {

using namespace bankedit;

template <typename Items, typename Item>
std::string Array(const Items& items, Item item) {
    std::string out = "[";
    for (const auto& each : items) {
        if (out.size() > 1) out += ',';
        out += item(each);
    }
    return out + ']';
}

std::string Ions(IonSet ions) {
    return Array(ions.Buttons(), [](int button) { return std::to_string(button); });
}

std::string FlagMembers(const TextFlag& flag) {
    return "\"at\":" + std::to_string(flag.at) + ",\"length\":" + std::to_string(flag.length) +
           ",\"character\":" + JsonString(flag.character) +
           ",\"replacement\":" + (flag.replacement ? JsonString(*flag.replacement) : std::string("null")) +
           ",\"why\":" + JsonString(ReasonText(flag.reason));
}

std::string Flags(const std::vector<TextFlag>& flags) {
    return Array(flags, [](const TextFlag& flag) { return '{' + FlagMembers(flag) + '}'; });
}

std::string Strings(const std::vector<std::string>& texts) {
    return Array(texts, [](const std::string& text) { return JsonString(text); });
}

}  // namespace

std::string QuestionJson(const DraftQuestion& question) {
    const QuestionFacts facts = FactsOf(question);
    std::string query = "null";
    if (facts.query) {
        query = "{\"reagent\":" + std::to_string(facts.query->reagent) +
                ",\"reagentLabel\":" + JsonString(ReagentLabel(facts.query->reagent)) +
                ",\"result\":" + JsonString(facts.query->result) + ",\"ions\":" + Ions(facts.tableIons) + '}';
    }
    return "{\"text\":" + JsonString(question.text) + ",\"ions\":" + Ions(question.ions) +
           ",\"flags\":" + Flags(facts.flags) + ",\"query\":" + query +
           ",\"disagrees\":" + (facts.disagrees ? "true" : "false") + '}';
}

std::string ExplanationJson(const BankDraft& draft, bool membersOnly) {
    const std::string members = "\"explanation\":" + JsonString(draft.explanation) +
                                ",\"explanationFlags\":" + Flags(FlagsOf(draft.explanation, TextRole::kExplanation));
    return membersOnly ? members : '{' + members + '}';
}

std::string StateJson(const BankDraft& draft, const std::vector<std::string>* notes) {
    std::string out = "{\"questions\":" + Array(draft.questions, QuestionJson) + ',' + ExplanationJson(draft, true);
    if (notes) out += ",\"notes\":" + Strings(*notes);
    return out + '}';
}

std::string ProblemsJson(const std::vector<DraftFlag>& problems) {
    return "{\"ok\":false,\"problems\":" + Array(problems, [](const DraftFlag& problem) {
               return "{\"question\":" + std::to_string(problem.question) + ',' + FlagMembers(problem.flag) + '}';
           }) + '}';
}

std::string HintTableJson() {
    std::vector<std::size_t> columns;
    for (std::size_t column = 0; column < layout::kReagentCount; ++column) columns.push_back(column);
    const std::string reagents = Array(columns, [](std::size_t column) {
        return "{\"label\":" + JsonString(ReagentLabel(column)) + ",\"results\":" + Strings(ResultsOf(column)) + '}';
    });
    const std::string rows = Array(layout::PrecipitateRows(), [](const layout::PrecipitateRow& row) {
        return "{\"button\":" + std::to_string(row.button) + ",\"ion\":" + JsonString(layout::PlainLabel(row.ion)) +
               ",\"colours\":" + Array(row.colours, [](std::string_view colour) { return JsonString(colour); }) + '}';
    });
    return "{\"title\":" + JsonString(layout::PrecipitateTitle()) + ",\"reagents\":" + reagents +
           ",\"rows\":" + rows + '}';
}

std::string QueryJson(int reagent, const std::string& result) {
    IonSet ions;
    if (reagent >= 0) ions = IonsOf({static_cast<std::size_t>(reagent), result});
    return "{\"ions\":" + Ions(ions) + '}';
}

}  // namespace soruberia::web

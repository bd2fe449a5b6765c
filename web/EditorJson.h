// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "bankedit/BankDraft.h"
#include "bankedit/TextFlags.h"

// The bank editor's answers to the page, each one line of JSON. A flag:
//   {"at": <UTF-16 index>, "length": <UTF-16 units>, "character": "³",
//    "replacement": "3" | "" (leave it out) | null (none), "why": "…"}
namespace soruberia::web {

// A question: {"text", "ions": [1, 10], "flags": [flag…],
//   "query": null | {"reagent": <column>, "reagentLabel": "Cl⁻",
//                    "result": "白" | "" (any precipitate) | "なし", "ions": […]},
//   "disagrees": <its ions differ from the query's>}
std::string QuestionJson(const bankedit::DraftQuestion& question);

// {"explanation", "explanationFlags": [flag…]}; with `membersOnly`, without
// its braces, for another object.
std::string ExplanationJson(const bankedit::BankDraft& draft, bool membersOnly = false);

// {"questions": [question…×26], "explanation", "explanationFlags"}, and
// "notes": ["…"] when given.
std::string StateJson(const bankedit::BankDraft& draft, const std::vector<std::string>* notes = nullptr);

// {"ok": false, "problems": [{"question": 1..26 | 0 for the explanation,
//   "at", "length", "character", "replacement", "why"}…]}
std::string ProblemsJson(const std::vector<bankedit::DraftFlag>& problems);

// The hint table: {"title", "reagents": [{"label": "CO₃²⁻", "results": ["白", "褐"]}…],
//   "rows": [{"button": 4, "ion": "Ca²⁺", "colours": ["", "白", …]}…]}
std::string HintTableJson();

// {"ions": […]}: the table's answer to a reagent column and a result.
std::string QueryJson(int reagent, const std::string& result);

}  // namespace soruberia::web

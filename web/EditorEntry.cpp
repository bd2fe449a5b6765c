// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The bank editor page's entries, in the check page's module (the editor
// checks what it writes): the module keeps the bank being edited, the page
// forwards each edit and draws what comes back. Strings are UTF-8; a
// returned one lives until the next call.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "bankedit/BankEditor.h"
#include "layout/GameLayout.h"
#include "web/EditorJson.h"
#include "web/EntryState.h"
#include "web/LayoutJson.h"

namespace {

using soruberia::web::Files;
using soruberia::web::Returned;
namespace bankedit = soruberia::bankedit;

bankedit::BankEditor& Editor() {
    static bankedit::BankEditor editor;
    return editor;
}

// A file of the bank in a folder relative to the page.
std::string InFolder(const char* folder, std::string_view name) { return std::string(folder) + '/' + std::string(name); }

std::optional<std::string> FileIn(const char* folder, std::string_view name) {
    const std::string* bytes = Files().Find(InFolder(folder, name));
    return bytes ? std::optional<std::string>(*bytes) : std::nullopt;
}

const char* QuestionReturned(bool edited, int question) {
    if (!edited) return Returned("null");
    return Returned(soruberia::web::QuestionJson(Editor().Draft().questions[static_cast<std::size_t>(question - 1)]));
}

}  // namespace

extern "C" {

// Opens the bank in a folder relative to the page (its files handed in
// with soruberia_put_file): the state, with "notes" on what could not be
// taken over.
const char* soruberia_editor_open(const char* folder) {
    const bankedit::BankFiles files{FileIn(folder, bankedit::kTextsFile), FileIn(folder, bankedit::kKeyFile),
                                    FileIn(folder, bankedit::kExplanationFile)};
    const bankedit::TooLargeFiles tooLarge{Files().TooLarge(InFolder(folder, bankedit::kTextsFile)),
                                           Files().TooLarge(InFolder(folder, bankedit::kKeyFile)),
                                           Files().TooLarge(InFolder(folder, bankedit::kExplanationFile))};
    const std::vector<std::string>& notes = Editor().Open(files, tooLarge);
    return Returned(soruberia::web::StateJson(Editor().Draft(), &notes));
}

// A bank from nothing.
const char* soruberia_editor_new() {
    Editor().New();
    return Returned(soruberia::web::StateJson(Editor().Draft()));
}

const char* soruberia_editor_state() { return Returned(soruberia::web::StateJson(Editor().Draft())); }

// Texts come with their length in bytes: a NUL typed into a field is part
// of the text (and flagged), not its end. They are WTF-8 (editor-core.js),
// so that a lone surrogate arrives as itself.

// Question 1..26's text; that question as the state gives it, or null.
const char* soruberia_editor_set_text(int question, const char* text, std::size_t length) {
    return QuestionReturned(Editor().SetText(question, {text, length}), question);
}

// Question 1..26's ions: bit k for button k.
const char* soruberia_editor_set_ions(int question, int mask) {
    return QuestionReturned(Editor().SetIons(question, bankedit::IonSet::FromMask(static_cast<unsigned>(mask))),
                            question);
}

const char* soruberia_editor_set_explanation(const char* text, std::size_t length) {
    Editor().SetExplanation({text, length});
    return Returned(soruberia::web::ExplanationJson(Editor().Draft()));
}

// The longest texts the fields take, in UTF-16 code units (a field's
// maxlength): {"question", "explanation"}. Longer ones are cut.
const char* soruberia_editor_limits() {
    return Returned("{\"question\":" + std::to_string(bankedit::kQuestionMaxLength) +
                    ",\"explanation\":" + std::to_string(bankedit::kExplanationMaxLength) + '}');
}

// Every replacement the flags recommend; the state after it.
const char* soruberia_editor_replace_flagged() {
    Editor().ReplaceFlagged();
    return Returned(soruberia::web::StateJson(Editor().Draft()));
}

// The three files into a folder relative to the page, which soruberia_check
// then checks as the bank folder; or, while a character cannot be written,
// the problems, and nothing written.
const char* soruberia_editor_write(const char* folder) {
    auto result = Editor().Write();
    if (auto* problems = std::get_if<std::vector<bankedit::DraftFlag>>(&result)) {
        return Returned(soruberia::web::ProblemsJson(*problems));
    }
    bankedit::WrittenBank& written = std::get<bankedit::WrittenBank>(result);
    Files().Put(InFolder(folder, bankedit::kTextsFile), std::move(written.texts));
    Files().Put(InFolder(folder, bankedit::kKeyFile), std::move(written.key));
    Files().Put(InFolder(folder, bankedit::kExplanationFile), std::move(written.explanation));
    return Returned("{\"ok\":true}");
}

// The bytes of a file relative to the page, for the page to copy out, and
// their number; null and 0 for a file there is not.
const char* soruberia_editor_file(const char* pagePath) {
    const std::string* bytes = Files().Find(pagePath);
    return bytes ? bytes->data() : nullptr;
}
std::size_t soruberia_editor_file_size(const char* pagePath) {
    const std::string* bytes = Files().Find(pagePath);
    return bytes ? bytes->size() : 0;
}

// The hint window's table, and its answer to one column and result ("" any
// precipitate, "なし" none).
const char* soruberia_editor_table() { return Returned(soruberia::web::HintTableJson()); }
const char* soruberia_editor_query(int reagent, const char* result) {
    return Returned(soruberia::web::QueryJson(reagent, result));
}

// The game window's question label, for drawing a question as the game does.
const char* soruberia_editor_question_label() { return Returned(soruberia::web::WidgetJson(soruberia::layout::GameWindow(), "Label1")); }

}  // extern "C"

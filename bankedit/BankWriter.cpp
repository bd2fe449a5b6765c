// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/BankWriter.h"

#include <functional>
#include <stdexcept>

#include "content/ShiftJis.h"

namespace soruberia::bankedit {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A text without flags, which code page 932 holds.
std::string Cp932(std::string_view utf8) {
    sjis::Encoded encoded = sjis::Encode(utf8);
    if (encoded.unmappableAt) throw std::logic_error("a text without flags that Shift-JIS lacks");
    return std::move(encoded.cp932);
}

std::string TextField(const DraftQuestion& question) { return '"' + Cp932(question.text) + '"'; }

std::string KeyField(const DraftQuestion& question) {
    std::string field = std::to_string(question.ions.Count());
    for (const int button : question.ions.Buttons()) field += ',' + std::to_string(button);
    return field;
}

// One of the question files: each question's field where it stood, kept or
// written anew, and the questions the file lacked on lines after its last
// field.
std::string WriteQuestions(const BankDraft& draft, const BankDraft& asRead, const std::optional<SourceFile>& source,
                           const std::function<std::string(const DraftQuestion&)>& fieldOf,
                           bool (*same)(const DraftQuestion&, const DraftQuestion&)) {
    std::string out;
    const std::string_view bytes = source ? std::string_view(source->bytes) : std::string_view();
    std::size_t at = 0;
    bool ranOut = false;
    for (std::size_t i = 0; i < draft.questions.size(); ++i) {
        const DraftQuestion& question = draft.questions[i];
        const std::optional<SourceField> field = source ? source->fields[i] : std::nullopt;
        if (!field) {
            // The file ran out here: what followed its last field was blanks
            // and separators, which the game would read as empty fields.
            if (!ranOut && i > 0) out += kLineEnd;
            ranOut = true;
            at = bytes.size();
            out += fieldOf(question);
            out += kLineEnd;
            continue;
        }
        if (field->emptyFieldsBefore) {
            if (i > 0) out += kLineEnd;
        } else {
            out += bytes.substr(at, field->begin - at);
        }
        if (field->wellFormed && same(question, asRead.questions[i])) {
            out += bytes.substr(field->begin, field->end - field->begin);
        } else {
            out += fieldOf(question);
        }
        at = field->end;
    }
    out += bytes.substr(at);
    return out;
}

std::string WriteExplanation(const BankDraft& draft, const BankSource& source) {
    const std::optional<SourceExplanation>& file = source.explanation;
    if (!file) return Cp932(draft.explanation) + std::string(kLineEnd);
    if (file->wellFormed && draft.explanation == source.asRead.explanation) return file->bytes;
    const std::string_view rest = std::string_view(file->bytes).substr(file->lineEnd);
    return Cp932(draft.explanation) + std::string(rest.empty() ? kLineEnd : rest);
}

}  // namespace

std::variant<WrittenBank, std::vector<DraftFlag>> WriteBank(const BankDraft& draft, const BankSource& source) {
    if (std::vector<DraftFlag> flags = FlagsOf(draft); !flags.empty()) return flags;
    WrittenBank written;
    written.texts = WriteQuestions(draft, source.asRead, source.texts, TextField,
                                   [](const DraftQuestion& a, const DraftQuestion& b) { return a.text == b.text; });
    written.key = WriteQuestions(draft, source.asRead, source.key, KeyField,
                                 [](const DraftQuestion& a, const DraftQuestion& b) { return a.ions == b.ions; });
    written.explanation = WriteExplanation(draft, source);
    return written;
}

}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/BankEditor.h"

#include "bankedit/TextDecoding.h"

namespace soruberia::bankedit {

const std::vector<std::string>& BankEditor::Open(const BankFiles& files, const TooLargeFiles& tooLarge) {
    opened_ = ReadBank(files, tooLarge);
    return opened_.notes;
}

void BankEditor::New() { opened_ = NewBank(); }

bool BankEditor::SetText(int question, std::string_view text) {
    if (!IsQuestionNumber(question)) return false;
    opened_.draft.questions[static_cast<std::size_t>(question - 1)].text = EditableText(text, kQuestionMaxLength);
    return true;
}

bool BankEditor::SetIons(int question, IonSet ions) {
    if (!IsQuestionNumber(question)) return false;
    opened_.draft.questions[static_cast<std::size_t>(question - 1)].ions = ions;
    return true;
}

void BankEditor::SetExplanation(std::string_view text) {
    opened_.draft.explanation = EditableText(text, kExplanationMaxLength);
}

void BankEditor::ReplaceFlagged() { opened_.draft = WithReplacements(std::move(opened_.draft)); }

std::variant<WrittenBank, std::vector<DraftFlag>> BankEditor::Write() const {
    return WriteBank(opened_.draft, opened_.source);
}

}  // namespace soruberia::bankedit

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bankedit/BankFiles.h"
#include "bankedit/BankReader.h"
#include "bankedit/BankWriter.h"

namespace soruberia::bankedit {

// The bank being edited: a front-end opens or starts one, forwards each
// edit and asks for the files when the teacher saves.
class BankEditor {
public:
    BankEditor() : opened_(NewBank()) {}

    // Returns the notes on what could not be taken over.
    const std::vector<std::string>& Open(const BankFiles& files, const TooLargeFiles& tooLarge = {});
    void New();

    const BankDraft& Draft() const { return opened_.draft; }

    // Questions 1..26; an edit of another number changes nothing and
    // returns false. Texts are WTF-8 (a lone surrogate is kept, and
    // flagged), an ill-formed sequence is kept as U+FFFD, which is flagged,
    // and a text is cut at kQuestionMaxLength or kExplanationMaxLength.
    bool SetText(int question, std::string_view text);
    bool SetIons(int question, IonSet ions);
    void SetExplanation(std::string_view text);

    // Makes every replacement the flags recommend.
    void ReplaceFlagged();

    std::variant<WrittenBank, std::vector<DraftFlag>> Write() const;

private:
    OpenedBank opened_;
};

}  // namespace soruberia::bankedit

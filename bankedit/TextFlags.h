// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bankedit/BankDraft.h"

namespace soruberia::bankedit {

enum class TextRole {
    kQuestion,     // a field of mondai.txt, written between double quotes
    kExplanation,  // the first line of setumei.txt, written as it is
};

enum class FlagReason {
    kNotInCodePage932,  // Shift-JIS has no such character
    kChangedByCodePage932,  // written, it reads back as another character
    kDoubleQuote,       // it would end the quoted question text
    kLineBreak,         // it would end the line, and so the field
    kControl,           // an invisible control character
};

// A character of a text that cannot be written as it stands.
struct TextFlag {
    std::size_t at = 0;      // in UTF-16 code units, as a page's text field counts
    std::size_t length = 0;  // in UTF-16 code units
    std::size_t byteAt = 0;  // in the UTF-8 text
    std::size_t byteLength = 0;
    std::string character;                   // UTF-8; WTF-8 for a lone surrogate
    std::optional<std::string> replacement;  // what to write instead; "" to leave it out
    FlagReason reason = FlagReason::kNotInCodePage932;
};

// Every character of `text` (UTF-8, or WTF-8 with lone surrogates) that
// cannot be written, in order. A CR LF is one line break; a NUL is a
// control character like any other.
std::vector<TextFlag> FlagsOf(std::string_view text, TextRole role);

// `text` with every flagged character that has a replacement replaced.
std::string WithReplacements(std::string_view text, TextRole role);

// Why, in the teacher's words.
std::string_view ReasonText(FlagReason reason);

// A flag of the draft: question 1..26, or 0 for the explanation.
struct DraftFlag {
    int question = 0;
    TextFlag flag;
};
std::vector<DraftFlag> FlagsOf(const BankDraft& draft);

// The draft with every replacement made.
BankDraft WithReplacements(BankDraft draft);

}  // namespace soruberia::bankedit

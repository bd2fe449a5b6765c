// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bankedit/BankSource.h"
#include "bankedit/IonSet.h"
#include "bankedit/TextDecoding.h"

// What the bank reader's parts share: how a file is to be read and the
// notes it leaves.
namespace soruberia::bankedit::reading {

// How one file is read: nothing can be taken from it, it is Shift-JIS, or
// it was saved as UTF-8 (its texts are taken, the file is written anew).
struct FileReading {
    std::optional<FileEncoding> encoding;
    std::string_view bytes;  // without a UTF-8 byte order mark
};

// Decides, and notes a file that is missing or not Shift-JIS; `what` names
// what the file holds ("問題の文").
FileReading ReadingOf(const std::optional<std::string>& bytes, std::string_view file, std::string_view what,
                      std::vector<std::string>& notes);

// "mondai.txt 3 行目: " + text
std::string AtLine(std::string_view file, int line, std::string_view text);

// A part of a file, as a note quotes it.
std::string Quoted(std::string_view bytes, FileEncoding encoding);

template <typename Value>
using PerQuestion = std::array<Value, kQuestionsInPlay>;
using FieldsRead = PerQuestion<std::optional<SourceField>>;

// mondai.txt: the texts of the questions and where they stand.
struct TextsRead {
    PerQuestion<std::string> texts;
    FieldsRead fields;
};
TextsRead ReadTexts(const FileReading& file, std::vector<std::string>& notes);

// kotae.txt: each question's count and numbers as one field.
struct KeyRead {
    PerQuestion<IonSet> ions;
    FieldsRead fields;
};
KeyRead ReadKey(const FileReading& file, std::vector<std::string>& notes);

}  // namespace soruberia::bankedit::reading

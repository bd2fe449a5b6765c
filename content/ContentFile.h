// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace soruberia {

// Content files are a few kilobytes; anything far larger is not one of ours
// and is refused before it can eat memory.
inline constexpr std::size_t kMaxContentFileBytes = 16u * 1024u * 1024u;

// How failure messages name a file: its path as the platform spells it.
std::string DisplayPath(const std::string& fullPath);

struct ContentFile {
    std::string displayPath;
    std::string bytes;
};

// A content file's whole bytes. The file is opened, read and closed inside
// this call; a missing, unreadable or oversized file throws FatalError.
ContentFile ReadContentFile(const std::string& fullPath);

// Shift-JIS (code page 932) bytes as UTF-8. Throws FatalError naming `where`
// and the first byte that is not valid.
std::string DecodeShiftJis(std::string_view bytes, const std::string& where);

// A short, one-line rendering of raw file bytes for failure messages.
std::string DescribeBytes(std::string_view bytes);

// Sequential fields of a question bank file: text fields (quoted or not)
// and number fields, separated by commas, line ends or, after a number,
// blanks. Keeps the line and field number for messages.
class FieldReader {
public:
    FieldReader(std::string displayPath, std::string bytes);

    // `what` names the field's role, e.g. "text of question 3".
    std::string ReadText(std::string_view what);
    std::int16_t ReadNumber(std::string_view what);

    // "<file>: line L, field F (what)" of the field read last.
    std::string Where(std::string_view what) const;

private:
    [[noreturn]] void Fail(std::string_view what, const std::string& problem) const;
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    void SkipBlanks();
    void ConsumeLineEnd();
    void ConsumeSeparator();
    void BeginField(std::string_view what);

    std::string path_;
    std::string bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int field_ = 0;
    int fieldLine_ = 1;
};

}  // namespace soruberia

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "content/ContentFailure.h"

namespace soruberia {

// One field of a question bank file, with where it stands and, if it cannot
// be read, why.
struct Field {
    int number = 0;         // 1-based count of fields in the file
    int line = 1;           // where the field begins
    int endLine = 1;        // where it ends: a quoted text may hold line ends
    std::size_t begin = 0;  // offset of its first byte (an opening quote included)
    std::string_view raw;   // between the quotes, or as it stands (an unquoted text
                            // without its trailing blanks)
    bool quoted = false;
    bool endsAtComma = false;  // the comma after it was taken as its end
    std::string text;          // a text field, as UTF-8
    std::int16_t number16 = 0; // a number field

    std::optional<ContentFault> problem;
    int problemLine = 0;           // the line the problem is reported on
    int problemColumn = 0;         // byte of that line, for kInvalidShiftJis
    std::string_view problemBytes; // what is at fault
};

// The grammar of mondai.txt and kotae.txt: a text field ends at a comma or a
// line end, unless it begins with a double quote, which then runs to the next
// one; a number field ends at a blank, a comma or a line end, and holds a
// decimal integer from -32768 to 32767. Blanks in front of a field are
// skipped; CR LF, a lone CR and a lone LF each end one line.
//
// It never throws. After a problem it goes on where the rest of the file can
// still be followed, so that a checker can report on: past text after a
// closing quote to the next separator, past a bad number to its end. A quote
// that is never closed ends the file.
class FieldTokenizer {
public:
    explicit FieldTokenizer(std::string_view bytes);

    Field NextText();
    Field NextNumber();

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // Whether anything but blanks, commas and line ends is left.
    bool ContentLeft() const;
    // Whether anything but blanks follows on the current line.
    bool ContentLeftOnLine() const;
    // The line of the last byte that is not a blank or line end; 1 if none.
    int LastContentLine() const;
    std::size_t Offset() const { return pos_; }
    int Line() const { return line_; }

private:
    Field Begin();
    Field EndOfFile(Field field);
    void SkipBlanks();
    void ConsumeLineEnd();
    void ConsumeSeparator(Field& field);
    void Decode(Field& field);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int fields_ = 0;
    mutable std::size_t scannedFrom_ = std::string_view::npos;
    mutable std::size_t nextContent_ = 0;
    mutable std::optional<int> lastContentLine_;
};

// The failure of a field that has a problem, as the reader of `file` met it.
ContentFailure FailureOf(const Field& field, std::string file, FieldRole role, int question,
                         int answer = 0);

}  // namespace soruberia

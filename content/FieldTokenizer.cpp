// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/FieldTokenizer.h"

#include <utility>

#include "content/Bytes.h"
#include "content/ShiftJis.h"

namespace soruberia {

namespace {

using bytes::IsBlank;
using bytes::IsDigit;
using bytes::IsLineEnd;

bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }

// Line ends in `bytes`, a CR LF counted once.
int LineEndsIn(std::string_view bytes) {
    int count = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        if (IsLineEnd(bytes[i])) ++count;
    }
    return count;
}

}  // namespace

FieldTokenizer::FieldTokenizer(std::string_view bytes) : bytes_(bytes) {}

bool FieldTokenizer::ContentLeft() const {
    // Asked at every empty field: the answer holds up to the next content.
    if (scannedFrom_ == std::string_view::npos || pos_ < scannedFrom_ || pos_ > nextContent_) {
        std::size_t i = pos_;
        while (i < bytes_.size() && (IsBlank(bytes_[i]) || IsSeparator(bytes_[i]))) ++i;
        scannedFrom_ = pos_;
        nextContent_ = i;
    }
    return nextContent_ < bytes_.size();
}

bool FieldTokenizer::ContentLeftOnLine() const {
    for (std::size_t i = pos_; i < bytes_.size() && !IsLineEnd(bytes_[i]); ++i) {
        if (!IsBlank(bytes_[i])) return true;
    }
    return false;
}

int FieldTokenizer::LastContentLine() const {
    if (!lastContentLine_) {
        std::size_t last = bytes_.size();
        while (last > 0 && (IsBlank(bytes_[last - 1]) || IsLineEnd(bytes_[last - 1]))) --last;
        lastContentLine_ = last == 0 ? 1 : 1 + LineEndsIn(bytes_.substr(0, last));
    }
    return *lastContentLine_;
}

void FieldTokenizer::SkipBlanks() {
    while (!AtEnd() && IsBlank(bytes_[pos_])) ++pos_;
}

void FieldTokenizer::ConsumeLineEnd() {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

void FieldTokenizer::ConsumeSeparator(Field& field) {
    if (AtEnd()) return;
    if (bytes_[pos_] == ',') {
        field.endsAtComma = true;
        ++pos_;
    } else if (IsLineEnd(bytes_[pos_])) {
        ConsumeLineEnd();
    }
}

Field FieldTokenizer::Begin() {
    Field field;
    field.number = ++fields_;
    SkipBlanks();
    field.line = line_;
    field.endLine = line_;
    field.begin = pos_;
    return field;
}

Field FieldTokenizer::EndOfFile(Field field) {
    field.problem = ContentFault::kFileEnds;
    field.problemLine = LastContentLine();
    pos_ = bytes_.size();
    return field;
}

void FieldTokenizer::Decode(Field& field) {
    sjis::Decoded decoded = sjis::Decode(field.raw);
    if (!decoded.invalidAt) {
        field.text = std::move(decoded.utf8);
        return;
    }
    const std::size_t at = static_cast<std::size_t>(field.raw.data() - bytes_.data()) + *decoded.invalidAt;
    const std::string_view before = bytes_.substr(field.begin, at - field.begin);
    field.problem = ContentFault::kInvalidShiftJis;
    field.problemLine = field.line + LineEndsIn(before);
    std::size_t lineStart = at;
    while (lineStart > 0 && !IsLineEnd(bytes_[lineStart - 1])) --lineStart;
    field.problemColumn = static_cast<int>(at - lineStart) + 1;
    const std::size_t rawEnd = static_cast<std::size_t>(field.raw.data() - bytes_.data()) + field.raw.size();
    const bool pair = at + 1 < rawEnd && !IsLineEnd(bytes_[at + 1]);
    field.problemBytes = bytes_.substr(at, pair ? 2 : 1);
}

Field FieldTokenizer::NextText() {
    Field field = Begin();
    if (AtEnd()) return EndOfFile(field);
    if (bytes_[pos_] == '"') {
        field.quoted = true;
        const std::size_t close = bytes_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            field.problem = ContentFault::kUnclosedQuote;
            field.problemLine = field.line;
            field.raw = bytes_.substr(pos_ + 1);
            pos_ = bytes_.size();
            return field;
        }
        field.raw = bytes_.substr(pos_ + 1, close - pos_ - 1);
        // A line end between the quotes belongs to the text.
        line_ += LineEndsIn(field.raw);
        field.endLine = line_;
        pos_ = close + 1;
        SkipBlanks();
        if (!AtEnd() && !IsSeparator(bytes_[pos_])) {
            const std::size_t after = pos_;
            while (!AtEnd() && !IsSeparator(bytes_[pos_])) ++pos_;
            field.problem = ContentFault::kTextAfterQuote;
            field.problemLine = line_;
            field.problemBytes = bytes_.substr(after, pos_ - after);
            ConsumeSeparator(field);
            return field;
        }
    } else {
        const std::size_t start = pos_;
        while (!AtEnd() && !IsSeparator(bytes_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(bytes_[end - 1])) --end;
        field.raw = bytes_.substr(start, end - start);
    }
    ConsumeSeparator(field);
    Decode(field);
    return field;
}

Field FieldTokenizer::NextNumber() {
    Field field = Begin();
    if (AtEnd()) return EndOfFile(field);
    const std::size_t start = pos_;
    std::size_t end = start;
    while (end < bytes_.size() && !IsBlank(bytes_[end]) && !IsSeparator(bytes_[end])) ++end;
    field.raw = bytes_.substr(start, end - start);
    field.problemLine = field.line;
    field.problemBytes = field.raw;
    if (field.raw.empty()) {
        // Nothing but separators to the end: the file has run out of fields.
        if (!ContentLeft()) return EndOfFile(field);
        field.problem = ContentFault::kEmptyNumber;
    } else {
        const bool negative = field.raw.front() == '-';
        const std::size_t digits = negative ? 1 : 0;
        std::size_t p = digits;
        std::int64_t magnitude = 0;
        while (p < field.raw.size() && IsDigit(field.raw[p])) {
            if (magnitude <= 32768) magnitude = magnitude * 10 + (field.raw[p] - '0');  // no overflow
            ++p;
        }
        const std::int64_t value = negative ? -magnitude : magnitude;
        if (p == digits || p != field.raw.size()) {
            field.problem = ContentFault::kNotANumber;
        } else if (value < -32768 || value > 32767) {
            field.problem = ContentFault::kNumberOutOfRange;
        } else {
            field.number16 = static_cast<std::int16_t>(value);
        }
    }
    pos_ = end;
    SkipBlanks();
    ConsumeSeparator(field);
    return field;
}

ContentFailure FailureOf(const Field& field, std::string file, FieldRole role, int question,
                         int answer) {
    ContentFailure failure;
    failure.fault = field.problem.value_or(ContentFault::kFileEnds);
    failure.file = std::move(file);
    failure.line = field.problemLine;
    failure.field = field.number;
    failure.role = role;
    failure.question = question;
    failure.answer = answer;
    failure.found = std::string(field.problemBytes);
    failure.column = field.problemColumn;
    return failure;
}

}  // namespace soruberia

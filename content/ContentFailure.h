// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

#include "content/FatalError.h"

namespace soruberia {

// What went wrong with a content file. Kept as a value, so that the game
// (which stops at the first) and the checker (which collects them all) meet
// the same faults, and the words are chosen in one place (ContentMessages).
enum class ContentFault {
    // The file itself.
    kFileMissing,
    kFolderMissing,
    kIsFolder,
    kNotRegularFile,
    kCannotOpen,
    kReadFailed,
    kTooLarge,
    kEmptyFile,
    // One field.
    kFileEnds,
    kUnclosedQuote,
    kTextAfterQuote,
    kEmptyNumber,
    kNotANumber,
    kNumberOutOfRange,
    kInvalidShiftJis,
    // The question bank.
    kCountAboveSlots,
    kTooManyQuestions,
};

// The part a field plays in its file.
enum class FieldRole { kNone, kQuestionText, kAnswerCount, kAnswer, kExplanation };

struct ContentFailure {
    ContentFault fault = ContentFault::kFileMissing;
    std::string file;  // as the platform spells it
    int line = 0;      // 1-based; 0 where no line applies
    int field = 0;     // 1-based count of fields in the file; 0 where none applies
    FieldRole role = FieldRole::kNone;
    int question = 0;  // of the role
    int answer = 0;    // of the role kAnswer
    std::string found;   // the offending bytes as they stand in the file
    int column = 0;      // byte of the line where an invalid Shift-JIS byte stands
    std::string detail;  // a missing folder, or the system's reason
    std::int64_t value = 0;  // a count, a limit
};

// A content failure that ends the game; what() is the rendered message.
class ContentError : public FatalError {
public:
    explicit ContentError(ContentFailure failure);
    const ContentFailure& Failure() const { return failure_; }

private:
    ContentFailure failure_;
};

}  // namespace soruberia

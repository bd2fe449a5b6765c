// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// What the checker's inspection of the text content files finds, as values:
// BankInspection.cpp decides, and BankIssueMessages.cpp alone puts the
// findings into words, as ContentMessages.cpp does for the game's failures.

#include <string>
#include <variant>
#include <vector>

#include "content/ContentFailure.h"
#include "content/Finding.h"

namespace soruberia::inspection {

// ---- any of the three files ------------------------------------------

// Saved as UTF-8; `withBom` when it begins with the byte order mark
// (Notepad's 「UTF-8 (BOM 付き)」).
struct SavedAsUtf8 {
    bool withBom = false;
};

// Saved as UTF-16 (Notepad's 「Unicode」): two bytes to every character.
struct SavedAsUtf16 {};

// A run of characters of a UTF-8 file that code page 932 lacks, and what to
// write instead ("" where some character has no stand-in).
struct NotInCodePage932 {
    std::string characters;
    std::string instead;
};

// What the checker adds to the game's own words on a field it cannot read.
enum class FieldHint {
    kNone,
    kEmptyField,           // two commas in a row, a comma at a line end, an empty line
    kCommaBetweenTexts,    // a full-width 、 or ， after a quoted text
    kCommaBetweenNumbers,  // numbers separated by 、 or ，
    kFullWidthDigit,
    kWholeNumber,          // anything else that is not a number
    kSaveAsShiftJis,
    kIonName,             // an ion's name where its number belongs: `ion` is its number
    kQuoteInsideText,     // a half-width " inside a quoted text
};

enum class GameStops { kHere, kAtProgramStart };

// A field the game cannot read: the game's failure, then the checker's hint.
struct UnreadableField {
    ContentFailure failure;
    FieldHint hint = FieldHint::kNone;
    GameStops stops = GameStops::kHere;
    bool restUnchecked = false;  // where the next question begins is unknown
    int ion = 0;                 // kIonName: the number of the ion named
};

// ---- mondai.txt ------------------------------------------------------

struct TextsFileEmpty {
    int questions = 0;  // the game reads
};

// The file ends before the text `failure` names; it holds `texts`.
struct TextsRunOut {
    ContentFailure failure;
    int texts = 0;
    int questions = 0;
};

// A quoted text that holds line ends: every later text moves on by one.
struct TextSpansLines {
    int question = 0;
    int endLine = 0;
    bool last = false;  // the last question the game reads
};

// An unquoted text cut at a comma: what follows is taken as the next text.
struct TextEndsAtComma {
    int question = 0;
    bool last = false;
    bool fullWidthQuotes = false;  // the text is written in “ ”
};

// A text in “ ” only: the quotes show as part of it.
struct FullWidthQuotesShown {
    int question = 0;
};

// An empty text with more to read after it: it counts as a question.
struct EmptyTextShifts {
    int question = 0;
    bool last = false;
};

// An empty last text: the question panel stays empty.
struct EmptyTextShown {
    int question = 0;
};

struct TextsLeftUnread {
    int questions = 0;
};

// ---- kotae.txt -------------------------------------------------------

struct KeyFileEmpty {
    int questions = 0;
};

// The file ends before the count of a question; it holds `answered`.
struct KeyRunsOut {
    ContentFailure failure;
    int answered = 0;
    int questions = 0;
};

// The file ends among the answers of a question.
struct AnswersRunOut {
    ContentFailure failure;
    int count = 0;
    int countLine = 0;
};

struct CountNegative {
    int question = 0;
    int count = 0;
};

struct CountZero {
    int question = 0;
};

// A count above the answer slots: the game stops at every start.
struct CountAboveSlots {
    int question = 0;
    int count = 0;
};

// A count that takes fewer numbers than its line holds, at the last
// question: the rest of the line is never read.
struct ExtraAnswersUnread {
    int question = 0;
    int count = 0;
    int onLine = 0;  // ion numbers on the count's line
};

// A count that takes numbers from the lines below, or leaves some of its
// line to the next question.
struct CountOffTheLine {
    int question = 0;
    int count = 0;
    int onLine = 0;
    bool last = false;
    bool afterShift = false;  // the questions were shifted already
};

// An answer that is no ion button: the question never ends.
struct AnswerNotAnIon {
    int question = 0;
    int answer = 0;
    int ion = 0;
};

// An ion given twice for one question: the question never ends.
struct AnswerTwice {
    int question = 0;
    int ion = 0;
    int first = 0;  // answer numbers
    int second = 0;
};

struct KeyLeftUnread {
    int questions = 0;
};

// ---- setumei.txt -----------------------------------------------------

struct ExplanationFileEmpty {};
struct ExplanationLineBlank {};
struct ExplanationLinesUnshown {};

using Issue =
    std::variant<SavedAsUtf8, SavedAsUtf16, NotInCodePage932, UnreadableField, TextsFileEmpty, TextsRunOut,
                 TextSpansLines, TextEndsAtComma, FullWidthQuotesShown, EmptyTextShifts,
                 EmptyTextShown, TextsLeftUnread, KeyFileEmpty, KeyRunsOut, AnswersRunOut,
                 CountNegative, CountZero, CountAboveSlots, ExtraAnswersUnread, CountOffTheLine,
                 AnswerNotAnIon, AnswerTwice, KeyLeftUnread, ExplanationFileEmpty,
                 ExplanationLineBlank, ExplanationLinesUnshown>;

// An issue where it was found.
struct Inspected {
    Severity severity = Severity::kError;
    int line = 0;       // 1-based; 0 where no line applies
    int causeLine = 0;  // a follow-on of the shift reported there; 0 if none
    Issue issue;
};

// The words of an issue.
std::string Describe(const Issue& issue);

// The findings of one file, in the order found.
std::vector<Finding> Render(const std::string& file, const std::vector<Inspected>& inspected);

}  // namespace soruberia::inspection

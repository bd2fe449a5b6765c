// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/FieldTokenizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace soruberia {
namespace {

// A field as the tests describe it: where it stands and what it holds.
struct Seen {
    int line;
    std::string raw;
    std::optional<ContentFault> problem = std::nullopt;
    int problemLine = 0;

    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* out) {
    *out << "line " << s.line << " \"" << s.raw << "\" problem "
         << (s.problem ? static_cast<int>(*s.problem) : -1) << " at " << s.problemLine;
}

enum class Kind { kText, kNumber };

// Every field to the end of the file; after a problem the tokenizer goes on.
std::vector<Seen> AllFields(const std::string& bytes, Kind kind) {
    FieldTokenizer tokenizer(bytes);
    std::vector<Seen> seen;
    for (int guard = 0; guard < 100; ++guard) {
        const Field f = kind == Kind::kText ? tokenizer.NextText() : tokenizer.NextNumber();
        if (f.problem == ContentFault::kFileEnds) break;
        seen.push_back({f.line, std::string(f.raw), f.problem, f.problem ? f.problemLine : 0});
    }
    return seen;
}

TEST(FieldTokenizer, WalksOnPastEachProblem) {
    const struct {
        const char* name;
        std::string bytes;
        Kind kind;
        std::vector<Seen> fields;
    } cases[] = {
        {"texts on lines and after commas", "a,b\r\n\"c,d\"\n e ", Kind::kText,
         {{1, "a"}, {1, "b"}, {2, "c,d"}, {3, "e"}}},
        {"text after a closing quote, then on", "\"a\"x,b\r\nc", Kind::kText,
         {{1, "a", ContentFault::kTextAfterQuote, 1}, {1, "b"}, {2, "c"}}},
        {"a quoted line end counts as a line", "\"a\r\nb\",c\r\n\x81\x7F", Kind::kText,
         {{1, "a\r\nb"}, {2, "c"}, {3, "\x81\x7F", ContentFault::kInvalidShiftJis, 3}}},
        {"a quote never closed ends the file", "a\r\n\"b,c\r\nd", Kind::kText,
         {{1, "a"}, {2, "b,c\r\nd", ContentFault::kUnclosedQuote, 2}}},
        {"numbers end at blanks too", "1 2,3\r\n-4", Kind::kNumber, {{1, "1"}, {1, "2"}, {1, "3"}, {2, "-4"}}},
        {"bad numbers and empty fields", "x,,40000\r\n5", Kind::kNumber,
         {{1, "x", ContentFault::kNotANumber, 1},
          {1, "", ContentFault::kEmptyNumber, 1},
          {1, "40000", ContentFault::kNumberOutOfRange, 1},
          {2, "5"}}},
        {"empty fields at the end are the end", "1,\r\n\r\n , \r\n", Kind::kNumber, {{1, "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AllFields(c.bytes, c.kind), c.fields);
    }
}

TEST(FieldTokenizer, TheEndIsReportedOnTheLastLineWithContent) {
    const struct {
        std::string bytes;
        int line;
    } cases[] = {{"", 1}, {"a\r\n\r\n\r\n", 1}, {"a\r\nb\r\n  \r\n", 2}, {"a\r\n,\r\n", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        FieldTokenizer tokenizer(c.bytes);
        Field f;
        do {
            f = tokenizer.NextNumber();
        } while (f.problem != ContentFault::kFileEnds);
        EXPECT_EQ(f.problemLine, c.line);
    }
}

}  // namespace
}  // namespace soruberia

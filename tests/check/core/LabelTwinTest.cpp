// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What both checkers' question labels share: the face they accept and how
// they put a shown or cut part of a text on one line of the report.

#include <gtest/gtest.h>

#include <string>

#include "check/core/LabelTwin.h"

namespace soruberia::check {
namespace {

TEST(LabelTwin, NotesAFaceOtherThanAMincho) {
    struct Case {
        std::string face;
        std::string note;
    };
    const Case cases[] = {
        {"ＭＳ Ｐ明朝", ""},
        {"IPAPMincho", ""},
        {"ipapmincho", ""},
        {"IPAPMINCHO", ""},
        {"DejaVu Sans", "理由ので、問題の文はフォント「DejaVu Sans」で測っています"},
        {"", "理由ので、問題の文はフォント「」で測っています"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsMinchoFace(c.face), c.note.empty()) << c.face;
        EXPECT_EQ(FontNote(c.face, "理由"), c.note) << c.face;
    }
}

TEST(LabelTwin, PutsAPartOfATextOnOneLine) {
    struct Case {
        std::string text;
        std::string line;
    };
    const Case cases[] = {
        {"二行の\r\n問題文", "二行の 問題文"},
        {"a\rb\nc", "a b c"},
        {"a\r\n\r\nb", "a  b"},
        {"  両端の空白\t ", "両端の空白"},
        {"\xE3\x80\x80全角の空白\xE3\x80\x80", "全角の空白"},
        {"中の\xE3\x80\x80空白", "中の\xE3\x80\x80空白"},
        {"\r\n", ""},
        {" \xE3\x80\x80 ", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(OneLine(c.text), c.line) << c.text;
}

}  // namespace
}  // namespace soruberia::check

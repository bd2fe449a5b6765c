// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>
#include <QString>

namespace soruberia::check {

// How a question text sits in the game window's question label.
struct LabelFit {
    bool fits = true;
    int neededHeight = 0;  // px the wrapped text takes
    int height = 0;        // px the label shows
    int lines = 0;         // lines the text wraps to
    int shownLines = 0;    // lines that show whole
    QString shown;         // the text of the lines that show whole
    QString cut;           // the rest, lost below the label's lower edge
};

// A twin of the game window's Label1: same font, box, wrapping and
// alignment, so a text is measured exactly as the game lays it out. Needs a
// QApplication and the game's font substitutions.
class QuestionLabel {
public:
    QuestionLabel();

    LabelFit Measure(const QString& text);
    const QLabel& Label() const { return label_; }

private:
    QLabel label_;
};

}  // namespace soruberia::check

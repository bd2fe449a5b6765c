// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>

#include <string>

#include "check/core/CheckServices.h"

namespace soruberia::check {

// A twin of the game window's Label1: same font, box, wrapping and
// alignment, so a text is measured exactly as the game lays it out. Needs a
// QApplication and the game's font substitutions.
class QuestionLabel final : public QuestionLabelMeasure {
public:
    QuestionLabel();

    LabelFit Measure(const std::string& text) override;
    std::string FontNote() override;
    const QLabel& Label() const { return label_; }

private:
    QLabel label_;
};

}  // namespace soruberia::check

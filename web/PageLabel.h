// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "check/core/CheckServices.h"

namespace soruberia::web {

// The question label as the page draws it, measured by the page itself:
// soruberiaMeasureQuestion (site/label-fit.js) lays each text into a hidden
// twin of the game page's Label1, with the device's own fonts, shrinking it
// as the game page does. Built for the browser only.
class PageQuestionLabel final : public check::QuestionLabelMeasure {
public:
    check::LabelFit Measure(const std::string& text) override;
    std::string FontNote() override;
};

}  // namespace soruberia::web

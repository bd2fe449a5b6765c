// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <string>

#include "check/core/CheckServices.h"

namespace soruberia::windows {

// The game window's Label1 as GDI lays it out: the label's own font
// ("ＭＳ Ｐ明朝", its pixel height and weight from the layout) in a memory
// device context, wrapped by the very DrawTextW call the window paints the
// label with, at 96 dpi.
class GdiQuestionLabel final : public check::QuestionLabelMeasure {
public:
    GdiQuestionLabel();
    ~GdiQuestionLabel() override;
    GdiQuestionLabel(const GdiQuestionLabel&) = delete;
    GdiQuestionLabel& operator=(const GdiQuestionLabel&) = delete;

    check::LabelFit Measure(const std::string& text) override;
    std::string FontNote() override;

    // The face GDI gave for the name asked.
    std::string Face() const;
    int LineHeight() const { return lineHeight_; }

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int lineHeight_ = 1;
};

}  // namespace soruberia::windows

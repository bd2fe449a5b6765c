// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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
    // Pixels the label's DrawTextW call needs for the text at the label's width.
    int Height(const std::wstring& text) const;
    // The pixels of the text drawn as the label draws it, in a box of the
    // label's width and this height.
    std::vector<std::uint32_t> Render(const std::wstring& text, int height) const;
    // UTF-16 units of the text on the first `shownLines` lines.
    std::size_t ShownLength(const std::wstring& text, int shownLines) const;

    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int lineHeight_ = 1;
};

}  // namespace soruberia::windows

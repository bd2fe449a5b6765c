// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "layout/GameLayout.h"
#include "layout/Units.h"

// What every checker's twin of the game window's question label (Label1)
// shares, whatever draws its text: the label's place and font at 96 dpi,
// and how the twin reports a face and a text.
namespace soruberia::check {

struct LabelTwinSetUp {
    layout::PixelRect box;  // at 96 dpi
    layout::Font font;      // the face asked for by name, its points and weight
    int fontPixels = 0;     // character height at 96 dpi
};

inline constexpr LabelTwinSetUp kQuestionLabelTwin{
    layout::ToPixels(layout::kQuestionLabel.box), layout::kQuestionLabel.font,
    layout::PointsToPixels(layout::kQuestionLabel.font.points)};

// Whether a face the platform gave for the label's is a Mincho like the
// label's own ("明朝", or "Mincho" in any case).
bool IsMinchoFace(std::string_view face);

// The twin's FontNote: "" for a Mincho; else that `face` measured the texts
// because of `whyNotMincho` ("ＭＳ Ｐ明朝 が見つからない").
std::string FontNote(std::string_view face, std::string_view whyNotMincho);

// A part of a question text as the report shows it, UTF-8 on one line: line
// ends become blanks, blanks at either end go.
std::string OneLine(std::string_view text);

}  // namespace soruberia::check

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "layout/Fonts.h"
#include "layout/Form.h"

namespace soruberia::layout {

// The game window: twelve ion buttons ("Command1_1" to "Command1_12"), quit,
// hint and retry, the question panel, the counters, the miss gauge, the
// judgement, bonus and pass pictures, and six timers.
const Form& GameWindow();

inline constexpr int kGameTimerCount = 6;

// The miss gauge: Image1 starts with its left edge at home and moves right
// by one step per miss level.
inline constexpr int kGaugeHomeLeft = 315;
inline constexpr int kGaugeTop = 4575;
inline constexpr int kGaugeStep = 1005;

// The twelve ion buttons' size; a picture larger than the face loses its
// margins at the edges.
inline constexpr int kIonButtonWidth = 1530;
inline constexpr int kIonButtonHeight = 920;

// A text label as far as the wrapping of its text goes.
struct TextBox {
    Font font;
    TwipRect box;
    int lines;  // whole lines the box shows
};

// Label1, where the questions are shown. A question must fit its lines.
inline constexpr TextBox kQuestionLabel{{kPMincho, 15, true}, {2595, 1770, 4425, 735}, 2};

}  // namespace soruberia::layout

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "layout/HintLayout.h"

#include <array>

namespace soruberia::layout {

namespace {

// The table's own ground, so the two rows below the picture match it.
constexpr Colour kPaleYellow{255, 255, 153};

constexpr std::array kWidgets{
    // A clear box over the background's table of precipitates: what screen
    // readers are given as its text when the window opens.
    Widget{.name = "Image1", .kind = Kind::PictureBox, .box = {0, 0, 11475, 6690}},
    Widget{.name = "Command1",
           .kind = Kind::PushButton,
           .box = {9240, 140, 1395, 465},
           .picture = "menu/back.png",
           .accessibleName = "戻る",
           .tabIndex = 0},
};

constexpr Form kForm{
    .name = "ヒント",
    .caption = "ヒント",
    .clientWidth = 765,
    .clientHeight = 448,
    .colour = kPaleYellow,
    .background = "hint/table.png",
    .font = {},
    .widgets = kWidgets,
};

}  // namespace

const Form& HintWindow() { return kForm; }

}  // namespace soruberia::layout

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "layout/Form.h"

namespace soruberia::layout {

// メニュー: five title tiles ("Image1_0" to "Image1_4"), quit, explanation,
// start and back buttons, the explanation panel ("Label1") with its text
// ("Label2") and the timer of the title's build-up ("Timer1").
const Form& MenuWindow();

inline constexpr int kTitleTileCount = 5;

}  // namespace soruberia::layout

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "layout/Form.h"

namespace soruberia::layout {

// ヒント: the table of precipitates (the background, read out through the
// clear box "Image1") and a back button, "Command1".
const Form& HintWindow();

}  // namespace soruberia::layout

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/HintWindow.h"

#include "layout/HintLayout.h"

namespace soruberia::windows {

HintWindow::HintWindow(BuiltInPictures& pictures) : FormWindow(layout::HintWindow(), pictures) {
    Focus(IndexOf("Command1"));
}

void HintWindow::Pressed(std::size_t) { Close(); }

}  // namespace soruberia::windows

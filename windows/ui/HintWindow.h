// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "windows/ui/FormWindow.h"

namespace soruberia::windows {

// ヒント: the table of precipitates and a back button, Command1, that closes
// the window. A later hint is a new window, centred again.
class HintWindow final : public FormWindow {
public:
    explicit HintWindow(BuiltInPictures& pictures);

private:
    void Pressed(std::size_t widget) override;
};

}  // namespace soruberia::windows

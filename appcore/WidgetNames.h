// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace soruberia::appcore {

// Widgets of an indexed group by their layout names: "Command1_7" is
// Command1(7), "Timer3" is the third timer.
std::string IonButtonName(int ionNumber);
std::string TimerName(int timerNumber);

// The index in the name `prefix` + digits, or nothing.
std::optional<int> IndexIn(std::string_view name, std::string_view prefix);

}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/WidgetNames.h"

#include <charconv>

namespace soruberia::appcore {

std::string IonButtonName(int ionNumber) { return "Command1_" + std::to_string(ionNumber); }

std::string TimerName(int timerNumber) { return "Timer" + std::to_string(timerNumber); }

std::optional<int> IndexIn(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 3 || digits.front() < '1' || digits.front() > '9')
        return std::nullopt;
    int index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return index;
}

}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/CharacterStandIns.h"

#include <algorithm>
#include <array>

namespace soruberia::bankedit {

namespace {

constexpr std::array kStandIns{
    StandIn{U'⁰', "0"},  StandIn{U'¹', "1"},  StandIn{U'²', "2"},  StandIn{U'³', "3"},
    StandIn{U'⁴', "4"},  StandIn{U'⁵', "5"},  StandIn{U'⁶', "6"},  StandIn{U'⁷', "7"},
    StandIn{U'⁸', "8"},  StandIn{U'⁹', "9"},  StandIn{U'⁺', "+"},  StandIn{U'⁻', "-"},
    StandIn{U'₀', "0"},  StandIn{U'₁', "1"},  StandIn{U'₂', "2"},  StandIn{U'₃', "3"},
    StandIn{U'₄', "4"},  StandIn{U'₅', "5"},  StandIn{U'₆', "6"},  StandIn{U'₇', "7"},
    StandIn{U'₈', "8"},  StandIn{U'₉', "9"},  StandIn{U'₊', "+"},  StandIn{U'₋', "-"},
    // The wave dash and the minus sign of macOS and iOS; Windows has its
    // full-width tilde and hyphen-minus in their places.
    StandIn{U'\u301C', "～"}, StandIn{U'\u2212', "－"},
    // The yen sign would be written as the byte of the backslash.
    StandIn{U'\u00A5', "￥"},
    StandIn{U'\u00A0', " "},   // a no-break space
    StandIn{U'\u2013', "－"},  // an en dash, as word processors put it for a hyphen
    StandIn{U'\u2022', "・"},  // a bullet
    StandIn{U'\u00B7', "・"},  // a middle dot
    // Invisible: a byte order mark inside a text, a zero-width space.
    StandIn{U'\uFEFF', ""},
    StandIn{U'\u200B', ""},
};

}  // namespace

std::span<const StandIn> StandIns() { return kStandIns; }

std::optional<std::string_view> StandInFor(char32_t character) {
    const auto found = std::find_if(kStandIns.begin(), kStandIns.end(),
                                    [character](const StandIn& s) { return s.character == character; });
    if (found == kStandIns.end()) return std::nullopt;
    return found->instead;
}

}  // namespace soruberia::bankedit

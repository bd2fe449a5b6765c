// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

namespace soruberia {

inline constexpr int kIonCount = 12;

// The ions of buttons 1 to 12 as people write them; entry 0 is empty.
inline constexpr std::array<std::string_view, kIonCount + 1> kIonNames{
    "", "Ag⁺", "Al³⁺", "Ba²⁺", "Ca²⁺", "Cu²⁺", "Fe²⁺", "Fe³⁺", "Hg²⁺", "Mg²⁺", "Pb²⁺", "Sn²⁺", "Zn²⁺"};

// The name of ion `ionNumber`, or "" outside 1 to 12.
constexpr std::string_view IonName(int ionNumber) {
    return ionNumber >= 1 && ionNumber <= kIonCount ? kIonNames[static_cast<std::size_t>(ionNumber)]
                                                    : std::string_view();
}

}  // namespace soruberia

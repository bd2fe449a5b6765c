// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "content/IonNames.h"

namespace soruberia::bankedit {

// The correct ions of a question: a set of button numbers 1 to 12. Bit k
// stands for button k; other bits cannot be set, so a set holds no number
// outside the buttons, none twice, and its count is its size.
class IonSet {
public:
    static constexpr std::uint16_t kButtons = ((1u << (kIonCount + 1)) - 1u) & ~1u;

    constexpr IonSet() = default;
    // Bits outside 1..12 are dropped.
    static constexpr IonSet FromMask(unsigned mask) {
        IonSet set;
        set.mask_ = static_cast<std::uint16_t>(mask & kButtons);
        return set;
    }

    static constexpr bool IsButton(int button) { return button >= 1 && button <= kIonCount; }
    constexpr bool Has(int button) const { return IsButton(button) && (mask_ >> button & 1u) != 0; }
    // A number outside 1..12 is not added.
    constexpr void Add(int button) {
        if (IsButton(button)) mask_ = static_cast<std::uint16_t>(mask_ | 1u << button);
    }
    constexpr unsigned Mask() const { return mask_; }
    constexpr int Count() const { return std::popcount(mask_); }
    constexpr bool Empty() const { return mask_ == 0; }

    // Ascending.
    std::vector<int> Buttons() const {
        std::vector<int> buttons;
        for (int b = 1; b <= kIonCount; ++b) {
            if (Has(b)) buttons.push_back(b);
        }
        return buttons;
    }

    friend constexpr bool operator==(IonSet, IonSet) = default;

private:
    std::uint16_t mask_ = 0;
};

}  // namespace soruberia::bankedit

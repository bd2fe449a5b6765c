// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "bankedit/IonSet.h"

namespace soruberia::bankedit {

// A question to the hint window's table (layout/PrecipitateTable.h): which
// ions give this result with this reagent?
struct HintQuery {
    std::size_t reagent = 0;  // a column of layout::Reagents()
    std::string result;       // a colour word of that column, or kAnyPrecipitate or kNoPrecipitate

    friend bool operator==(const HintQuery&, const HintQuery&) = default;
};

inline constexpr std::string_view kAnyPrecipitate = "";
inline constexpr std::string_view kNoPrecipitate = "なし";

// The buttons of the ions the table gives; none for a reagent outside the
// table or a colour the column does not hold.
IonSet IonsOf(const HintQuery& query);

// The colour words of a column, in the order the table's rows first show
// them ("白", "褐" for CO₃²⁻).
std::vector<std::string> ResultsOf(std::size_t reagent);

// The column's head as plain text ("CO₃²⁻", "少量のNH₃水").
std::string ReagentLabel(std::size_t reagent);

}  // namespace soruberia::bankedit

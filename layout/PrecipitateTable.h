// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace soruberia::layout {

// The table of precipitates that the hint window shows: which of the game's
// twelve ions forms a precipitate with which reagent, and of what colour.
// The hint picture is drawn from it, screen readers read it, and the
// generated question bank picks its answers from it.
//
// Labels mark subscripts as _{3} and superscripts as ^{2-}: "CO_{3}^{2-}".
inline constexpr std::size_t kReagentCount = 10;

struct PrecipitateRow {
    int button;                 // the ion's button number, 1 (Ag⁺) to 12 (Zn²⁺)
    std::string_view ion;       // "Ca^{2+}"
    std::array<std::string_view, kReagentCount> colours;  // "" where none forms
};

// The title above the table.
std::string_view PrecipitateTitle();
// Column heads, left to right.
std::span<const std::string_view, kReagentCount> Reagents();
// One row per ion, greatest ionisation tendency first.
std::span<const PrecipitateRow> PrecipitateRows();

// A label with its sub- and superscripts as Unicode characters: "CO₃²⁻".
std::string PlainLabel(std::string_view marked);

}  // namespace soruberia::layout

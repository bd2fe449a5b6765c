// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace soruberia::appcore {

// The hint window's table of precipitates as a screen reader reads it: the
// title, then one line per ion in the table's order, naming each reagent
// that gives a precipitate and its colour:
//   "Ca²⁺：CO₃²⁻ 白、SO₄²⁻ 白"
std::string HintTableText();

}  // namespace soruberia::appcore

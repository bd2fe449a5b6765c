// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The hint window's table as assistive technology is given it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "appcore/HintFacts.h"

namespace soruberia::appcore {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(HintFacts, TheTitleThenOneLinePerIonWithEachPrecipitateAndItsColour) {
    const std::vector<std::string> lines = Lines(HintTableText());
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "沈殿ができる組み合わせ（重要度の低い沈殿は除外）。イオン化傾向の大きい順に");
    // Greatest tendency first; a reagent without precipitate is left out.
    EXPECT_EQ(lines[1], "Ca²⁺：CO₃²⁻ 白、SO₄²⁻ 白");
    EXPECT_EQ(lines[6], "Fe²⁺：少量のNH₃水 緑白、過剰のNH₃水 緑白、少量のNaOH液 緑白、過剰のNaOH液 緑白、塩基性でS²⁻ 黒");
    EXPECT_EQ(lines[12],
              "Ag⁺：Cl⁻ 白、CO₃²⁻ 褐、CrO₄²⁻ 赤褐、少量のNH₃水 褐、少量のNaOH液 褐、過剰のNaOH液 褐、塩基性でS²⁻ 黒、酸性でS²⁻ 黒");
}

}  // namespace
}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string_view>

#include "bankedit/HintQuery.h"

namespace soruberia::bankedit {

// The question to the hint table that a question's text asks, when it asks
// one plainly: one reagent of the table (希塩酸, K2CrO4, 過剰のアンモニア水,
// 酸性で硫化水素, …) and one result (白色沈殿, 黒色の硫化物, 沈殿が残る).
// A text that names another reagent as well, or any reagent the table lacks,
// or speaks of a precipitate not forming or dissolving, asks nothing that
// the table alone answers: none, so that no question is flagged wrongly.
std::optional<HintQuery> RecogniseQuery(std::string_view text);

}  // namespace soruberia::bankedit

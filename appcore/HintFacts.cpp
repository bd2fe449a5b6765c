// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/HintFacts.h"

#include "layout/PrecipitateTable.h"

namespace soruberia::appcore {

std::string HintTableText() {
    std::string text(layout::PrecipitateTitle());
    text += "。イオン化傾向の大きい順に";
    for (const layout::PrecipitateRow& row : layout::PrecipitateRows()) {
        text += '\n' + layout::PlainLabel(row.ion) + "：";
        bool first = true;
        for (std::size_t column = 0; column < layout::kReagentCount; ++column) {
            if (row.colours[column].empty()) continue;
            if (!first) text += "、";
            text += layout::PlainLabel(layout::Reagents()[column]) + ' ' + std::string(row.colours[column]);
            first = false;
        }
    }
    return text;
}

}  // namespace soruberia::appcore

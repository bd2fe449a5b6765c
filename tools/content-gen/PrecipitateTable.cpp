// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/PrecipitateTable.h"

#include <algorithm>

#include "layout/PrecipitateTable.h"

namespace soruberia::contentgen {

int PrecipitateTable::ColumnIndex(const std::string& label) const {
    const auto it = std::find(columns.begin(), columns.end(), label);
    return it == columns.end() ? -1 : static_cast<int>(it - columns.begin());
}

bool PrecipitateTable::HasColour(const std::string& colour) const {
    for (int b = 1; b <= kIonCount; ++b) {
        const auto& row = cells[static_cast<std::size_t>(b)];
        if (std::find(row.begin(), row.end(), colour) != row.end()) return true;
    }
    return false;
}

PrecipitateTable HintPrecipitateTable() {
    PrecipitateTable table;
    for (const std::string_view reagent : layout::Reagents()) table.columns.emplace_back(reagent);
    for (const layout::PrecipitateRow& row : layout::PrecipitateRows()) {
        const auto slot = static_cast<std::size_t>(row.button);
        table.ions[slot] = std::string(row.ion);
        table.cells[slot].assign(row.colours.begin(), row.colours.end());
    }
    return table;
}

}  // namespace soruberia::contentgen

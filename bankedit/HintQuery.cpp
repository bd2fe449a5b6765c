// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/HintQuery.h"

#include <algorithm>

#include "layout/PrecipitateTable.h"

namespace soruberia::bankedit {

IonSet IonsOf(const HintQuery& query) {
    IonSet ions;
    if (query.reagent >= layout::kReagentCount) return ions;
    for (const layout::PrecipitateRow& row : layout::PrecipitateRows()) {
        const std::string_view cell = row.colours[query.reagent];
        const bool matches = query.result == kAnyPrecipitate  ? !cell.empty()
                             : query.result == kNoPrecipitate ? cell.empty()
                                                              : cell == query.result;
        if (matches) ions.Add(row.button);
    }
    return ions;
}

std::vector<std::string> ResultsOf(std::size_t reagent) {
    std::vector<std::string> results;
    if (reagent >= layout::kReagentCount) return results;
    for (const layout::PrecipitateRow& row : layout::PrecipitateRows()) {
        const std::string_view cell = row.colours[reagent];
        if (!cell.empty() && std::find(results.begin(), results.end(), cell) == results.end()) {
            results.emplace_back(cell);
        }
    }
    return results;
}

std::string ReagentLabel(std::size_t reagent) {
    return reagent < layout::kReagentCount ? layout::PlainLabel(layout::Reagents()[reagent]) : std::string();
}

}  // namespace soruberia::bankedit

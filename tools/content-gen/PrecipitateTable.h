// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string>
#include <vector>

#include "content/IonNames.h"

namespace soruberia::contentgen {

// The hint window's table of precipitates, indexed for picking answers: per
// ion (by button number) and per reagent column, the colour of the
// precipitate, or an empty text where none forms.
struct PrecipitateTable {
    std::vector<std::string> columns;  // labels as in the header, e.g. "Cl^{-}"
    std::array<std::string, kIonCount + 1> ions;  // ions[button], entry 0 unused
    // cells[button][column]; entry 0 unused.
    std::array<std::vector<std::string>, kIonCount + 1> cells;

    int ColumnIndex(const std::string& label) const;  // -1 if unknown
    bool HasColour(const std::string& colour) const;  // anywhere in the table
};

PrecipitateTable HintPrecipitateTable();

}  // namespace soruberia::contentgen

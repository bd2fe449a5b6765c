// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/PrecipitateTable.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "content/FatalError.h"

namespace soruberia::contentgen {
namespace {

std::vector<std::string> SplitCommas(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (;;) {
        const auto comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

}  // namespace

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

PrecipitateTable LoadPrecipitateTable(const std::filesystem::path& csvPath) {
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) throw FatalError("cannot open " + csvPath.string());

    PrecipitateTable table;
    bool haveHeader = false;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const std::string where = csvPath.string() + ":" + std::to_string(lineNo);
        auto fields = SplitCommas(line);
        if (!haveHeader) {
            if (fields.size() < 3 || fields[0] != "button" || fields[1] != "ion")
                throw FatalError(where + ": header must begin with button,ion");
            table.columns.assign(fields.begin() + 2, fields.end());
            haveHeader = true;
            continue;
        }
        if (fields.size() != table.columns.size() + 2)
            throw FatalError(where + ": expected " + std::to_string(table.columns.size() + 2) +
                             " fields, found " + std::to_string(fields.size()));
        int button = 0;
        const auto& b = fields[0];
        const auto [end, ec] = std::from_chars(b.data(), b.data() + b.size(), button);
        if (ec != std::errc{} || end != b.data() + b.size() || button < 1 || button > kIonCount)
            throw FatalError(where + ": button number '" + b + "' is not 1 to 12");
        const auto slot = static_cast<std::size_t>(button);
        if (!table.ions[slot].empty())
            throw FatalError(where + ": button " + b + " is given twice");
        table.ions[slot] = fields[1];
        table.cells[slot].assign(fields.begin() + 2, fields.end());
    }
    if (!haveHeader) throw FatalError(csvPath.string() + ": no header row");
    for (int b = 1; b <= kIonCount; ++b)
        if (table.ions[static_cast<std::size_t>(b)].empty())
            throw FatalError(csvPath.string() + ": no row for button " + std::to_string(b));
    return table;
}

}  // namespace soruberia::contentgen

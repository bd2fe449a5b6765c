// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace soruberia::web {

// What the page must do after one event, in order: a JSON array of
// operations, each an object with "op" and its fields. The page applies
// them and decides nothing itself.
class PageOps {
public:
    // Starts an operation; fields follow, and End closes it.
    PageOps& Begin(std::string_view op);
    PageOps& Text(std::string_view name, std::string_view text);
    PageOps& Number(std::string_view name, double number);
    PageOps& Flag(std::string_view name, bool flag);
    PageOps& Null(std::string_view name);
    void End();

    // The operations since the last Take, as a JSON array; clears them.
    std::string Take();

private:
    std::string ops_;
};

}  // namespace soruberia::web

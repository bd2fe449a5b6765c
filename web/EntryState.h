// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "web/PageFiles.h"

namespace soruberia::web {

// What a module's entry keeps between the page's calls: the files handed
// in, and the string it returned last, which lives until the next call.
inline PageFiles& Files() {
    static PageFiles files;
    return files;
}

inline const char* Returned(std::string text) {
    static std::string returned;
    returned = std::move(text);
    return returned.c_str();
}

}  // namespace soruberia::web

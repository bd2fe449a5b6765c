// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/CheckModule.h"

#include <utility>

namespace soruberia::web {

PageFiles& CheckModuleFiles() {
    static PageFiles files;
    return files;
}

const char* Returned(std::string text) {
    static std::string returned;
    returned = std::move(text);
    return returned.c_str();
}

}  // namespace soruberia::web

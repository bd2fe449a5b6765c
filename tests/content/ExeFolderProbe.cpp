// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <cstdio>
#include <exception>

#include "content/ContentPaths.h"

int main() {
    try {
        std::fputs(soruberia::ExecutableFolder().c_str(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fputs(error.what(), stderr);
        return 1;
    }
}

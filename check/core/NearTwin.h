// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "check/core/ContentFolder.h"

namespace soruberia::check {

// For a file the game looks for and does not find: what lies beside it
// under nearly its name, and what to do about it, as a sentence to append
// ("。フォルダーにあるのは…"); empty when nothing does. Looked for, in this
// order: the name in other letter case, the name with a second extension
// (Windows hides a known one, so "mondai.txt" typed in Notepad may become
// "mondai.txt.txt"), the name with stray spaces, the name with another
// extension.
std::string NearTwinAdvice(const std::string& fullPath, ContentFolder& folder);

}  // namespace soruberia::check

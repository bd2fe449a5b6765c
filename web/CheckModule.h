// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "web/PageFiles.h"

// What the check module's entries share (CheckEntry.cpp for the check page,
// EditorEntry.cpp for the bank editor): the files the page handed in or the
// editor wrote, and the one returned string.
namespace soruberia::web {

PageFiles& CheckModuleFiles();

// Keeps `text` until the next call and gives it to the page.
const char* Returned(std::string text);

}  // namespace soruberia::web

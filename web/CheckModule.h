// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "web/EntryState.h"
#include "web/PageFiles.h"

// What the check module's entries share (CheckEntry.cpp for the check page,
// EditorEntry.cpp for the bank editor): the files the page handed in or the
// editor wrote, and the one returned string (EntryState.h).
namespace soruberia::web {

PageFiles& CheckModuleFiles();

}  // namespace soruberia::web

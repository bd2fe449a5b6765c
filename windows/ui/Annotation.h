// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <string>

namespace soruberia::windows {

// What a screen reader says of a control beyond its name, through the
// Dynamic Annotation API: the accessibility of a standard control keeps
// everything else. Where the system has no annotation service it is left
// out; the game does not depend on it. Used on the window thread, with COM.
void AnnotateDescription(HWND control, const std::wstring& description);

}  // namespace soruberia::windows

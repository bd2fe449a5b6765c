// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Read by the include check, never compiled: a plain-C++ file that reaches
// into Qt, the window systems and a layer above its own.
#include "refused/Beside.h"
#include "Beside.h"
#include "content/FatalError.h"
#include "contentish/Near.h"
#include "ui/MenuWindow.h"
#include "Missing.h"
#include <QString>
#include <QtCore/qstring.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#include <windowsx.h>
#include <AL/al.h>
#include <windows.h>
#include <iconv.h>
#include <vector>

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/KeyRepeat.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace soruberia::platform {

void AskForDetectableKeyRepeat() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) return;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

}  // namespace soruberia::platform

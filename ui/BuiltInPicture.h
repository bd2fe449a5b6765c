// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QString>

namespace soruberia::ui {

// A picture compiled into the program, such as ":/game/quit.png". On a
// screen of device pixel ratio above 1 its drawing at twice the size,
// ":/game/quit@2x.png", is taken instead, so the picture stays sharp while
// it keeps its size in device-independent pixels. QPixmap does not look for
// the @2x file by itself (QIcon does). A picture that is not there throws
// FatalError naming it.
QPixmap BuiltInPicture(const QString& path);

}  // namespace soruberia::ui

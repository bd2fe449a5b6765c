// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace soruberia::ui {

// A picture compiled into the program, named as the PNG file it is drawn
// as, such as ":/game/quit.png". The program holds it as the uncompressed
// bitmap ":/game/quit.bmp", which loads without decoding. On a screen of
// device pixel ratio above 1 its drawing at twice the size,
// ":/game/quit@2x.bmp", is taken instead, so the picture stays sharp while
// it keeps its size in device-independent pixels. A picture that is not
// there throws FatalError naming it.
QPixmap BuiltInPicture(const QString& path);

// The resource the picture named `path` is held in at `scale` (1 or 2).
QString BuiltInPictureResource(const QString& path, int scale);

// The pixels of a built-in picture's bitmap file: 32 bits a pixel, BI_RGB
// (Format_RGB32) or BI_BITFIELDS with the masks of Format_ARGB32, bottom-up.
// A null image for anything else, or a file too short for its pixels.
QImage DecodeBuiltInBitmap(QByteArrayView file);

}  // namespace soruberia::ui

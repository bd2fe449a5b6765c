// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QImage>

namespace soruberia::pictures {

// The picture as an uncompressed Windows bitmap file (.bmp), the form the
// windows load at start-up without decoding anything: 32 bits a pixel,
// blue, green, red and alpha bytes, which is the memory of a 32-bit QImage
// and of a Windows DIB section alike. A picture without an alpha channel
// is BI_RGB with the fourth byte 255; one with alpha has a BITMAPV5HEADER
// with BI_BITFIELDS masks and straight (not premultiplied) alpha. Rows run
// bottom-up, as every reader of the format expects.
QByteArray EncodeBitmap(const QImage& image);

}  // namespace soruberia::pictures

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/Face.h"

namespace soruberia::windows {

OwnedFace::~OwnedFace() {
    if (face_.bitmap != nullptr) DeleteObject(face_.bitmap);
}

OwnedFace& OwnedFace::operator=(OwnedFace&& other) noexcept {
    if (this != &other) {
        if (face_.bitmap != nullptr) DeleteObject(face_.bitmap);
        face_ = other.face_;
        other.face_ = Face{};
    }
    return *this;
}

void DrawFace(HDC dc, const Face& face, const RECT& dest) {
    if (face.Empty()) return;
    const int width = dest.right - dest.left;
    const int height = dest.bottom - dest.top;
    if (width <= 0 || height <= 0) return;
    const HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    const HGDIOBJ previous = SelectObject(source, face.bitmap);
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    if (width != face.width || height != face.height) SetStretchBltMode(dc, HALFTONE);
    AlphaBlend(dc, dest.left, dest.top, width, height, source, 0, 0, face.width, face.height,
               blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace soruberia::windows

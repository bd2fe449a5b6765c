// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/Face.h"

#include <cstring>
#include <vector>

#include "content/SmoothScale.h"

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

OwnedFace StretchedFace(const Face& face, int width, int height) {
    if (face.Empty() || face.pixels == nullptr || width <= 0 || height <= 0) return {};
    GdiFlush();
    const std::vector<std::uint32_t> pixels =
        media::ScaleSmoothly(face.pixels, face.width, face.height, width, height);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return {};
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return OwnedFace(Face{bitmap, width, height, face.logicalWidth, face.logicalHeight,
                          static_cast<const std::uint32_t*>(bits)});
}

}  // namespace soruberia::windows

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace soruberia::windows {

// A bitmap of premultiplied BGRA pixels and the size it stands for at
// 96 dpi: a 2× drawing of a 100 × 32 button face is 200 × 64 pixels that
// mean 100 × 32.
struct Face {
    HBITMAP bitmap = nullptr;
    int width = 0;  // pixels of the bitmap
    int height = 0;
    int logicalWidth = 0;  // pixels at 96 dpi
    int logicalHeight = 0;
    const std::uint32_t* pixels = nullptr;  // the bitmap's, row by row from the top

    bool Empty() const { return bitmap == nullptr; }
};

// Owns the bitmap of a face it made.
class OwnedFace {
public:
    OwnedFace() = default;
    explicit OwnedFace(Face face) : face_(face) {}
    ~OwnedFace();
    OwnedFace(OwnedFace&& other) noexcept : face_(other.face_) { other.face_ = Face{}; }
    OwnedFace& operator=(OwnedFace&& other) noexcept;
    OwnedFace(const OwnedFace&) = delete;
    OwnedFace& operator=(const OwnedFace&) = delete;

    const Face& Get() const { return face_; }

private:
    Face face_;
};

// Draws the face into dest, scaled to it, blending by the face's alpha.
// GDI's stretching of alpha pixels may only repeat them (Wine's does): a
// face for a box it fills is made at the box's size with StretchedFace.
void DrawFace(HDC dc, const Face& face, const RECT& dest);

// The face smoothly stretched to width × height pixels, standing for the
// same logical size, as the Qt program smooths a stretched picture; empty
// when the face has no pixels or there is no memory.
OwnedFace StretchedFace(const Face& face, int width, int height);

}  // namespace soruberia::windows

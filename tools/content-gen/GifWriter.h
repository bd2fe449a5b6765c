// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>

#include <filesystem>

namespace soruberia::contentgen {

// Writes the picture as a single-frame GIF. With `transparent`, pixels less
// than half opaque become the transparent index and the rest are written
// opaque. The palette is exact: a picture with more colours than a GIF holds
// is refused (FatalError), so the drawing must keep its colours few.
void WriteGif(const std::filesystem::path& path, const QImage& picture, bool transparent);

}  // namespace soruberia::contentgen

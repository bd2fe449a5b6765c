// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <variant>

#include <QImage>

namespace soruberia::platform {

// Why a picture file cannot be shown.
struct PictureFault {
    enum class Kind { kMissing, kCannotRead, kUnknownFormat, kBrokenData, kOther };
    Kind kind = Kind::kOther;
};

using PictureDecoding = std::variant<QImage, PictureFault>;

// Reads the file named in the program's form (basePath + "\図\maru.gif")
// with QImageReader, anew at every call: QPixmap(path) would go through
// QPixmapCache and show an old picture after the file changed.
PictureDecoding DecodePictureFile(const std::string& fullPath);

// The fault as a user reads it.
std::string DescribePictureFault(const PictureFault& fault);

}  // namespace soruberia::platform

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
    enum class Kind { kMissing, kCannotRead, kRefused, kUnknownFormat, kBrokenData, kOther };
    Kind kind = Kind::kOther;
    std::string reason;  // kRefused: the words of media::JudgePicture
};

using PictureDecoding = std::variant<QImage, PictureFault>;

// Reads the file named in the program's form (basePath + "\図\maru.gif")
// anew at every call (QPixmap(path) would go through QPixmapCache and show
// an old picture after the file changed), judges its bytes by the content
// rule (content/PictureJudgement.h) and decodes them with QImageReader.
PictureDecoding DecodePictureFile(const std::string& fullPath);

// The fault as a user reads it.
std::string DescribePictureFault(const PictureFault& fault);

}  // namespace soruberia::platform

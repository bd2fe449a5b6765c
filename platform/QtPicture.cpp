// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/QtPicture.h"

#include <variant>

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "platform/PictureFile.h"

namespace soruberia::platform {

engine::PicturePtr QtPictureLoader::Load(const std::string& fullPath) {
    PictureDecoding decoding = DecodePictureFile(fullPath);
    if (const auto* fault = std::get_if<PictureFault>(&decoding)) {
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" +
                         DescribePictureFault(*fault) + ")");
    }
    return std::make_shared<const QtPicture>(
        QPixmap::fromImage(std::move(std::get<QImage>(decoding))));
}

}  // namespace soruberia::platform

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PagePictures.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "content/ContentFile.h"
#include "content/ContentMessages.h"
#include "content/FatalError.h"
#include "content/PictureJudgement.h"

namespace soruberia::web {

PagePictures::PagePictures(const PageFiles& files, std::string basePath)
    : files_(files), basePath_(std::move(basePath)) {}

engine::PicturePtr PagePictures::Load(const std::string& fullPath) {
    std::string_view relative = fullPath;
    if (relative.substr(0, basePath_.size()) == basePath_) relative.remove_prefix(basePath_.size());
    const std::string path = PagePath(relative);
    const std::string* bytes = files_.Find(path);
    // The desktop programs' words for the same faults.
    if (bytes == nullptr && files_.TooLarge(path)) {
        ContentFailure failure;
        failure.fault = ContentFault::kTooLarge;
        failure.value = static_cast<std::int64_t>(PageFileLimit(path));
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" + DescribeFailure(failure) + ")");
    }
    if (bytes == nullptr) {
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (ファイルがありません)");
    }
    // The rule the desktop programs apply before their decoders: the
    // browser is handed only a whole picture within the size cap.
    const media::PictureJudgement judgement = media::JudgePicture(*bytes);
    if (!judgement.Accepted()) {
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" + judgement.fault + ")");
    }
    return std::make_shared<PagePicture>(path);
}

}  // namespace soruberia::web

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PagePictures.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "content/ContentFile.h"
#include "content/ContentMessages.h"
#include "content/FatalError.h"

namespace soruberia::web {

namespace {

bool StartsWith(std::string_view bytes, std::string_view signature) {
    return bytes.substr(0, signature.size()) == signature;
}

}  // namespace

bool LooksLikePicture(std::string_view bytes) {
    using namespace std::string_view_literals;
    return StartsWith(bytes, "GIF87a"sv) || StartsWith(bytes, "GIF89a"sv) ||
           StartsWith(bytes, "\x89PNG\r\n\x1a\n"sv) || StartsWith(bytes, "\xff\xd8\xff"sv) ||
           StartsWith(bytes, "BM"sv);
}

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
    if (!LooksLikePicture(*bytes)) {
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) +
                         " (画像として認識できない形式です)");
    }
    return std::make_shared<PagePicture>(path);
}

}  // namespace soruberia::web

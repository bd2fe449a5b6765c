// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/MarkedPictures.h"

#include <memory>
#include <utility>

#include "content/FatalError.h"

namespace soruberia::windows {

MarkedPicture::MarkedPicture(engine::PicturePtr read, std::string fullPath)
    : read_(std::move(read)), fullPath_(std::move(fullPath)) {
    picture_ = dynamic_cast<const WinPicture*>(read_.get());
    if (picture_ == nullptr) throw FatalError("画像を表示できません: ウィンドウで描けない画像です");
}

engine::PicturePtr MarkedPictures::Load(const std::string& fullPath) {
    return std::make_shared<const MarkedPicture>(loader_.Load(fullPath), fullPath);
}

}  // namespace soruberia::windows

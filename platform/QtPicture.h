// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>

#include "engine/Services.h"

namespace soruberia::platform {

// A content picture as the window shows it.
class QtPicture final : public engine::Picture {
public:
    explicit QtPicture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    const QPixmap& Pixmap() const { return pixmap_; }

private:
    QPixmap pixmap_;
};

// Reads the file anew at every call through DecodePictureFile, as the content
// checker does. A missing or undecodable file throws FatalError naming it.
class QtPictureLoader final : public engine::PictureLoader {
public:
    engine::PicturePtr Load(const std::string& fullPath) override;
};

}  // namespace soruberia::platform

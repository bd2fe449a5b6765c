// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "check/core/ContentFolder.h"

namespace soruberia::check {

// The content folders on disk, through the platform's file system.
class DiskFolder final : public ContentFolder {
public:
    Entry Look(const std::string& fullPath) override;
    std::variant<ContentFile, ContentFailure> Load(const std::string& fullPath) override;
    std::string Head(const std::string& fullPath, std::size_t count) override;
    std::vector<std::string> Names(const std::string& folderPath) override;
    std::string Display(const std::string& fullPath) override;
};

}  // namespace soruberia::check

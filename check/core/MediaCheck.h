// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "check/core/CheckServices.h"
#include "check/core/ContentFolder.h"
#include "content/Finding.h"

namespace soruberia::check {

// The 24 ion pictures and the two marks of folder 図, through the game's own
// picture decoder.
std::vector<Finding> CheckPictures(const std::string& basePath, ContentFolder& folder,
                                   PictureDecoder& decoder);

// The five sounds of folder 音, through the sound channel's own decoder and
// its limits.
std::vector<Finding> CheckSounds(const std::string& basePath, ContentFolder& folder,
                                 SoundDecoder& decoder);

// What to say of a file that is not there; names a file of the folder whose
// name differs only in case, as one copied from Windows may.
std::string MissingFileMessage(const std::string& fullPath, const std::string& role,
                               ContentFolder& folder);

}  // namespace soruberia::check

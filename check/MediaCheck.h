// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "content/BankInspection.h"

namespace soruberia::check {

// The 24 ion pictures and the two marks of folder 図, read as the game
// reads them.
std::vector<Finding> CheckPictures(const std::string& basePath);

// The five sounds of folder 音, decoded as the game's sound channel does.
std::vector<Finding> CheckSounds(const std::string& basePath);

// What to say of a file that is not there; names a file of the folder whose
// name differs only in case, as one copied from Windows may.
std::string MissingFileMessage(const std::string& fullPath, const std::string& role);

}  // namespace soruberia::check

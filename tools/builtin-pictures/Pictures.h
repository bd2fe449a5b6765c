// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "tools/builtin-pictures/Drawing.h"

#include <vector>

namespace soruberia::pictures {

void AddGamePictures(std::vector<Picture>& pictures);
void AddMenuPictures(std::vector<Picture>& pictures);
// The hint table, drawn from the table of precipitates.
void AddHintPictures(std::vector<Picture>& pictures);

}  // namespace soruberia::pictures

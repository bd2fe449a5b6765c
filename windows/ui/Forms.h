// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "windows/ui/FormSpec.h"

namespace soruberia::windows {

// The three windows' layout, as the Qt windows have it.
const FormSpec& MenuFormSpec();  // メニュー
const FormSpec& GameFormSpec();  // ソルベリア
const FormSpec& HintFormSpec();  // ヒント

}  // namespace soruberia::windows

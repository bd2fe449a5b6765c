// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/CheckModule.h"

namespace soruberia::web {

PageFiles& CheckModuleFiles() { return Files(); }

}  // namespace soruberia::web

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Read by the include check, never compiled: a header beside its user.
#pragma once
#include <string>

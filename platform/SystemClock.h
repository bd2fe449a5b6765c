// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/Services.h"

namespace soruberia::platform {

// Local time of day, seconds since midnight, single precision.
class SystemClock final : public engine::Clock {
public:
    float SecondsSinceMidnight() override;
};

}  // namespace soruberia::platform

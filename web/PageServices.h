// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "appcore/AppServices.h"
#include "engine/Services.h"
#include "web/PageOps.h"

namespace soruberia::web {

// The local time of day, from the browser's clock and time zone.
class PageClock final : public engine::Clock {
public:
    float SecondsSinceMidnight() override;
};

// The one sound channel is the page's: a sound to play (by its path
// relative to the page) or a stop becomes an operation. The page decodes
// and plays it, and goes on silent if it cannot.
class PageSound final : public appcore::SoundOutput {
public:
    PageSound(PageOps& ops, std::string basePath);
    std::unique_ptr<appcore::SoundChannel> Open() override;

private:
    PageOps& ops_;
    std::string basePath_;
};

}  // namespace soruberia::web

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageServices.h"

#include <chrono>
#include <ctime>
#include <string_view>
#include <utility>

#include "engine/DayClock.h"
#include "web/PageFiles.h"

namespace soruberia::web {

float PageClock::SecondsSinceMidnight() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = now.time_since_epoch();
    const auto wholeSeconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    const double fraction = std::chrono::duration<double>(sinceEpoch - wholeSeconds).count();
    return engine::DayClockReading(local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                                   fraction);
}

namespace {

class PageChannel final : public appcore::SoundChannel {
public:
    PageChannel(PageOps& ops, const std::string& basePath) : ops_(ops), basePath_(basePath) {}
    ~PageChannel() override { ops_.Begin("stop").End(); }

    void Play(const std::string& fullPath) override {
        std::string_view relative = fullPath;
        if (relative.substr(0, basePath_.size()) == basePath_) relative.remove_prefix(basePath_.size());
        ops_.Begin("play").Text("path", PagePath(relative)).End();
    }
    void Stop() override { ops_.Begin("stop").End(); }

private:
    PageOps& ops_;
    const std::string& basePath_;
};

}  // namespace

PageSound::PageSound(PageOps& ops, std::string basePath) : ops_(ops), basePath_(std::move(basePath)) {}

std::unique_ptr<appcore::SoundChannel> PageSound::Open() {
    return std::make_unique<PageChannel>(ops_, basePath_);
}

}  // namespace soruberia::web

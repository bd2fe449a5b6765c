// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "check/core/CheckServices.h"
#include "web/PageFolder.h"

// The page's pictures and sounds judged as the game page judges them
// before it hands them to the browser's own decoders, which the module
// cannot run: pictures by the content rule (content/PictureJudgement.h),
// sounds by JudgeWav (web/PageSound.h).
namespace soruberia::web {

class PagePictureRule final : public check::PictureDecoder {
public:
    explicit PagePictureRule(const PageFolder& folder) : folder_(folder) {}
    check::PictureDecoding Decode(const std::string& fullPath) override;

private:
    const PageFolder& folder_;
};

class PageSoundRule final : public check::SoundDecoder {
public:
    explicit PageSoundRule(const PageFolder& folder) : folder_(folder) {}
    check::SoundDecoding Decode(const std::string& fullPath) override;

private:
    const PageFolder& folder_;
};

}  // namespace soruberia::web

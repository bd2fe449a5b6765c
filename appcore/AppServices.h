// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "engine/Services.h"

namespace soruberia::appcore {

// The one sound channel of a run. Stop silences it at once.
class SoundChannel : public engine::SoundPlayer {
public:
    virtual void Stop() = 0;
};

// Opens the platform's sound device. The app core opens it once, with the
// game window: the menu makes no sound.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual std::unique_ptr<SoundChannel> Open() = 0;
};

// The menu's explanation line (the first line of setumei.txt), read when
// the menu loads. Throws FatalError (a ContentError) when it cannot be shown.
class ExplanationSource {
public:
    virtual ~ExplanationSource() = default;
    virtual std::string Line() = 0;
};

// Everything a run uses, built by the front-end at the program's edge.
struct AppServices {
    engine::PictureLoader& pictures;
    engine::Clock& clock;
    engine::RandomSource& random;
    engine::QuestionBankSource& bank;
    ExplanationSource& explanation;
    SoundOutput& sound;
};

}  // namespace soruberia::appcore

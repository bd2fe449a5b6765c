// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "GameView.h"
#include "content/ContentFile.h"

namespace soruberia::engine {

// Reads a picture from disk at every call. Throws FatalError naming the file
// if it is missing or not a picture.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual PicturePtr Load(const std::string& fullPath) = 0;
};

// The one sound channel: starts the file at once, cutting off whatever plays.
// Never throws for a file it cannot play; the game goes on silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const std::string& fullPath) = 0;
};

// Local time of day in seconds since midnight, [0, 86400) (DayClockReading).
class Clock {
public:
    virtual ~Clock() = default;
    virtual float SecondsSinceMidnight() = 0;
};

// Re-seeding folds the clock into the running state; it never restarts the
// sequence. Draw gives r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Reseed() = 0;
    virtual float Draw() = 0;
};

// The question bank's two files, fetched anew at every game start: the
// engine parses them. Throws ContentError for a file it cannot read.
class QuestionBankSource {
public:
    virtual ~QuestionBankSource() = default;
    virtual ContentFile QuestionTexts() = 0;  // mondai.txt
    virtual ContentFile AnswerKey() = 0;      // kotae.txt
};

// Requests the engine makes of the rest of the program.
class AppRequests {
public:
    virtual ~AppRequests() = default;
    virtual void OpenHint() = 0;
    virtual void EndProgram() = 0;  // the engine does nothing after this call
};

struct Services {
    PictureLoader& pictures;
    SoundPlayer& sound;
    Clock& clock;
    RandomSource& random;
    AppRequests& app;
    QuestionBankSource& bank;
};

}  // namespace soruberia::engine

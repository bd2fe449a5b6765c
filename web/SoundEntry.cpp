// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game page's question before it hands a sound file to the browser's
// decoder (web/site/sound.js): the check page's judgement, so that a sound
// the check page says will not be played is played by no browser.
#include <cstdint>
#include <string>

#include "content/ContentMessages.h"
#include "web/EntryState.h"
#include "web/PageFiles.h"
#include "web/PageSound.h"

extern "C" {

// Why the sound file held at a path relative to the page is not played
// (UTF-8), or "" when it is, or when no file is held there. Judged in
// place: the page copies nothing in again.
const char* soruberia_sound_fault(const char* pagePath) {
    using soruberia::web::Files;
    if (Files().TooLarge(pagePath)) {
        soruberia::ContentFailure failure;
        failure.fault = soruberia::ContentFault::kTooLarge;
        failure.value = static_cast<std::int64_t>(soruberia::web::PageFileLimit(pagePath));
        return soruberia::web::Returned(soruberia::DescribeFailure(failure));
    }
    const std::string* bytes = Files().Find(pagePath);
    return soruberia::web::Returned(bytes ? soruberia::web::JudgeWav(*bytes).fault : std::string());
}

}  // extern "C"

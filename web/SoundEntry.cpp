// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game page's question before it hands a sound file to the browser's
// decoder (web/site/sound.js): the check page's judgement, so that a sound
// the check page says will not be played is played by no browser.
#include <cstddef>
#include <string_view>

#include "web/EntryState.h"
#include "web/PageSound.h"

extern "C" {

// Why the sound file's bytes are not played (UTF-8), or "" when they are.
const char* soruberia_sound_fault(const char* bytes, std::size_t size) {
    return soruberia::web::Returned(soruberia::web::JudgeWav(std::string_view(bytes, size)).fault);
}

}  // extern "C"

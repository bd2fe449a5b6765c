// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Plays WAV files through the game's sound channel, one after another:
//   play-sounds.exe FILE MS [FILE MS]...
// names FILE and waits MS milliseconds before the next one (or the end), so
// a recording shows whether sounds are heard whole and cut each other off.
#include <windows.h>

#include <cstdio>
#include <string>

#include "windows/platform/Utf16.h"
#include "windows/platform/WaveOutChannel.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: play-sounds FILE MS [FILE MS]...\n", stderr);
        return 2;
    }
    soruberia::windows::WaveOutChannel channel;
    for (int i = 1; i + 1 < argc; i += 2) {
        channel.Play(soruberia::windows::Utf8(argv[i]));
        Sleep(static_cast<DWORD>(std::stoul(argv[i + 1])));
    }
    return 0;
}

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/FatalBox.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "windows/platform/Utf16.h"

namespace soruberia::windows {
namespace {

std::atomic_flag reporting = ATOMIC_FLAG_INIT;

}  // namespace

void ReportFatalAndExit(const std::string& message) {
    const std::string line = "ソルベリア: " + message + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    OutputDebugStringW(Utf16(line).c_str());

    // A second failure met while the first is on screen ends at once.
    if (!reporting.test_and_set()) {
        // The box runs its own message loop. Shown from the program's thread,
        // that loop would deliver the windows' timer ticks and clicks to the
        // program while the box is up; from a thread of its own, with this
        // thread waiting, nothing of the game can run any more.
        const std::wstring text = Utf16(message);
        std::thread box([&text] {
            MessageBoxW(nullptr, text.c_str(), L"ソルベリア",
                        MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
        });
        box.join();
    }

    // No destructor or library teardown may run while the sound device and
    // the windows are still live.
    std::fflush(nullptr);
    std::_Exit(1);
}

}  // namespace soruberia::windows

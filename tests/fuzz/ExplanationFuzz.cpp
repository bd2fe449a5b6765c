// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in setumei.txt either read or end the game with a clear message.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "content/ExplanationFile.h"
#include "content/FatalError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const soruberia::fuzz::FuzzFolder folder;
    folder.Write("setumei.txt", data, size);
    try {
        (void)soruberia::ReadExplanationLine(folder.Base());
    } catch (const soruberia::FatalError& e) {
        soruberia::fuzz::CheckMessage(e.what());
    }
    return 0;
}

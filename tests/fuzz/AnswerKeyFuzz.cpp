// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in kotae.txt either read or end the game with a clear message.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "content/FatalError.h"
#include "content/QuestionBank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const soruberia::fuzz::FuzzFolder folder;
    folder.Write("kotae.txt", data, size);
    soruberia::AnswerCountTable counts{};
    soruberia::AnswerKeyTable key{};
    try {
        soruberia::ReadAnswerKey(folder.Base(), 26, counts, key);
    } catch (const soruberia::FatalError& e) {
        soruberia::fuzz::CheckMessage(e.what());
    }
    return 0;
}

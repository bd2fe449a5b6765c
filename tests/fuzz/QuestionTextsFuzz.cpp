// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in mondai.txt either read or end the game with a clear message.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "content/FatalError.h"
#include "content/QuestionBank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const soruberia::fuzz::FuzzFolder folder;
    folder.Write("mondai.txt", data, size);
    soruberia::QuestionTextTable texts{};
    try {
        soruberia::ReadQuestionTexts(folder.Base(), 26, texts);
    } catch (const soruberia::FatalError& e) {
        soruberia::fuzz::CheckMessage(e.what());
    }
    return 0;
}

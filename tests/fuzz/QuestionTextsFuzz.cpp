// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in mondai.txt either read or end the game with a clear message,
// which the checker reports on the same line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "content/BankInspection.h"
#include "content/QuestionBank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const soruberia::ContentFile file{"mondai.txt", std::string(reinterpret_cast<const char*>(data), size)};
    try {
        (void)soruberia::ParseQuestionTexts(file, 26);
    } catch (const soruberia::ContentError& e) {
        soruberia::fuzz::CheckFailure(e, soruberia::InspectQuestionTexts(file.displayPath, file.bytes, 26).findings);
    }
    return 0;
}

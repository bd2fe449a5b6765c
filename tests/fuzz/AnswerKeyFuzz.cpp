// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in kotae.txt either read or end the game with a clear message,
// which the checker reports on the same line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "content/BankInspection.h"
#include "content/QuestionBank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const soruberia::ContentFile file{"kotae.txt", std::string(reinterpret_cast<const char*>(data), size)};
    try {
        (void)soruberia::ParseAnswerKey(file, 26);
    } catch (const soruberia::ContentError& e) {
        soruberia::fuzz::CheckFailure(e, soruberia::InspectAnswerKey(file.displayPath, file.bytes, 26));
    }
    return 0;
}

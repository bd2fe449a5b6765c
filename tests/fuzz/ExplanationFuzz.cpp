// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any bytes in setumei.txt either give the menu its line or end the program
// with a clear message, which the checker reports on the same line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "content/BankInspection.h"
#include "content/ExplanationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const soruberia::ContentFile file{"setumei.txt", std::string(reinterpret_cast<const char*>(data), size)};
    try {
        (void)soruberia::ParseExplanationLine(file);
    } catch (const soruberia::ContentError& e) {
        soruberia::fuzz::CheckFailure(e, soruberia::InspectExplanation(file.displayPath, file.bytes));
    }
    return 0;
}

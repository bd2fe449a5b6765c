// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace soruberia::fuzz {

// A program folder in the temporary directory whose 問題 file `name` holds
// the fuzzer's bytes; the readers take it from there as the game would.
class FuzzFolder {
public:
    FuzzFolder();
    const std::string& Base() const { return base_; }
    void Write(const char* name, const std::uint8_t* data, std::size_t size) const;

private:
    std::string base_;
};

// A message that ends the program must fit on one line of the failure box.
void CheckMessage(const char* message);

}  // namespace soruberia::fuzz

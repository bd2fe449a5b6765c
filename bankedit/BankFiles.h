// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace soruberia::bankedit {

// The names of the bank's three files in their folder.
inline constexpr std::string_view kTextsFile = "mondai.txt";
inline constexpr std::string_view kKeyFile = "kotae.txt";
inline constexpr std::string_view kExplanationFile = "setumei.txt";

// The bytes of a bank's three files; a file that is not there has none.
struct BankFiles {
    std::optional<std::string> texts;        // mondai.txt
    std::optional<std::string> key;          // kotae.txt
    std::optional<std::string> explanation;  // setumei.txt
};

// Which files were measured and left unread as larger than the readers
// take (a page reads none of a file that large).
struct TooLargeFiles {
    bool texts = false;
    bool key = false;
    bool explanation = false;
};

// What the writer makes: every file, in code page 932 with CR LF.
struct WrittenBank {
    std::string texts;
    std::string key;
    std::string explanation;
};

}  // namespace soruberia::bankedit

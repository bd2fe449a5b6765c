// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace soruberia {

// The folder a page's ?bank=FOLDER asks for: one below the page's own
// folder, never beside or above it, nor on another server.
struct BankFolderQuery {
    enum class Kind {
        kNone,     // no bank asked for: the page's own 問題
        kFolder,   // segments name a folder below the page
        kRefused,  // the value names no such folder
    };
    Kind kind = Kind::kNone;
    std::vector<std::string> segments;  // UTF-8, decoded once, each checked

    // "a/b": the folder as messages and the module name it; the page
    // fetches from it with every segment encoded.
    std::string Name() const;
};

// Reads `bank` from a query string ("?x=1&bank=a%2Fb", the '?' optional).
// The value is decoded exactly once, as a form is (+ is a space); a
// segment that is empty, "." or "..", or that holds \ % ? # or a control
// character, or bytes that are not UTF-8, refuses the whole value. Slashes
// at the end are dropped: "a/" is "a".
BankFolderQuery ReadBankFolderQuery(std::string_view query);

}  // namespace soruberia

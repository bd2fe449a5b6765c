// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/ContentFile.h"

namespace soruberia::web {

// The most bytes the page reads of a file at a path relative to the page:
// the readers' limit, and for a sound the largest WAV the game plays. The
// page measures a file before reading it, and reads none that is larger.
std::size_t PageFileLimit(std::string_view pagePath);

// A content file's path as the page fetches it: relative to the page, with
// slashes ("問題/mondai.txt" for "\問題\mondai.txt").
std::string PagePath(std::string_view relativePath);

// The content files the page fetched and handed in. The browser has no
// folder beside the program: the page fetches the files beside itself, and
// one it could not fetch is missing, as a file missing from the folder
// beside a desktop program is.
class PageFiles {
public:
    void Put(std::string pagePath, std::string bytes);
    // A file the page measured and did not read: larger than the readers
    // take (PageFileLimit), it is there for them, and refused as too large.
    void PutTooLarge(std::string pagePath);

    // The file of a relative path as LoadContentFile gives it from a folder:
    // named basePath + relativePath as the platform spells it, its bytes.
    // Throws ContentError for a file not handed in or one too large.
    ContentFile Read(const std::string& basePath, std::string_view relativePath) const;

    // The folder, relative to the page, that stands in for 問題: a bank of
    // the teacher's own beside the page, or the files picked on the device.
    // Its name is the one messages give.
    void SetBankFolder(std::string folder) { bankFolder_ = std::move(folder); }
    const std::string& BankFolder() const { return bankFolder_; }

    // Lets go of a file, or of every file below a folder, relative to the page.
    void Drop(std::string_view folder);

    // The bytes handed in for a path relative to the page, or null (also
    // for a file put as too large).
    const std::string* Find(std::string_view pagePath) const;
    bool TooLarge(std::string_view pagePath) const;

    // The paths handed in below a folder relative to the page, in order.
    std::vector<std::string> PathsBelow(std::string_view folder) const;

private:
    std::string Located(std::string_view relativePath) const;

    // A file put as too large holds no bytes.
    struct Held {
        std::string bytes;
        bool tooLarge = false;
    };
    std::map<std::string, Held, std::less<>> files_;
    std::string bankFolder_ = "問題";
};

}  // namespace soruberia::web

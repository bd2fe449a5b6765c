// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace soruberia::windows::test {

// A fresh program folder below %TEMP% whose own name is not ASCII either,
// with empty 問題, 図 and 音 below it; removed again with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // basePath: UTF-8, backslashes, no trailing separator.
    const std::string& Base() const { return base_; }
    std::filesystem::path Root() const { return root_; }
    // basePath followed by a relative path such as "\図\maru.gif".
    std::string Full(std::string_view relative) const { return base_ + std::string(relative); }

    // Writes bytes to a relative path such as "\図\maru.gif".
    void Write(std::string_view relative, std::string_view bytes) const;
    void Remove(std::string_view relative) const;

private:
    std::filesystem::path root_;
    std::string base_;
};

// The whole of a file of the source tree's data/ folder, e.g. "図/maru.gif".
std::string DataFile(std::string_view relative);

}  // namespace soruberia::windows::test

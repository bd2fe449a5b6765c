// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "content/ContentFailure.h"

namespace soruberia::test {

// UTF-8 text as Shift-JIS (code page 932) bytes, as the content files hold it.
std::string Sjis(std::string_view utf8);

// A fresh temporary program folder with an empty 問題 below it; removed
// again with everything in it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // basePath of the folder: no trailing separator.
    const std::string& Base() const { return base_; }
    std::filesystem::path Root() const;
    std::filesystem::path Texts() const { return Root() / std::filesystem::path(u8"問題"); }
    // How messages name a file of 問題, e.g. ".../問題/kotae.txt".
    std::string TextPath(std::string_view name) const;

    void Write(std::string_view name, std::string_view bytes) const;

private:
    std::string base_;
};

// The message of the FatalError that `action` throws; a test failure (and
// "") if it throws nothing. Its first line names the failure.
std::string FatalMessage(const std::function<void()>& action);

// The failure of the ContentError that `action` throws; a test failure (and
// an empty value) if it throws none.
ContentFailure ContentFailureOf(const std::function<void()>& action);

}  // namespace soruberia::test

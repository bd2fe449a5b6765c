// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "content/FatalError.h"

namespace soruberia::test {

std::string Sjis(std::string_view utf8) {
    iconv_t handle = iconv_open("CP932", "UTF-8");
    if (handle == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        throw std::runtime_error("iconv has no CP932");
    }
    const std::unique_ptr<std::remove_pointer_t<iconv_t>, decltype(&iconv_close)> closer(
        handle, &iconv_close);
    std::string in(utf8);
    std::string out(in.size() * 2 + 8, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text has no Shift-JIS form: " + std::string(utf8));
    }
    out.resize(out.size() - outLeft);
    return out;
}

TestFolder::TestFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "soruberia-content-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    base_ = pattern;
    std::filesystem::create_directory(Texts());
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Root(), ignored);
}

std::filesystem::path TestFolder::Root() const { return std::filesystem::path(base_); }

std::string TestFolder::TextPath(std::string_view name) const {
    return base_ + "/問題/" + std::string(name);
}

void TestFolder::Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(Texts() / std::filesystem::path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write the test file " + std::string(name));
    }
}

std::string FatalMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const FatalError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << message;
        return message;
    }
    ADD_FAILURE() << "expected a FatalError";
    return {};
}

}  // namespace soruberia::test

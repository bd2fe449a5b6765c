// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "content/FatalError.h"
#include "content/ShiftJis.h"

namespace soruberia::test {

std::string Sjis(std::string_view utf8) {
    sjis::Encoded encoded = sjis::Encode(utf8);
    if (encoded.unmappableAt) {
        throw std::runtime_error("text has no Shift-JIS form: " + std::string(utf8));
    }
    return std::move(encoded.cp932);
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
        EXPECT_EQ(message.find('\r'), std::string::npos) << message;
        return message;
    }
    ADD_FAILURE() << "expected a FatalError";
    return {};
}

ContentFailure ContentFailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ContentError& error) {
        return error.Failure();
    }
    ADD_FAILURE() << "expected a ContentError";
    return {};
}

}  // namespace soruberia::test

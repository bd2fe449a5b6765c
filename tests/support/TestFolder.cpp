// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <type_traits>

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
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
    // mkdtemp is POSIX only; a random name tried until one is free works on
    // both platforms.
    std::random_device seed;
    std::mt19937_64 names(seed());
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && base_.empty(); ++attempt) {
        const std::filesystem::path candidate =
            temp / ("soruberia-content-" + std::to_string(names()));
        if (std::filesystem::create_directory(candidate)) base_ = candidate.string();
    }
    if (base_.empty()) throw std::runtime_error("cannot create a temporary folder");
    std::filesystem::create_directory(Texts());
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Root(), ignored);
}

std::filesystem::path TestFolder::Root() const { return std::filesystem::path(base_); }

std::string TestFolder::TextPath(std::string_view name) const {
    return DisplayPath(FullPath(base_, "\\問題\\" + std::string(name)));
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

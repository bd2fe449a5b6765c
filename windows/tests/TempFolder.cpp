// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/tests/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "content/ContentPaths.h"

namespace soruberia::windows::test {
namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace

TempFolder::TempFolder() {
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path temp = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
        const fs::path candidate =
            temp / fs::path(u8"ソルベリア試験-" +
                            std::u8string(reinterpret_cast<const char8_t*>(
                                std::to_string(random()).c_str())));
        if (fs::create_directory(candidate)) root_ = candidate;
    }
    if (root_.empty()) throw std::runtime_error("cannot create a temporary folder");
    for (const char8_t* folder : {u8"問題", u8"図", u8"音"}) fs::create_directory(root_ / folder);
    base_ = Utf8(root_);
    while (!base_.empty() && base_.back() == '\\') base_.pop_back();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const {
    std::ofstream out(NativePath(Full(relative)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + Full(relative));
}

void TempFolder::Remove(std::string_view relative) const {
    std::filesystem::remove(NativePath(Full(relative)));
}

std::string DataFile(std::string_view relative) {
    // The source tree as Wine shows it: drive Z: is the root of the host.
    const std::string unixPath = std::string(SORUBERIA_DATA_DIR) + "/" + std::string(relative);
    std::ifstream in(std::filesystem::path(u8"Z:") /
                         std::filesystem::path(std::u8string(unixPath.begin(), unixPath.end())),
                     std::ios::binary);
    if (!in) throw std::runtime_error("cannot read data/" + std::string(relative));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace soruberia::windows::test

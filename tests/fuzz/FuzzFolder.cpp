// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "FuzzFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace soruberia::fuzz {

FuzzFolder::FuzzFolder() {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() /
                          ("soruberia-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(root / fs::path(u8"問題"));
    base_ = root.string();
}

void FuzzFolder::Write(const char* name, const std::uint8_t* data, std::size_t size) const {
    namespace fs = std::filesystem;
    std::ofstream out(fs::path(base_) / fs::path(u8"問題") / name,
                      std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CheckMessage(const char* message) {
    if (std::strchr(message, '\n') != nullptr || std::strchr(message, '\r') != nullptr) {
        std::abort();
    }
}

}  // namespace soruberia::fuzz

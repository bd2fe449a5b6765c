// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/DiskFolder.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "content/ContentPaths.h"

namespace soruberia::check {

namespace fs = std::filesystem;

ContentFolder::Entry DiskFolder::Look(const std::string& fullPath) {
    std::error_code error;
    const fs::file_status status = fs::status(NativePath(fullPath), error);
    if (status.type() == fs::file_type::not_found) return {Kind::kMissing, {}};
    if (error) return {Kind::kUnreadable, error.message()};
    if (fs::is_directory(status)) return {Kind::kFolder, {}};
    return {fs::is_regular_file(status) ? Kind::kFile : Kind::kOther, {}};
}

std::variant<ContentFile, ContentFailure> DiskFolder::Load(const std::string& fullPath) {
    return LoadContentFile(fullPath);
}

std::string DiskFolder::Head(const std::string& fullPath, std::size_t count) {
    std::ifstream in(NativePath(fullPath), std::ios::binary);
    std::string head(count, '\0');
    in.read(head.data(), static_cast<std::streamsize>(count));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

std::vector<std::string> DiskFolder::Names(const std::string& folderPath) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(NativePath(folderPath), error)) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    return names;
}

std::string DiskFolder::Display(const std::string& fullPath) { return DisplayPath(fullPath); }

}  // namespace soruberia::check

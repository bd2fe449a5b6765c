// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ContentFile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "content/ContentPaths.h"

namespace soruberia {

namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

ContentFailure FileFailure(ContentFault fault, std::string file, std::string detail = {}) {
    ContentFailure failure;
    failure.fault = fault;
    failure.file = std::move(file);
    failure.detail = std::move(detail);
    return failure;
}

}  // namespace

std::string DisplayPath(const std::string& fullPath) { return Utf8(NativePath(fullPath)); }

std::variant<ContentFile, ContentFailure> LoadContentFile(const std::string& fullPath) {
    namespace fs = std::filesystem;
    ContentFile file{DisplayPath(fullPath), {}};
    const fs::path path = NativePath(fullPath);

    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        std::error_code folderError;
        const fs::path folder = path.parent_path();
        if (!folder.empty() && !fs::is_directory(folder, folderError)) {
            return FileFailure(ContentFault::kFolderMissing, file.displayPath, Utf8(folder));
        }
        return FileFailure(ContentFault::kFileMissing, file.displayPath);
    }
    if (error) return FileFailure(ContentFault::kCannotOpen, file.displayPath, error.message());
    if (fs::is_directory(status)) return FileFailure(ContentFault::kIsFolder, file.displayPath);
    // A pipe or device could block or never end.
    if (!fs::is_regular_file(status)) return FileFailure(ContentFault::kNotRegularFile, file.displayPath);

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int cause = errno;
        return FileFailure(ContentFault::kCannotOpen, file.displayPath,
                           cause != 0 ? std::generic_category().message(cause) : "");
    }
    std::vector<char> chunk(64 * 1024);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        file.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (file.bytes.size() > kMaxContentFileBytes) {
            ContentFailure failure = FileFailure(ContentFault::kTooLarge, file.displayPath);
            failure.value = static_cast<std::int64_t>(kMaxContentFileBytes);
            return failure;
        }
    }
    if (in.bad()) return FileFailure(ContentFault::kReadFailed, file.displayPath);
    return file;
}

ContentFile ReadContentFile(const std::string& fullPath) {
    auto loaded = LoadContentFile(fullPath);
    if (auto* failure = std::get_if<ContentFailure>(&loaded)) throw ContentError(std::move(*failure));
    return std::move(std::get<ContentFile>(loaded));
}

}  // namespace soruberia

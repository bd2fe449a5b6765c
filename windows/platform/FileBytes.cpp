// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/FileBytes.h"

#include <windows.h>

#include <memory>

#include "content/ContentPaths.h"

namespace soruberia::windows {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

std::string OpenProblem(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return "ファイルがありません";
        case ERROR_PATH_NOT_FOUND:
            return "フォルダーがありません";
        case ERROR_ACCESS_DENIED:
            return "ファイルを開けません (アクセスが拒否されました)";
        default:
            return "ファイルを開けません (エラー " + std::to_string(error) + ")";
    }
}

}  // namespace

FileBytes ReadFileBytes(const std::string& fullPath, std::size_t maxBytes) {
    FileBytes result;
    const std::filesystem::path path = NativePath(fullPath);
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        result.problem = folder ? "ファイルではなくフォルダーです" : OpenProblem(error);
        return result;
    }
    const std::unique_ptr<void, HandleCloser> file(raw);
    // A folder, pipe or device opens too, but is no content file.
    if (GetFileType(raw) != FILE_TYPE_DISK) {
        result.problem = "ファイルではありません";
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(raw, &size) || size.QuadPart < 0) {
        result.problem = "ファイルの大きさが分かりません";
        return result;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.problem = "ファイルが大きすぎます";
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, 1u << 24));
        DWORD got = 0;
        if (!ReadFile(raw, result.bytes.data() + done, want, &got, nullptr)) {
            result.problem = "ファイルを読めません (エラー " + std::to_string(GetLastError()) + ")";
            result.bytes.clear();
            return result;
        }
        if (got == 0) break;  // the file shrank while it was read
        done += got;
    }
    result.bytes.resize(done);
    return result;
}

}  // namespace soruberia::windows

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ContentPaths.h"

#include <exception>
#include <system_error>

#include "content/FatalError.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace soruberia {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string FindExecutableFolder() {
#ifdef _WIN32
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            throw FatalError("プログラム自身のファイルが見つかりません (GetModuleFileNameW のエラー " +
                             std::to_string(GetLastError()) + ")");
        }
        if (length < size) {
            return Utf8(std::filesystem::path(std::wstring(buffer.data(), length)).parent_path());
        }
        if (buffer.size() >= 32768) {
            throw FatalError("プログラム自身のファイルのパスが 32767 文字を超えています");
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    // The kernel resolves every link on the way, so a link to the executable
    // still gives the folder the content lies in.
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw FatalError("プログラム自身のファイルが見つかりません (/proc/self/exe: " +
                         error.message() + ")");
    }
    return Utf8(exe.parent_path());
#endif
}

}  // namespace

std::string ExecutableFolder() {
    try {
        return FindExecutableFolder();
    } catch (const FatalError&) {
        throw;
    } catch (const std::exception& e) {
        throw FatalError(std::string("プログラム自身のフォルダーが分かりません (") + e.what() + ")");
    }
}

std::string DeriveBasePath(std::string_view executableFolder) {
    std::string base(executableFolder);
    if (!base.empty() && base.back() == kSeparator) {
        base.pop_back();
    }
    return base;
}

std::string FullPath(std::string_view basePath, std::string_view relativePath) {
    std::string full;
    full.reserve(basePath.size() + relativePath.size());
    full.append(basePath);
    full.append(relativePath);
    return full;
}

std::string IonPictureName(int ionNumber, bool found) {
    return std::string(found ? "\\図\\ion'(" : "\\図\\ion(") + std::to_string(ionNumber) +
           ").gif";
}

std::vector<std::string> GamePictures() {
    std::vector<std::string> pictures{std::string(paths::kMarkCorrect), std::string(paths::kMarkWrong)};
    for (int ion = 1; ion <= 12; ++ion) {
        for (const bool found : {false, true}) pictures.push_back(IonPictureName(ion, found));
    }
    return pictures;
}

std::filesystem::path NativePath(std::string_view fullPath) {
    std::u8string text;
    text.reserve(fullPath.size());
    for (const char c : fullPath) {
        text.push_back(c == '\\' ? static_cast<char8_t>(kSeparator) : static_cast<char8_t>(c));
    }
    return std::filesystem::path(text);
}

}  // namespace soruberia

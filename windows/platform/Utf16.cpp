// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/Utf16.h"

#include <windows.h>

namespace soruberia::windows {

std::wstring Utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int inLength = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, text.data(), length);
    return text;
}

std::string Utf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int inLength = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLength, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace soruberia::windows

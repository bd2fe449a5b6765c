// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// soruberia-check.exe: the content checker over the Windows services. The
// same report as on Linux; the question label measured with GDI and the
// label's own font, pictures through WIC and sounds through the game's WAV
// decoder.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <sstream>
#include <string>
#include <vector>

#include "banklink/ZlibDeflate.h"
#include "check/core/CheckerProgram.h"
#include "check/core/ContentCheck.h"
#include "windows/check/GdiQuestionLabel.h"
#include "windows/check/WindowsMedia.h"
#include "windows/platform/Utf16.h"

namespace {

// The arguments as typed, whatever the code page: from the wide command line.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(soruberia::windows::Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

// UTF-8 text to a console as characters, to a file or pipe as bytes.
void Write(DWORD which, const std::string& text) {
    if (text.empty()) return;
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = soruberia::windows::Utf16(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

class ComScope {
public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (started_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

}  // namespace

int main() {
    const auto check = [](const std::string& basePath) {
        const ComScope com;
        soruberia::windows::GdiQuestionLabel label;
        soruberia::windows::WicPictureDecoder pictures;
        soruberia::windows::WavSoundDecoder sounds;
        return soruberia::check::CheckContent(basePath, {label, pictures, sounds});
    };
    std::ostringstream out;
    std::ostringstream err;
    const int status = soruberia::check::RunChecker(Arguments(), check, out, err, soruberia::banklink::ZlibDeflate);
    Write(STD_OUTPUT_HANDLE, out.str());
    Write(STD_ERROR_HANDLE, err.str());
    return status;
}

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// ソルベリア on Windows: start-up. Derives the program's folder, shows the
// menu and hands over to the event loop; the program ends by a quit button,
// by closing its last window, or by a fatal failure (message box, status 1).
#include <windows.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "content/ContentPaths.h"
#include "windows/app/WinProgram.h"
#include "windows/platform/FatalBox.h"
#include "windows/ui/Dpi.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace soruberia;
    windows::BecomePerMonitorDpiAware();
    // WIC is a COM component, used from this, the window thread.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        windows::ReportFatalAndExit("COM を初期化できません");
    }
    std::unique_ptr<windows::WinProgram> app;
    // A missing or empty explanation file ends the program here, before any
    // window has been shown.
    windows::Guarded([&app] {
        app = std::make_unique<windows::WinProgram>(DeriveBasePath(ExecutableFolder()));
        app->Start();
    });
    const int status = app->Run();
    app.reset();
    CoUninitialize();
    return status;
}

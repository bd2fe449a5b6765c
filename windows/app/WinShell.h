// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "appcore/Shell.h"
#include "windows/ui/BuiltInPictures.h"
#include "windows/ui/FormWindow.h"

namespace soruberia::appcore {
class App;
}

namespace soruberia::windows {

// The window system as the app core asks for it, on the Windows API: the
// program's windows are FormWindows; one closed while one of its own
// handlers runs is deleted once that handler has returned to the event loop.
// Made on the window thread once COM runs.
class WinShell final : public appcore::Shell {
public:
    // The end action's last step: leaves the process. The program passes
    // ExitNow; a test may pass a step that records the call instead.
    using Terminate = std::function<void()>;

    explicit WinShell(Terminate terminate = ExitNow);
    ~WinShell() override;
    WinShell(const WinShell&) = delete;
    WinShell& operator=(const WinShell&) = delete;

    // The app core whose windows these are; before the first Create.
    void Serve(appcore::App& app) { app_ = &app; }

    // The open window, or null.
    FormWindow* Window(appcore::FormId form) const;

    // The event loop, until the app core leaves it; its exit status.
    int Run();
    // Deletes the windows closed since the last call.
    void DeleteClosed() { closed_.clear(); }

    [[noreturn]] static void ExitNow();

    appcore::FormView& Create(appcore::FormId form) override;
    void Show(appcore::FormId form) override;
    void Raise(appcore::FormId form) override;
    void Hide(appcore::FormId form) override;
    void Destroy(appcore::FormId form) override;
    void LeaveEventLoop() override;
    void EndProcess() override;

private:
    void ClosedByItsCloseBox(appcore::FormId form);

    Terminate terminate_;
    appcore::App* app_ = nullptr;
    BuiltInPictures builtIn_;
    std::array<std::unique_ptr<FormWindow>, 3> windows_;
    std::vector<std::unique_ptr<FormWindow>> closed_;
};

}  // namespace soruberia::windows

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPointer>

#include <array>
#include <functional>

#include "appcore/Shell.h"
#include "ui/FormWindow.h"

namespace soruberia::appcore {
class App;
}

namespace soruberia::app {

// The window system as the app core asks for it, in Qt: the program's
// windows are ui::FormWindow, each referred to by one pointer that empties
// itself when the window is deleted.
class QtShell final : public appcore::Shell {
public:
    // The end action's last step: leaves the process. The program passes
    // ExitNow; a test may pass a step that records the call instead.
    using Terminate = std::function<void()>;

    explicit QtShell(Terminate terminate = ExitNow);
    ~QtShell() override;
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    // The app core whose windows these are; before the first Create.
    void Serve(appcore::App& app) { app_ = &app; }

    // The open window, or null.
    ui::FormWindow* Window(appcore::FormId form) const;

    // Leaves the process at once with status 0: no destructor, no atexit
    // handler and no event runs any more.
    [[noreturn]] static void ExitNow();

    appcore::FormView& Create(appcore::FormId form) override;
    void Show(appcore::FormId form) override;
    void Raise(appcore::FormId form) override;
    void Hide(appcore::FormId form) override;
    void Destroy(appcore::FormId form) override;
    void LeaveEventLoop() override;
    void EndProcess() override;

private:
    Terminate terminate_;
    appcore::App* app_ = nullptr;
    std::array<QPointer<ui::FormWindow>, 3> windows_;
};

}  // namespace soruberia::app

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/app/WinShell.h"

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "appcore/App.h"

namespace soruberia::windows {

namespace {

std::size_t Slot(appcore::FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

WinShell::WinShell(Terminate terminate) : terminate_(std::move(terminate)) {}

WinShell::~WinShell() {
    // The windows go quietly with the program.
    for (std::unique_ptr<FormWindow>& window : windows_)
        if (window) window->SetOnDestroyed(nullptr);
}

FormWindow* WinShell::Window(appcore::FormId form) const { return windows_[Slot(form)].get(); }

appcore::FormView& WinShell::Create(appcore::FormId form) {
    if (app_ == nullptr) throw std::logic_error("WinShell::Create before Serve");
    auto window = std::make_unique<FormWindow>(form, builtIn_, *app_);
    window->SetOnDestroyed([this, form] { ClosedByItsCloseBox(form); });
    windows_[Slot(form)] = std::move(window);
    return *windows_[Slot(form)];
}

void WinShell::Show(appcore::FormId form) {
    if (FormWindow* window = Window(form)) window->Show();
}

void WinShell::Raise(appcore::FormId form) {
    if (FormWindow* window = Window(form)) window->BringToFront();
}

void WinShell::Hide(appcore::FormId form) {
    if (FormWindow* window = Window(form); window != nullptr && window->IsOpen())
        ShowWindow(window->Handle(), SW_HIDE);
}

void WinShell::Destroy(appcore::FormId form) {
    std::unique_ptr<FormWindow> window = std::move(windows_[Slot(form)]);
    if (!window) return;
    window->SetOnDestroyed(nullptr);
    window->Close();
    closed_.push_back(std::move(window));
}

void WinShell::ClosedByItsCloseBox(appcore::FormId form) {
    // The window is on its way out inside one of its own messages.
    closed_.push_back(std::move(windows_[Slot(form)]));
    if (app_ != nullptr) app_->Closed(form);
}

void WinShell::LeaveEventLoop() { PostQuitMessage(0); }

void WinShell::EndProcess() { terminate_(); }

void WinShell::ExitNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

int WinShell::Run() {
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        DeleteClosed();
    }
    return got < 0 ? EXIT_FAILURE : static_cast<int>(message.wParam);
}

}  // namespace soruberia::windows

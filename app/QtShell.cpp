// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "app/QtShell.h"

#include <QApplication>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace soruberia::app {

namespace {

std::size_t Slot(appcore::FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

QtShell::QtShell(Terminate terminate) : terminate_(std::move(terminate)) {
    // The app core says when the program ends, not the last window's closing.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

QtShell::~QtShell() {
    // Windows still open when the event loop has ended go with the program.
    for (QPointer<ui::FormWindow>& window : windows_) delete window.data();
}

ui::FormWindow* QtShell::Window(appcore::FormId form) const { return windows_[Slot(form)]; }

appcore::FormView& QtShell::Create(appcore::FormId form) {
    if (app_ == nullptr) throw std::logic_error("QtShell::Create before Serve");
    auto* window = new ui::FormWindow(form, *app_);
    windows_[Slot(form)] = window;
    return *window;
}

void QtShell::Show(appcore::FormId form) {
    ui::FormWindow* window = Window(form);
    if (window == nullptr) return;
    window->show();
}

void QtShell::Raise(appcore::FormId form) {
    ui::FormWindow* window = Window(form);
    if (window == nullptr) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void QtShell::Hide(appcore::FormId form) {
    if (ui::FormWindow* window = Window(form)) window->hide();
}

void QtShell::Destroy(appcore::FormId form) {
    // Deleted once the event that asked for it has returned.
    if (ui::FormWindow* window = Window(form)) window->CloseQuietly();
    windows_[Slot(form)] = nullptr;
}

void QtShell::LeaveEventLoop() { QCoreApplication::quit(); }

void QtShell::EndProcess() { terminate_(); }

void QtShell::ExitNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace soruberia::app

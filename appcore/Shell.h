// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "appcore/FormView.h"
#include "layout/Form.h"

namespace soruberia::appcore {

// The program's three windows.
enum class FormId { Menu, Game, Hint };

inline constexpr FormId kForms[] = {FormId::Menu, FormId::Game, FormId::Hint};

// The layout table a window is built from.
const layout::Form& FormOf(FormId form);

// The window system as the app core uses it; each front-end realises it.
// The app core decides when a window comes and goes; the front-end only
// makes it happen.
class Shell {
public:
    virtual ~Shell() = default;

    // Builds the window from its layout table, centred on the screen, not
    // yet shown. The view lives until Destroy or until the window is closed
    // by its close box (which the front-end reports with App::Closed).
    virtual FormView& Create(FormId form) = 0;
    // Shows the window and makes it the active one.
    virtual void Show(FormId form) = 0;
    // An open window to the front and active.
    virtual void Raise(FormId form) = 0;
    virtual void Hide(FormId form) = 0;
    // Closes the window for good. May come from one of the window's own
    // events: the front-end then deletes it once that event has returned.
    // Not reported back through App::Closed.
    virtual void Destroy(FormId form) = 0;
    // No window is left: the event loop ends and the program exits with 0.
    virtual void LeaveEventLoop() = 0;
    // The end action's last step: the process exits at once with status 0;
    // no handler and no destructor runs any more. In the program it does
    // not return.
    virtual void EndProcess() = 0;
};

}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "engine/GameView.h"

namespace soruberia::appcore {

// One open window as the app core drives it. Widgets are addressed by their
// names in the form's layout table ("Command1_7", "Label4", "Image1_3",
// "Timer2"); a front-end builds the window from that table and realises
// these operations on it, and nothing else.
class FormView {
public:
    virtual ~FormView() = default;

    // A label's text, UTF-8.
    virtual void SetText(std::string_view widget, const std::string& utf8Text) = 0;
    // A content picture on a button or picture box, in place of its built-in
    // one; null leaves the widget blank.
    virtual void SetPicture(std::string_view widget, engine::PicturePtr picture) = 0;
    virtual void SetVisible(std::string_view widget, bool visible) = 0;
    // The left edge, in twips; the top stays.
    virtual void MoveLeft(std::string_view widget, float twips) = 0;
    // Ticks every `milliseconds` from now; 0 stops the timer.
    virtual void SetTimer(std::string_view timer, int milliseconds) = 0;
    // The keyboard focus, or where it goes when the window becomes active.
    virtual void Focus(std::string_view widget) = 0;
    virtual bool HasFocusedWidget() const = 0;
    // What assistive technology says of the widget; replaces the table's.
    virtual void SetAccessible(std::string_view widget, const std::string& name,
                               const std::string& description) = 0;
};

}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "appcore/FormView.h"

namespace soruberia::appcore {

// What the menu asks of the rest of the program.
class MenuRequests {
public:
    virtual ~MenuRequests() = default;
    virtual void QuitProgram() = 0;  // Command1
    virtual void StartGame() = 0;    // Command3
};

// メニュー's rules: the title built up one tile per tick of Timer1, then the
// quit, explanation and start buttons; the explanation panel and back; where
// the keyboard focus goes.
class MenuFlow {
public:
    MenuFlow(FormView& view, MenuRequests& requests);

    // The window's load, before it is first shown.
    void Load(const std::string& explanationLine);
    void Tick(std::string_view timer);
    void Press(std::string_view button);

    std::int16_t RevealCounter() const { return revealCounter_; }

private:
    void ShowExplanation();
    void HideExplanation();

    FormView& view_;
    MenuRequests& requests_;
    std::int16_t revealCounter_ = 0;
};

}  // namespace soruberia::appcore

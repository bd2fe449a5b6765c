// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "layout/MenuLayout.h"
#include "windows/ui/FormWindow.h"

namespace soruberia::windows {

// メニュー: builds up the title one tile per tick of Timer1, then offers
// quit, explanation and start. The explanation lays a navy panel with the
// first line of setumei.txt over the title. Quit and start are requests to
// the rest of the program.
class MenuWindow final : public FormWindow {
public:
    static constexpr int kTileCount = layout::kTitleTileCount;

    struct Requests {
        std::function<void()> quit;
        std::function<void()> start;
    };

    // Creating the window loads it: the explanation line is read (throws
    // FatalError when setumei.txt is missing or empty) and Timer1 is armed,
    // all before the window is first shown.
    MenuWindow(const std::string& basePath, BuiltInPictures& pictures, Requests requests);

    std::int16_t RevealCounter() const { return revealCounter_; }

private:
    void Pressed(std::size_t widget) override;
    void TimerTicked(UINT_PTR timer) override;
    void ShowExplanation();
    void HideExplanation();

    Requests requests_;
    std::array<std::size_t, kTileCount> tiles_{};
    std::size_t label1_;
    std::size_t label2_;
    std::size_t command1_;
    std::size_t command2_;
    std::size_t command3_;
    std::size_t command4_;
    std::int16_t revealCounter_ = 0;
};

}  // namespace soruberia::windows

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "content/IonNames.h"
#include "engine/GameEngine.h"
#include "engine/GameView.h"
#include "engine/Services.h"
#include "layout/GameLayout.h"
#include "windows/ui/FormWindow.h"

namespace soruberia::windows {

// The game window. It holds no game logic: its load, its button presses and
// its timer ticks (SetTimer timers 1 to 6) go to the engine, and it realises
// the engine's widget operations. Content pictures come from the loader it
// is given, which must be MarkedPictures.
class GameWindow final : public FormWindow, private engine::GameView {
public:
    static constexpr int kTimerCount = layout::kGameTimerCount;

    // Creating the window loads it: the first game starts (and may throw
    // FatalError) before the window is first shown.
    GameWindow(std::string basePath, engine::Services services, BuiltInPictures& pictures);
    ~GameWindow() override;

    const engine::GameRecord& Record() const { return engine_->Record(); }

private:
    void Pressed(std::size_t widget) override;
    void TimerTicked(UINT_PTR timer) override;

    void SetLabelText(engine::TextLabel label, const std::string& utf8Text) override;
    void SetIonButtonPicture(int ionNumber, engine::PicturePtr picture) override;
    void SetMarkPicture(engine::PicturePtr picture, engine::Judgement judgement) override;
    void SetVisible(engine::Widget widget, bool visible) override;
    float GaugeLeft() const override { return gaugeLeft_; }
    void SetGaugeLeft(float twips) override;
    void SetTimerInterval(int timerNumber, int milliseconds) override;

    std::array<std::size_t, kIonCount + 1> ion_{};  // Command1(1..12); entry 0 unused
    std::size_t command2_;
    std::size_t command3_;
    std::size_t command4_;
    std::size_t label1_;
    std::size_t label3_;
    std::size_t label4_;
    std::array<std::size_t, 6> images_{};  // Image1..Image5; entry 0 unused
    float gaugeLeft_;
    std::unique_ptr<engine::GameEngine> engine_;
};

}  // namespace soruberia::windows

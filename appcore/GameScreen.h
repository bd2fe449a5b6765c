// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "appcore/FormView.h"
#include "appcore/GameFacts.h"
#include "engine/GameRecord.h"
#include "engine/GameView.h"

namespace soruberia::appcore {

// The engine's widget operations on the game window's FormView, by the
// widgets' layout names; and, after each event, the accessible facts of the
// game that changed.
class GameScreen final : public engine::GameView {
public:
    explicit GameScreen(FormView& view);

    void SetLabelText(engine::TextLabel label, const std::string& utf8Text) override;
    void SetIonButtonPicture(int ionNumber, engine::PicturePtr picture) override;
    void SetMarkPicture(engine::PicturePtr picture, engine::Judgement judgement) override;
    void SetVisible(engine::Widget widget, bool visible) override;
    float GaugeLeft() const override { return gaugeLeft_; }
    void SetGaugeLeft(float twips) override;
    void SetTimerInterval(int timerNumber, int milliseconds) override;

    // The facts of the game as the window shows it now.
    GameFacts Facts(const engine::GameRecord& record) const;
    // Hands the accessible texts that changed since the last call to the view.
    void Publish(const engine::GameRecord& record);

private:
    FormView& view_;
    float gaugeLeft_;
    std::optional<engine::Judgement> judgement_;  // of the mark picture set last
    bool markShown_ = false;
    std::vector<AccessibleText> published_;
};

}  // namespace soruberia::appcore

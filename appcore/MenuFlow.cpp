// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/MenuFlow.h"

#include <string>

#include "content/FatalError.h"
#include "layout/MenuLayout.h"

namespace soruberia::appcore {

namespace {

int RevealPeriodMs() {
    const layout::Widget* timer1 = layout::Find(layout::MenuWindow(), "Timer1");
    if (timer1 == nullptr || timer1->intervalMs <= 0) throw FatalError("メニュー: Timer1 に周期がありません");
    return timer1->intervalMs;
}

std::string TileName(int index) { return "Image1_" + std::to_string(index); }

}  // namespace

MenuFlow::MenuFlow(FormView& view, MenuRequests& requests) : view_(view), requests_(requests) {}

void MenuFlow::Load(const std::string& explanationLine) {
    revealCounter_ = 0;
    view_.SetText("Label2", explanationLine);
    view_.SetTimer("Timer1", RevealPeriodMs());
}

void MenuFlow::Tick(std::string_view timer) {
    if (timer != "Timer1") return;
    if (revealCounter_ >= layout::kTitleTileCount) {
        view_.SetVisible("Command1", true);
        view_.SetVisible("Command2", true);
        view_.SetVisible("Command3", true);
        // Until now nothing could take the focus. The start button gets it,
        // so a keyboard user can go on at once and a stray Space never quits.
        if (!view_.HasFocusedWidget()) view_.Focus("Command3");
        view_.SetTimer("Timer1", 0);  // for good: nothing arms it again
        return;
    }
    view_.SetVisible(TileName(revealCounter_), true);
    ++revealCounter_;
}

void MenuFlow::Press(std::string_view button) {
    if (button == "Command1") {
        requests_.QuitProgram();
    } else if (button == "Command2") {
        ShowExplanation();
    } else if (button == "Command3") {
        requests_.StartGame();
    } else if (button == "Command4") {
        HideExplanation();
    }
}

void MenuFlow::ShowExplanation() {
    view_.SetVisible("Command1", false);
    view_.SetVisible("Command2", false);
    view_.SetVisible("Command3", false);
    view_.SetVisible("Label1", true);
    view_.SetVisible("Label2", true);
    view_.SetVisible("Command4", true);
    // The button that had the focus is gone; its replacement takes it.
    view_.Focus("Command4");
}

void MenuFlow::HideExplanation() {
    view_.SetVisible("Command1", true);
    view_.SetVisible("Command2", true);
    view_.SetVisible("Command3", true);
    view_.SetVisible("Label1", false);
    view_.SetVisible("Label2", false);
    view_.SetVisible("Command4", false);
    view_.Focus("Command2");
}

}  // namespace soruberia::appcore

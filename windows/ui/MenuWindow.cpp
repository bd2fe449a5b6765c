// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/MenuWindow.h"

#include <string>
#include <utility>

#include "content/ExplanationFile.h"
#include "content/FatalError.h"
#include "windows/platform/Utf16.h"
#include "layout/MenuLayout.h"

namespace soruberia::windows {

namespace {

constexpr UINT_PTR kTimer1 = 1;

UINT RevealPeriodMs() {
    const layout::Widget* timer1 = layout::Find(layout::MenuWindow(), "Timer1");
    if (timer1 == nullptr || timer1->intervalMs <= 0) throw FatalError("メニュー: Timer1 has no period");
    return static_cast<UINT>(timer1->intervalMs);
}

}  // namespace

MenuWindow::MenuWindow(const std::string& basePath, BuiltInPictures& pictures, Requests requests)
    : FormWindow(layout::MenuWindow(), pictures),
      requests_(std::move(requests)),
      label1_(IndexOf("Label1")),
      label2_(IndexOf("Label2")),
      command1_(IndexOf("Command1")),
      command2_(IndexOf("Command2")),
      command3_(IndexOf("Command3")),
      command4_(IndexOf("Command4")) {
    for (std::size_t i = 0; i < tiles_.size(); ++i)
        tiles_[i] = IndexOf("Image1_" + std::to_string(i));
    revealCounter_ = 0;
    SetText(label2_, Utf16(ReadExplanationLine(basePath)));
    StartTimer(kTimer1, RevealPeriodMs());
}

void MenuWindow::TimerTicked(UINT_PTR timer) {
    if (timer != kTimer1) return;
    if (revealCounter_ >= kTileCount) {
        SetVisible(command1_, true);
        SetVisible(command2_, true);
        SetVisible(command3_, true);
        // Until now nothing could take the focus. The start button gets it,
        // so a keyboard user can go on at once and a stray Space never quits.
        if (!SomeWidgetHasFocus()) Focus(command3_);
        StopTimer(kTimer1);  // for good: nothing arms it again
        return;
    }
    SetVisible(tiles_[static_cast<std::size_t>(revealCounter_)], true);
    ++revealCounter_;
}

void MenuWindow::Pressed(std::size_t widget) {
    if (widget == command1_) {
        requests_.quit();
    } else if (widget == command2_) {
        ShowExplanation();
    } else if (widget == command3_) {
        requests_.start();
    } else if (widget == command4_) {
        HideExplanation();
    }
}

void MenuWindow::ShowExplanation() {
    SetVisible(command1_, false);
    SetVisible(command2_, false);
    SetVisible(command3_, false);
    SetVisible(label1_, true);
    SetVisible(label2_, true);
    SetVisible(command4_, true);
    // The button that had the focus is gone; its replacement takes it.
    Focus(command4_);
}

void MenuWindow::HideExplanation() {
    SetVisible(command1_, true);
    SetVisible(command2_, true);
    SetVisible(command3_, true);
    SetVisible(label1_, false);
    SetVisible(label2_, false);
    SetVisible(command4_, false);
    Focus(command2_);
}

}  // namespace soruberia::windows

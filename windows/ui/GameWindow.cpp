// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/GameWindow.h"

#include <string>
#include <utility>

#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "content/IonNames.h"
#include "windows/platform/Utf16.h"
#include "windows/platform/WicPicture.h"
#include "windows/ui/MarkedPictures.h"
#include "layout/GameLayout.h"

namespace soruberia::windows {

namespace {

const MarkedPicture* MarkedOf(const engine::PicturePtr& picture) {
    if (!picture) return nullptr;
    const auto* marked = dynamic_cast<const MarkedPicture*>(picture.get());
    if (marked == nullptr) throw FatalError("画像を表示できません: ゲームの画面の画像読み込みで読んだ画像ではありません");
    return marked;
}

Face FaceOf(const engine::PicturePtr& picture) {
    const MarkedPicture* marked = MarkedOf(picture);
    if (marked == nullptr) return Face{};
    const WinPicture& read = marked->Picture();
    return Face{read.Bitmap(), read.Width(), read.Height(), read.Width(), read.Height()};
}

}  // namespace

GameWindow::GameWindow(std::string basePath, engine::Services services, BuiltInPictures& pictures)
    : FormWindow(layout::GameWindow(), pictures),
      command2_(IndexOf("Command2")),
      command3_(IndexOf("Command3")),
      command4_(IndexOf("Command4")),
      label1_(IndexOf("Label1")),
      label3_(IndexOf("Label3")),
      label4_(IndexOf("Label4")),
      gaugeLeft_(static_cast<float>(layout::kGaugeHomeLeft)) {
    for (int i = 1; i <= kIonCount; ++i)
        ion_[static_cast<std::size_t>(i)] = IndexOf("Command1_" + std::to_string(i));
    for (std::size_t i = 1; i < images_.size(); ++i) images_[i] = IndexOf("Image" + std::to_string(i));
    Focus(ion_[1]);
    engine_ = std::make_unique<engine::GameEngine>(std::move(basePath),
                                                   static_cast<engine::GameView&>(*this), services);
    engine_->Load();
}

GameWindow::~GameWindow() {
    // The close box ends the game on the spot: no tick after this.
    for (int n = 1; n <= kTimerCount; ++n) StopTimer(static_cast<UINT_PTR>(n));
}

void GameWindow::Pressed(std::size_t widget) {
    for (int i = 1; i <= kIonCount; ++i) {
        if (ion_[static_cast<std::size_t>(i)] == widget) {
            engine_->PressIon(i);
            return;
        }
    }
    if (widget == command2_) {
        engine_->PressQuit();
    } else if (widget == command3_) {
        engine_->PressHint();
    } else if (widget == command4_) {
        engine_->PressRetry();
    }
}

void GameWindow::TimerTicked(UINT_PTR timer) {
    if (timer >= 1 && timer <= kTimerCount) engine_->Tick(static_cast<int>(timer));
}

void GameWindow::SetLabelText(engine::TextLabel label, const std::string& utf8Text) {
    const std::size_t target = label == engine::TextLabel::Label1   ? label1_
                               : label == engine::TextLabel::Label3 ? label3_
                                                                    : label4_;
    SetText(target, Utf16(utf8Text));
}

void GameWindow::SetIonButtonPicture(int ionNumber, engine::PicturePtr picture) {
    if (ionNumber < 1 || ionNumber > kIonCount)
        throw FatalError("イオンのボタンがありません: Command1(" + std::to_string(ionNumber) + ")");
    const std::size_t button = ion_[static_cast<std::size_t>(ionNumber)];
    SetFace(button, FaceOf(picture), picture);
    // The engine flags a found ion before it gives the button its found
    // picture, and clears the flags before the plain ones.
    const bool found = engine_->Record().foundFlags[static_cast<std::size_t>(ionNumber)].IsSet();
    const std::wstring name = Utf16(kIonNames[static_cast<std::size_t>(ionNumber)]);
    SetText(button, found ? name + L" 正解済み" : name);
}

void GameWindow::SetMarkPicture(engine::PicturePtr picture, engine::Judgement) {
    const MarkedPicture* marked = MarkedOf(picture);
    const std::size_t image3 = images_[3];
    SetFace(image3, FaceOf(picture), picture);
    const bool correct = marked != nullptr && marked->FullPath().ends_with(paths::kMarkCorrect);
    SetText(image3, marked == nullptr ? L"" : correct ? L"正解" : L"不正解");
}

void GameWindow::SetVisible(engine::Widget widget, bool visible) {
    std::size_t target = command4_;
    switch (widget) {
        case engine::Widget::Image1: target = images_[1]; break;
        case engine::Widget::Image2: target = images_[2]; break;
        case engine::Widget::Image3: target = images_[3]; break;
        case engine::Widget::Image4: target = images_[4]; break;
        case engine::Widget::Image5: target = images_[5]; break;
        case engine::Widget::Command4: target = command4_; break;
    }
    FormWindow::SetVisible(target, visible);
    // The retry is all that is left to do after a won game; a keyboard user
    // finds it at once. Hidden, it hands the focus on by itself.
    if (widget == engine::Widget::Command4 && visible) Focus(command4_);
}

void GameWindow::SetGaugeLeft(float twips) {
    gaugeLeft_ = twips;
    MoveLeft(images_[1], twips);
}

void GameWindow::SetTimerInterval(int timerNumber, int milliseconds) {
    if (timerNumber < 1 || timerNumber > kTimerCount)
        throw FatalError("タイマーがありません: Timer" + std::to_string(timerNumber));
    const auto timer = static_cast<UINT_PTR>(timerNumber);
    if (milliseconds > 0) {
        StartTimer(timer, static_cast<UINT>(milliseconds));
    } else {
        StopTimer(timer);
    }
}

}  // namespace soruberia::windows

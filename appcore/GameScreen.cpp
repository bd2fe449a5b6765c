// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/GameScreen.h"

#include <cstddef>
#include <utility>

#include "appcore/WidgetNames.h"
#include "content/FatalError.h"
#include "content/IonNames.h"
#include "layout/GameLayout.h"

namespace soruberia::appcore {

namespace {

const char* LabelName(engine::TextLabel label) {
    switch (label) {
        case engine::TextLabel::Label1: return "Label1";
        case engine::TextLabel::Label3: return "Label3";
        case engine::TextLabel::Label4: return "Label4";
    }
    return "Label1";
}

const char* WidgetName(engine::Widget widget) {
    switch (widget) {
        case engine::Widget::Image1: return "Image1";
        case engine::Widget::Image2: return "Image2";
        case engine::Widget::Image3: return "Image3";
        case engine::Widget::Image4: return "Image4";
        case engine::Widget::Image5: return "Image5";
        case engine::Widget::Command4: return "Command4";
    }
    return "Image1";
}

}  // namespace

GameScreen::GameScreen(FormView& view)
    : view_(view), gaugeLeft_(static_cast<float>(layout::kGaugeHomeLeft)) {}

void GameScreen::SetLabelText(engine::TextLabel label, const std::string& utf8Text) {
    view_.SetText(LabelName(label), utf8Text);
}

void GameScreen::SetIonButtonPicture(int ionNumber, engine::PicturePtr picture) {
    if (ionNumber < 1 || ionNumber > kIonCount)
        throw FatalError("ゲーム画面にイオンのボタン Command1(" + std::to_string(ionNumber) + ") がありません");
    view_.SetPicture(IonButtonName(ionNumber), std::move(picture));
}

void GameScreen::SetMarkPicture(engine::PicturePtr picture, engine::Judgement judgement) {
    judgement_ = picture ? std::optional(judgement) : std::nullopt;
    view_.SetPicture("Image3", std::move(picture));
}

void GameScreen::SetVisible(engine::Widget widget, bool visible) {
    if (widget == engine::Widget::Image3) markShown_ = visible;
    view_.SetVisible(WidgetName(widget), visible);
    // The retry is all that is left to do after a won game; a keyboard user
    // finds it at once. Hidden, it hands the focus on by itself.
    if (widget == engine::Widget::Command4 && visible) view_.Focus("Command4");
}

void GameScreen::SetGaugeLeft(float twips) {
    gaugeLeft_ = twips;
    view_.MoveLeft("Image1", twips);
}

void GameScreen::SetTimerInterval(int timerNumber, int milliseconds) {
    if (timerNumber < 1 || timerNumber > layout::kGameTimerCount)
        throw FatalError("ゲーム画面にタイマー Timer" + std::to_string(timerNumber) + " がありません");
    view_.SetTimer(TimerName(timerNumber), milliseconds);
}

GameFacts GameScreen::Facts(const engine::GameRecord& record) const {
    return FactsOf(record, markShown_ ? judgement_ : std::nullopt);
}

void GameScreen::Publish(const engine::GameRecord& record) {
    std::vector<AccessibleText> texts = AccessibleTexts(Facts(record));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i < published_.size() && published_[i] == texts[i]) continue;
        view_.SetAccessible(texts[i].widget, texts[i].name, texts[i].description);
    }
    published_ = std::move(texts);
}

}  // namespace soruberia::appcore

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

namespace soruberia::engine {

// A picture read from a content file. Opaque to the engine: the platform's
// loader makes it and the window shows it.
class Picture {
public:
    virtual ~Picture() = default;
};
using PicturePtr = std::shared_ptr<const Picture>;

enum class TextLabel { Label1, Label3, Label4 };
enum class Widget { Image1, Image2, Image3, Image4, Image5, Command4 };
// What the judgement mark Image3 says of the last press.
enum class Judgement { Correct, Wrong };

// The operations the engine performs on the game window's widgets.
class GameView {
public:
    virtual ~GameView() = default;
    virtual void SetLabelText(TextLabel label, const std::string& utf8Text) = 0;
    virtual void SetIonButtonPicture(int ionNumber, PicturePtr picture) = 0;  // 1..12
    virtual void SetMarkPicture(PicturePtr picture, Judgement judgement) = 0;  // Image3
    virtual void SetVisible(Widget widget, bool visible) = 0;
    virtual float GaugeLeft() const = 0;  // left edge of Image1, twips
    virtual void SetGaugeLeft(float twips) = 0;
    virtual void SetTimerInterval(int timerNumber, int milliseconds) = 0;  // Timer1..6
};

}  // namespace soruberia::engine

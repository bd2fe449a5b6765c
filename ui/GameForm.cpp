// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/GameForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <cmath>
#include <memory>
#include <utility>

#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "content/IonNames.h"
#include "engine/GameEngine.h"
#include "engine/GameView.h"
#include "layout/GameLayout.h"
#include "platform/QtPicture.h"
#include "ui/Fonts.h"
#include "ui/FormWidgets.h"
#include "ui/GuardedConnect.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

constexpr int kTimerCount = layout::kGameTimerCount;

// A content picture with the file it was read from, so that the window can
// tell a screen reader which judgement mark it shows.
class ContentPicture final : public engine::Picture {
public:
    ContentPicture(QPixmap pixmap, std::string fullPath)
        : pixmap_(std::move(pixmap)), fullPath_(std::move(fullPath)) {}
    const QPixmap& Pixmap() const { return pixmap_; }
    const std::string& FullPath() const { return fullPath_; }

private:
    QPixmap pixmap_;
    std::string fullPath_;
};

// Remembers which file each picture of the program's loader came from.
class ContentPictureLoader final : public engine::PictureLoader {
public:
    explicit ContentPictureLoader(engine::PictureLoader& loader) : loader_(loader) {}

    engine::PicturePtr Load(const std::string& fullPath) override {
        const engine::PicturePtr picture = loader_.Load(fullPath);
        const auto* read = dynamic_cast<const platform::QtPicture*>(picture.get());
        if (read == nullptr) throw FatalError("GameForm: the picture loader gave no QtPicture");
        return std::make_shared<const ContentPicture>(read->Pixmap(), fullPath);
    }

private:
    engine::PictureLoader& loader_;
};

const ContentPicture* ContentOf(const engine::PicturePtr& picture) {
    if (!picture) return nullptr;
    const auto* content = dynamic_cast<const ContentPicture*>(picture.get());
    if (content == nullptr) throw FatalError("GameForm: a picture not made by the window's picture loader");
    return content;
}

QPixmap PixmapOf(const engine::PicturePtr& picture) {
    const ContentPicture* content = ContentOf(picture);
    return content != nullptr ? content->Pixmap() : QPixmap();
}

QString IonAccessibleName(int ionNumber) { return ToQString(IonName(ionNumber)); }

}  // namespace

struct GameForm::Parts final : engine::GameView {
    Parts(GameForm& window, std::string basePath, const GameServices& services)
        : widgets(window, layout::GameWindow()),
          pictures(services.pictures),
          sound(services.sound),
          engine(std::move(basePath), *this,
                 engine::Services{pictures, services.sound, services.clock, services.random,
                                  services.app, services.bank}) {
        for (int i = 1; i <= kIonCount; ++i)
            ion[static_cast<std::size_t>(i)] =
                widgets.Get<PictureButton>("Command1_" + std::to_string(i));
        for (int n = 1; n <= kTimerCount; ++n)
            timers[static_cast<std::size_t>(n)] = widgets.Get<QTimer>("Timer" + std::to_string(n));
    }

    void SetLabelText(engine::TextLabel label, const std::string& utf8Text) override {
        QLabel* target = label == engine::TextLabel::Label1   ? label1
                         : label == engine::TextLabel::Label3 ? label3
                                                              : label4;
        target->setText(QString::fromStdString(utf8Text));
    }

    void SetIonButtonPicture(int ionNumber, engine::PicturePtr picture) override {
        if (ionNumber < 1 || ionNumber > kIonCount)
            throw FatalError("GameForm: no ion button Command1(" + std::to_string(ionNumber) + ")");
        PictureButton* button = ion[static_cast<std::size_t>(ionNumber)];
        button->SetPicture(PixmapOf(picture));
        // The engine flags a found ion before it gives the button its found
        // picture, and clears the flags before the plain ones.
        const bool found = engine.Record().foundFlags[static_cast<std::size_t>(ionNumber)].IsSet();
        const QString name = IonAccessibleName(ionNumber);
        button->setAccessibleName(found ? name + QStringLiteral(" 正解済み") : name);
    }

    void SetMarkPicture(engine::PicturePtr picture, engine::Judgement) override {
        const ContentPicture* content = ContentOf(picture);
        SetBoxPicture(*image3, PixmapOf(picture));
        const bool correct =
            content != nullptr && content->FullPath().ends_with(paths::kMarkCorrect);
        image3->setAccessibleName(content == nullptr ? QString()
                                  : correct          ? QStringLiteral("正解")
                                                     : QStringLiteral("不正解"));
    }

    void SetVisible(engine::Widget widget, bool visible) override {
        QWidget* target = nullptr;
        switch (widget) {
            case engine::Widget::Image1: target = image1; break;
            case engine::Widget::Image2: target = image2; break;
            case engine::Widget::Image3: target = image3; break;
            case engine::Widget::Image4: target = image4; break;
            case engine::Widget::Image5: target = image5; break;
            case engine::Widget::Command4: target = command4; break;
        }
        target->setVisible(visible);
        // The retry is all that is left to do after a won game; a keyboard
        // user finds it at once. Hidden, it hands the focus on by itself.
        if (widget == engine::Widget::Command4 && visible) command4->setFocus();
    }

    float GaugeLeft() const override { return gaugeLeft; }

    void SetGaugeLeft(float twips) override {
        gaugeLeft = twips;
        image1->move(TwipsToPixels(twips), image1->y());
        const float home = static_cast<float>(engine.Record().gaugeHomeLeft);
        const long level = std::lround((twips - home) / static_cast<float>(layout::kGaugeStep));
        image1->setAccessibleDescription(QStringLiteral("ミス %1 回").arg(level));
    }

    void SetTimerInterval(int timerNumber, int milliseconds) override {
        if (timerNumber < 1 || timerNumber > kTimerCount)
            throw FatalError("GameForm: no timer Timer" + std::to_string(timerNumber));
        QTimer* timer = timers[static_cast<std::size_t>(timerNumber)];
        if (milliseconds > 0)
            timer->start(milliseconds);
        else
            timer->stop();
    }

    FormWidgets widgets;
    std::array<PictureButton*, kIonCount + 1> ion{};  // Command1(1..12); entry 0 unused
    PictureButton* command2 = widgets.Get<PictureButton>("Command2");
    PictureButton* command3 = widgets.Get<PictureButton>("Command3");
    PictureButton* command4 = widgets.Get<PictureButton>("Command4");
    QLabel* label1 = widgets.Get<QLabel>("Label1");
    QLabel* label3 = widgets.Get<QLabel>("Label3");
    QLabel* label4 = widgets.Get<QLabel>("Label4");
    QLabel* image1 = widgets.Get<QLabel>("Image1");
    QLabel* image2 = widgets.Get<QLabel>("Image2");
    QLabel* image3 = widgets.Get<QLabel>("Image3");
    QLabel* image4 = widgets.Get<QLabel>("Image4");
    QLabel* image5 = widgets.Get<QLabel>("Image5");
    std::array<QTimer*, kTimerCount + 1> timers{};  // Timer1..6; entry 0 unused
    QPixmap background = LayoutPicture(layout::GameWindow().background);
    float gaugeLeft = static_cast<float>(layout::kGaugeHomeLeft);
    bool halted = false;  // the window is closing: no event reaches the engine any more

    ContentPictureLoader pictures;
    GameSound& sound;
    engine::GameEngine engine;  // last: it holds references to the members above
};

GameForm::GameForm(std::string basePath, const GameServices& services, QWidget* parent)
    : QWidget(parent) {
    SetUpWindow(*this, layout::GameWindow());
    parts_ = std::make_unique<Parts>(*this, std::move(basePath), services);
    Parts& p = *parts_;

    // Every event goes to the engine, unless the window is on its way out.
    const auto toEngine = [this](auto step) {
        return [this, step] {
            if (!parts_->halted) step(parts_->engine);
        };
    };
    for (int i = 1; i <= kIonCount; ++i) {
        ConnectGuarded(p.ion[static_cast<std::size_t>(i)], &QAbstractButton::clicked, this,
                       toEngine([i](engine::GameEngine& e) { e.PressIon(i); }));
    }
    ConnectGuarded(p.command2, &QAbstractButton::clicked, this,
                   toEngine([](engine::GameEngine& e) { e.PressQuit(); }));
    ConnectGuarded(p.command3, &QAbstractButton::clicked, this,
                   toEngine([](engine::GameEngine& e) { e.PressHint(); }));
    ConnectGuarded(p.command4, &QAbstractButton::clicked, this,
                   toEngine([](engine::GameEngine& e) { e.PressRetry(); }));
    for (int n = 1; n <= kTimerCount; ++n) {
        ConnectGuarded(p.timers[static_cast<std::size_t>(n)], &QTimer::timeout, this,
                       toEngine([n](engine::GameEngine& e) { e.Tick(n); }));
    }

    // Centred on the screen it opens on; the first game is set up before the
    // window is first drawn.
    CentreOnScreen(*this);
    p.engine.Load();
}

GameForm::~GameForm() { Halt(); }

void GameForm::Halt() {
    // The close box ends the game on the spot: no tick after this, no sound,
    // no pending step.
    parts_->halted = true;
    for (QTimer* timer : parts_->timers)
        if (timer != nullptr) timer->stop();
    parts_->sound.Stop();
}

void GameForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) Halt();
}

void GameForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, parts_->background);
}

}  // namespace soruberia::ui

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/GameForm.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <array>
#include <cmath>
#include <memory>
#include <utility>

#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "engine/FolderBank.h"
#include "engine/GameEngine.h"
#include "engine/GameView.h"
#include "platform/FatalReport.h"
#include "platform/QtPicture.h"
#include "platform/SoundChannel.h"
#include "ui/BuiltInPicture.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

constexpr int kClientWidth = 641;
constexpr int kClientHeight = 400;

// Where the background shows through beside the 640 px picture.
const QColor kWindowColour(0, 170, 170);
const QColor kNavy(0, 0, 64);

constexpr int kIonCount = 12;
constexpr int kTimerCount = 6;

// Left and top edges of the ion buttons 1 to 12, in twips.
constexpr std::array<std::array<int, 2>, kIonCount + 1> kIonPlaces{{
    {0, 0},
    {975, 750}, {2510, 750}, {4040, 750}, {5565, 750}, {7090, 750},
    {975, 1680}, {7090, 1680},
    {975, 2610}, {2510, 2610}, {4040, 2610}, {5565, 2610}, {7090, 2610},
}};
constexpr int kIonWidth = 1530;
constexpr int kIonHeight = 920;

// What a screen reader says for the ion buttons 1 to 12.
const std::array<QString, kIonCount + 1> kIonNames{
    QString(),
    QStringLiteral("Ag⁺"), QStringLiteral("Al³⁺"), QStringLiteral("Ba²⁺"), QStringLiteral("Ca²⁺"),
    QStringLiteral("Cu²⁺"), QStringLiteral("Fe²⁺"), QStringLiteral("Fe³⁺"), QStringLiteral("Hg²⁺"),
    QStringLiteral("Mg²⁺"), QStringLiteral("Pb²⁺"), QStringLiteral("Sn²⁺"), QStringLiteral("Zn²⁺"),
};

constexpr float kGaugeHomeLeft = 315.0F;
constexpr int kGaugeTop = 4575;
constexpr float kGaugeStep = 1005.0F;

QPixmap BuiltIn(const char* name) {
    return BuiltInPicture(QStringLiteral(":/game/") + QLatin1String(name));
}

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

class ContentPictureLoader final : public engine::PictureLoader {
public:
    engine::PicturePtr Load(const std::string& fullPath) override {
        const engine::PicturePtr picture = loader_.Load(fullPath);
        const auto& read = dynamic_cast<const platform::QtPicture&>(*picture);
        return std::make_shared<const ContentPicture>(read.Pixmap(), fullPath);
    }

private:
    platform::QtPictureLoader loader_;
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

// An opaque text label: the text starts at the top, wraps at the label's
// width and is cut at its lower edge.
QLabel* MakeLabel(QWidget* parent, const char* name, QRect box, QColor text, QColor ground,
                  QFont font, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(font);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    return label;
}

// A picture box: transparent where its picture is. A box that does not
// stretch takes the size of its picture.
class PictureBox final {
public:
    PictureBox() = default;
    PictureBox(QWidget* parent, const char* name, QRect box, bool stretch,
               const QString& accessibleName = QString())
        : label_(new QLabel(parent)), stretch_(stretch) {
        label_->setObjectName(QLatin1String(name));
        label_->setAccessibleName(accessibleName);
        label_->setGeometry(box);
        label_->setScaledContents(stretch);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    void SetPicture(const QPixmap& picture) {
        label_->setPixmap(picture);
        if (!stretch_ && !picture.isNull()) label_->resize(picture.deviceIndependentSize().toSize());
    }

    QLabel* operator->() const { return label_; }
    QLabel* get() const { return label_; }

private:
    QLabel* label_ = nullptr;
    bool stretch_ = false;
};

}  // namespace

struct GameForm::Parts final : engine::GameView {
    Parts(std::string basePath, engine::Clock& clock,
          engine::RandomSource& random, engine::AppRequests& app)
        : bank(basePath), engine(std::move(basePath), *this,
                 engine::Services{pictures, mediaPlayer1, clock, random, app, bank}) {}

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
        const QString& name = kIonNames[static_cast<std::size_t>(ionNumber)];
        button->setAccessibleName(found ? name + QStringLiteral(" 正解済み") : name);
    }

    void SetMarkPicture(engine::PicturePtr picture) override {
        const ContentPicture* content = ContentOf(picture);
        image3.SetPicture(PixmapOf(picture));
        const bool correct =
            content != nullptr && content->FullPath().ends_with(paths::kMarkCorrect);
        image3->setAccessibleName(content == nullptr ? QString()
                                  : correct          ? QStringLiteral("正解")
                                                     : QStringLiteral("不正解"));
    }

    void SetVisible(engine::Widget widget, bool visible) override {
        QWidget* target = nullptr;
        switch (widget) {
            case engine::Widget::Image1: target = image1.get(); break;
            case engine::Widget::Image2: target = image2.get(); break;
            case engine::Widget::Image3: target = image3.get(); break;
            case engine::Widget::Image4: target = image4.get(); break;
            case engine::Widget::Image5: target = image5.get(); break;
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
        const long level = std::lround((twips - home) / kGaugeStep);
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

    std::array<PictureButton*, kIonCount + 1> ion{};  // Command1(1..12); entry 0 unused
    PictureButton* command2 = nullptr;
    PictureButton* command3 = nullptr;
    PictureButton* command4 = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    PictureBox image1, image2, image3, image4, image5;
    std::array<QTimer*, kTimerCount + 1> timers{};  // Timer1..6; entry 0 unused
    QPixmap background = BuiltIn("background.png");
    float gaugeLeft = kGaugeHomeLeft;

    ContentPictureLoader pictures;
    platform::SoundChannel mediaPlayer1;
    engine::FolderBank bank;
    engine::GameEngine engine;  // last: it holds references to the members above
};

GameForm::GameForm(std::string basePath, engine::Clock& clock, engine::RandomSource& random,
                   engine::AppRequests& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      parts_(std::make_unique<Parts>(std::move(basePath), clock, random, app)) {
    setObjectName(QStringLiteral("GameForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ソルベリア"));
    setWindowIcon(QIcon(QStringLiteral(":/game/icon.png")));  // QIcon finds icon@2x.png itself
    setFixedSize(kClientWidth, kClientHeight);
    setFont(LayoutFont(kMincho, 9, false));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    setPalette(palette);

    Parts& p = *parts_;

    // Labels and picture boxes, created bottom to top so that each lies over
    // the ones before it.
    p.label2 = MakeLabel(this, "Label2", TwipsRect(2520, 1680, 4575, 975), Qt::yellow, kNavy,
                         font(), Qt::AlignLeft);
    p.image1 = PictureBox(this, "Image1",
                          TwipsRect(static_cast<int>(kGaugeHomeLeft), kGaugeTop, 2685, 1260), false,
                          QStringLiteral("ミスゲージ"));
    p.image1.SetPicture(BuiltIn("carriage.png"));
    p.image1->setAccessibleDescription(QStringLiteral("ミス 0 回"));
    p.image2 = PictureBox(this, "Image2", TwipsRect(8025, 4575, 1275, 1260), false,
                          QStringLiteral("失敗"));
    p.image2.SetPicture(BuiltIn("burst.png"));
    p.image2->hide();
    p.label1 = MakeLabel(this, "Label1", TwipsRect(2595, 1770, 4425, 735), Qt::yellow, kNavy,
                         LayoutFont(kPMincho, 15, true), Qt::AlignLeft);
    p.label3 = MakeLabel(this, "Label3", TwipsRect(3075, 3720, 930, 615), Qt::white, Qt::black,
                         LayoutFont(kMincho, 27.75, true), Qt::AlignHCenter);
    p.label4 = MakeLabel(this, "Label4", TwipsRect(5640, 3720, 2325, 615), Qt::white, Qt::black,
                         LayoutFont(kMincho, 27.75, true), Qt::AlignHCenter);
    // A label's text is its accessible name; the captions beside the counters
    // are painted in the background, so the labels carry them as descriptions.
    p.label1->setAccessibleDescription(QStringLiteral("問題"));
    p.label3->setAccessibleDescription(QStringLiteral("正解残数"));
    p.label4->setAccessibleDescription(QStringLiteral("得点"));
    p.image3 = PictureBox(this, "Image3", TwipsRect(3720, 3600, 2175, 2175), true);
    p.image3->hide();
    p.image4 = PictureBox(this, "Image4", TwipsRect(3840, 3600, 1935, 2175), true,
                          QStringLiteral("合格"));
    p.image4.SetPicture(BuiltIn("medal.png"));
    p.image4->hide();
    p.image5 = PictureBox(this, "Image5", TwipsRect(3000, 3600, 4230, 1500), false,
                          QStringLiteral("ボーナス ５００点"));
    p.image5.SetPicture(BuiltIn("bonus.png"));
    p.image5->hide();

    // Push buttons lie above every label and picture box; created in tab order.
    auto makeButton = [this](const QString& name, QRect box, const char* picture,
                             const QString& accessibleName) {
        auto* button = new PictureButton(this);
        button->setObjectName(name);
        button->setAccessibleName(accessibleName);
        button->setGeometry(box);
        button->SetPicture(BuiltIn(picture));
        return button;
    };
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 1; i <= kIonCount; ++i) {
        const auto& place = kIonPlaces[static_cast<std::size_t>(i)];
        const std::string picture = "ion" + std::to_string(i) + ".png";
        PictureButton* button =
            makeButton(QStringLiteral("Command1_%1").arg(i),
                       TwipsRect(place[0], place[1], kIonWidth, kIonHeight), picture.c_str(),
                       kIonNames[static_cast<std::size_t>(i)]);
        p.ion[static_cast<std::size_t>(i)] = button;
        connect(button, &QAbstractButton::clicked, this,
                [this, i] { platform::Guarded([this, i] { parts_->engine.PressIon(i); }); });
        chain(button);
    }
    p.command2 = makeButton(QStringLiteral("Command2"), TwipsRect(7230, 165, 1395, 465), "quit.png",
                            QStringLiteral("終了"));
    p.command3 = makeButton(QStringLiteral("Command3"), TwipsRect(5640, 165, 1395, 465), "hint.png",
                            QStringLiteral("ヒント"));
    p.command4 = makeButton(QStringLiteral("Command4"), TwipsRect(7680, 5040, 1395, 465), "retry.png",
                            QStringLiteral("再挑戦"));
    p.command4->hide();
    connect(p.command2, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { parts_->engine.PressQuit(); }); });
    connect(p.command3, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { parts_->engine.PressHint(); }); });
    connect(p.command4, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { parts_->engine.PressRetry(); }); });
    chain(p.command2);
    chain(p.command3);
    chain(p.command4);

    for (int n = 1; n <= kTimerCount; ++n) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("Timer%1").arg(n));
        connect(timer, &QTimer::timeout, this,
                [this, n] { platform::Guarded([this, n] { parts_->engine.Tick(n); }); });
        p.timers[static_cast<std::size_t>(n)] = timer;
    }

    p.ion[1]->setFocus();

    // Centred on the screen it opens on; the first game is set up before the
    // window is first drawn.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    p.engine.Load();
}

GameForm::~GameForm() {
    // The close box ends the game on the spot: no tick after this, no sound.
    for (QTimer* timer : parts_->timers)
        if (timer != nullptr) timer->stop();
    parts_->mediaPlayer1.Stop();
}

void GameForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, parts_->background);
}

}  // namespace soruberia::ui

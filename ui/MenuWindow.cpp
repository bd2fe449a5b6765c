// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/MenuWindow.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "content/ExplanationFile.h"
#include "platform/FatalReport.h"
#include "ui/BuiltInPicture.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

constexpr int kClientWidth = 641;
constexpr int kClientHeight = 400;
constexpr int kRevealPeriodMs = 500;

const QColor kNavy(0, 0, 64);

// Left and top edges of the title tiles, in twips; every tile is 1800 × 1725.
constexpr std::array<std::array<int, 2>, MenuWindow::kTileCount> kTilePlaces{{
    {2235, 465}, {5355, 465}, {1395, 2505}, {3795, 2505}, {6195, 2505},
}};

// The characters on the title tiles, one a tile, for screen readers.
const QString kTitle = QStringLiteral("ソルベリア");

QPixmap BuiltIn(const QString& name) { return BuiltInPicture(QStringLiteral(":/menu/") + name); }

QLabel* MakePanel(QWidget* parent, const char* name, QRect box) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kNavy);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->hide();
    return label;
}

PictureButton* MakeButton(QWidget* parent, const char* name, const QString& face, QRect box,
                          const QString& accessibleName) {
    auto* button = new PictureButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->SetPicture(BuiltIn(face));
    button->setGeometry(box);
    button->hide();
    return button;
}

}  // namespace

MenuWindow::MenuWindow(const std::string& basePath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      background_(BuiltIn(QStringLiteral("background.png"))) {
    setObjectName(QStringLiteral("メニュー"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("メニュー"));
    setWindowIcon(QIcon(QStringLiteral(":/game/icon.png")));
    setFixedSize(kClientWidth, kClientHeight);

    // Labels and picture boxes bottom to top: the tiles, the panel, the
    // text on it. The buttons come last and so lie over all of them.
    for (std::size_t i = 0; i < image1_.size(); ++i) {
        auto* tile = new QLabel(this);
        tile->setObjectName(QStringLiteral("Image1_%1").arg(i));
        tile->setPixmap(BuiltIn(QStringLiteral("tile%1.png").arg(i)));
        tile->setAccessibleName(kTitle.mid(static_cast<qsizetype>(i), 1));
        tile->setGeometry(TwipsRect(kTilePlaces[i][0], kTilePlaces[i][1], 1800, 1725));
        tile->hide();
        image1_[i] = tile;
    }
    label1_ = MakePanel(this, "Label1", TwipsRect(720, 510, 8220, 5025));
    label2_ = MakePanel(this, "Label2", TwipsRect(840, 645, 7995, 4155));
    label2_->setTextFormat(Qt::PlainText);
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2_->setFont(LayoutFont(kMincho, 14.25, true));
    label2_->setAccessibleDescription(QStringLiteral("説明"));

    command1_ = MakeButton(this, "Command1", QStringLiteral("quit.png"),
                           TwipsRect(1695, 4920, 1395, 465), QStringLiteral("終了"));
    command2_ = MakeButton(this, "Command2", QStringLiteral("explain.png"),
                           TwipsRect(4005, 4920, 1395, 465), QStringLiteral("説明"));
    command3_ = MakeButton(this, "Command3", QStringLiteral("start.png"),
                           TwipsRect(6465, 4920, 1395, 465), QStringLiteral("開始"));
    command4_ = MakeButton(this, "Command4", QStringLiteral("back.png"),
                           TwipsRect(4005, 4920, 1395, 465), QStringLiteral("戻る"));
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, command3_);
    setTabOrder(command3_, command4_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));

    connect(timer1_, &QTimer::timeout, this,
            [this] { platform::Guarded([this] { Timer1Tick(); }); });
    connect(command1_, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { emit quitRequested(); }); });
    connect(command2_, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { ShowExplanation(); }); });
    connect(command3_, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { emit startRequested(); }); });
    connect(command4_, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { HideExplanation(); }); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    Load(basePath);
}

void MenuWindow::Load(const std::string& basePath) {
    revealCounter_ = 0;
    label2_->setText(QString::fromStdString(ReadExplanationLine(basePath)));
    timer1_->start(kRevealPeriodMs);
}

void MenuWindow::Timer1Tick() {
    if (revealCounter_ >= kTileCount) {
        command1_->show();
        command2_->show();
        command3_->show();
        // Until now nothing could take the focus. The start button gets it,
        // so a keyboard user can go on at once and a stray Space never quits.
        if (focusWidget() == nullptr) command3_->setFocus();
        timer1_->stop();  // for good: nothing arms it again
        return;
    }
    image1_[static_cast<std::size_t>(revealCounter_)]->show();
    ++revealCounter_;
}

void MenuWindow::ShowExplanation() {
    command1_->hide();
    command2_->hide();
    command3_->hide();
    label1_->show();
    label2_->show();
    command4_->show();
    // The button that had the focus is gone; its replacement takes it.
    command4_->setFocus();
}

void MenuWindow::HideExplanation() {
    command1_->show();
    command2_->show();
    command3_->show();
    label1_->hide();
    label2_->hide();
    command4_->hide();
    command2_->setFocus();
}

void MenuWindow::paintEvent(QPaintEvent*) {
    // Unscaled from the top-left corner; the picture is larger than the
    // window, so its right and lower margins are never seen.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

}  // namespace soruberia::ui

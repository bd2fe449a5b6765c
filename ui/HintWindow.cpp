// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/HintWindow.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "platform/FatalReport.h"
#include "ui/BuiltInPicture.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 448;

// The table's own ground, so the two rows below the picture match it.
const QColor kGround(255, 255, 153);

}  // namespace

HintWindow::HintWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      table_(BuiltInPicture(QStringLiteral(":/hint/table.png"))) {
    setObjectName(QStringLiteral("ヒント"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ヒント"));
    setWindowIcon(QIcon(QStringLiteral(":/game/icon.png")));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kGround);
    setPalette(palette);

    command1_ = new PictureButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAccessibleName(QStringLiteral("戻る"));
    command1_->SetPicture(BuiltInPicture(QStringLiteral(":/menu/back.png")));
    command1_->setGeometry(TwipsRect(9240, 140, 1395, 465));
    command1_->setFocus();
    connect(command1_, &QAbstractButton::clicked, this,
            [this] { platform::Guarded([this] { close(); }); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

void HintWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, table_);
}

}  // namespace soruberia::ui

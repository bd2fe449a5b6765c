// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The windows on a screen of device pixel ratio 2: the same layout in
// device-independent pixels, every built-in picture drawn from its @2x
// drawing, and text twice as many pixels high.

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "tests/app/AppTestKit.h"
#include "tests/ui/GameTestKit.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::a11y {
namespace {

constexpr int kRatio = 2;

QImage Resource(const QString& path) {
    QImage image(path);
    if (image.isNull()) ADD_FAILURE() << "no picture " << path.toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The part of a window's picture under `logical`, in device pixels.
QImage Seen(const QImage& grabbed, QRect logical) {
    return grabbed.copy(logical.x() * kRatio, logical.y() * kRatio, logical.width() * kRatio,
                        logical.height() * kRatio)
        .convertToFormat(QImage::Format_ARGB32);
}

// Blending rounds a channel by one here and there.
int LargestDifference(const QImage& seen, const QImage& expected) {
    if (seen.size() != expected.size()) return 255;
    int largest = 0;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x) {
            const QRgb a = seen.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                std::abs(qBlue(a) - qBlue(b))});
        }
    return largest;
}

// The test only shows something if the sharp drawing is not just the small
// one blown up.
void ExpectSharperThanBlownUp(const QString& name) {
    const QImage small = Resource(name + QStringLiteral(".bmp"));
    const QImage sharp = Resource(name + QStringLiteral("@2x.bmp"));
    ASSERT_EQ(sharp.size(), small.size() * kRatio) << name.toStdString();
    EXPECT_NE(sharp, small.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation))
        << name.toStdString();
}

// A widget's box in device-independent pixels, as its form's table has it.
QRect Box(const layout::Form& form, std::string_view name) {
    const layout::Widget* widget = layout::Find(form, name);
    if (widget == nullptr) ADD_FAILURE() << "no " << name << " in " << form.name;
    return widget != nullptr ? ui::TwipsRect(widget->box) : QRect();
}

// Every widget where the table puts it, in device-independent pixels, and
// the window's picture twice as large.
void ExpectLayout(QWidget& window, const layout::Form& form) {
    const QSize client(form.clientWidth, form.clientHeight);
    EXPECT_EQ(window.size(), client);
    const QPixmap grabbed = window.grab();
    EXPECT_EQ(grabbed.devicePixelRatio(), kRatio);
    EXPECT_EQ(grabbed.size(), client * kRatio);
    for (const layout::Widget& entry : form.widgets) {
        if (entry.kind == layout::Kind::Timer) continue;
        const std::string name(entry.name);
        auto* child = window.findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(child, nullptr) << name;
        EXPECT_EQ(child->geometry(), ui::TwipsRect(entry.box)) << name;
    }
}

class HiDpi : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(qGuiApp->devicePixelRatio(), kRatio); }
};

TEST_F(HiDpi, GameWindowKeepsItsLayoutAndDrawsItsPicturesSharp) {
    ui::testing::ContentFolder content([](int) { return std::vector<int>{1}; },
                                       [](int) { return std::string(); });
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest game(content.BasePath(), services.Services(content.BasePath()));
    QPointer<ui::FormWindow> form = game.Window();
    QApplication::processEvents();

    ExpectLayout(*form, layout::GameWindow());

    for (const char* name : {"background", "carriage", "quit", "hint"})
        ExpectSharperThanBlownUp(QStringLiteral(":/game/") + QLatin1String(name));
    const QImage grabbed = form->grab().toImage();
    EXPECT_EQ(Seen(grabbed, Box(layout::GameWindow(), "Image1")), Resource(QStringLiteral(":/game/carriage@2x.bmp")));
    // The title boxes of the background, clear of every widget.
    EXPECT_EQ(Seen(grabbed, QRect(0, 0, 60, 45)),
              Resource(QStringLiteral(":/game/background@2x.bmp")).copy(0, 0, 120, 90));
    // The quit face, 100 × 32, centred in its 93 × 31 button and cut.
    EXPECT_EQ(Seen(grabbed, Box(layout::GameWindow(), "Command2")),
              Resource(QStringLiteral(":/game/quit@2x.bmp")).copy(3 * kRatio, 0, 93 * kRatio, 31 * kRatio));

    // Text is laid out in device-independent pixels and drawn with twice as
    // many device pixels.
    auto* button = form->findChild<ui::PictureButton*>(QStringLiteral("Command1_1"));
    ASSERT_NE(button, nullptr);
    button->click();
    auto* score = form->findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_NE(score, nullptr);
    ASSERT_EQ(score->text(), QStringLiteral("100"));
    const QImage digits = score->grab().toImage();
    int top = digits.height();
    int bottom = -1;
    for (int y = 0; y < digits.height(); ++y)
        for (int x = 0; x < digits.width(); ++x)
            if (qGray(digits.pixel(x, y)) > 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    const int inkHeight = QFontMetrics(score->font()).tightBoundingRect(score->text()).height();
    EXPECT_NEAR(bottom - top + 1, inkHeight * kRatio, kRatio * 2);
    app::testing::SaveScreenshot(*form, QStringLiteral("hidpi-game"));
}

TEST_F(HiDpi, MenuKeepsItsLayoutAndDrawsItsPicturesSharp) {
    app::testing::ContentFolder content;
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest program(content.BasePath(), services.Services(content.BasePath()),
                                       ui::testing::GameUnderTest::Until::Menu);
    QPointer<ui::FormWindow> menu = program.Menu();
    auto& timer = app::testing::Child<QTimer>(*menu, "Timer1");
    for (int tick = 0; tick < 6; ++tick) app::testing::Tick(timer);

    ExpectLayout(*menu, layout::MenuWindow());

    // The gradient is the same blown up or not; the tiles and faces are not.
    for (const char* name : {"tile0", "start"})
        ExpectSharperThanBlownUp(QStringLiteral(":/menu/") + QLatin1String(name));
    const QImage grabbed = menu->grab().toImage();
    const QImage background = Resource(QStringLiteral(":/menu/background@2x.bmp"));
    EXPECT_EQ(Seen(grabbed, QRect(0, 0, 641, 30)), background.copy(0, 0, 1282, 60));

    // The first tile, transparent around its rim, over the gradient.
    const QRect firstTile = Box(layout::MenuWindow(), "Image1_0");
    QImage tile = background.copy(QRect(firstTile.topLeft() * kRatio, firstTile.size() * kRatio));
    {
        QPainter painter(&tile);
        painter.drawImage(0, 0, Resource(QStringLiteral(":/menu/tile0@2x.bmp")));
    }
    EXPECT_LE(LargestDifference(Seen(grabbed, firstTile), tile), 1);
    app::testing::SaveScreenshot(*menu, QStringLiteral("hidpi-menu"));
    // The start face away from the focus rectangle's ring.
    EXPECT_EQ(Seen(grabbed, Box(layout::MenuWindow(), "Command3").adjusted(5, 5, -5, -5)),
              Resource(QStringLiteral(":/menu/start@2x.bmp")).copy(8 * kRatio, 5 * kRatio, 83 * kRatio, 21 * kRatio));
}

TEST_F(HiDpi, HintKeepsItsLayoutAndDrawsItsTableSharp) {
    ui::testing::ContentFolder content([](int) { return std::vector<int>{1}; },
                                       [](int) { return std::string(); });
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest game(content.BasePath(), services.Services(content.BasePath()));
    QPointer<ui::FormWindow> hint = game.OpenHint();
    QApplication::processEvents();
    ExpectLayout(*hint, layout::HintWindow());

    ExpectSharperThanBlownUp(QStringLiteral(":/hint/table"));
    const QImage grabbed = hint->grab().toImage();
    EXPECT_EQ(Seen(grabbed, QRect(0, 50, 765, 396)),
              Resource(QStringLiteral(":/hint/table@2x.bmp")).copy(0, 100, 1530, 792));
    app::testing::SaveScreenshot(*hint, QStringLiteral("hidpi-hint"));
}

}  // namespace
}  // namespace soruberia::a11y

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The hint window on its own: its frame, its picture and its one button.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>

#include <gtest/gtest.h>

#include "tests/app/AppTestKit.h"
#include "app/AppController.h"
#include "ui/FormWindow.h"
#include "ui/PictureButton.h"

namespace soruberia::app::testing {
namespace {

TEST(HintWindowTest, ButtonFocusTableAndClosing) {
    ContentFolder content;
    AppController controller(content.BasePath(), [] {});
    controller.Start();
    controller.Core().Pressed(appcore::FormId::Menu, "Command3");
    controller.Core().Pressed(appcore::FormId::Game, "Command3");
    QPointer<ui::FormWindow> hint = controller.Hint();
    ASSERT_FALSE(hint.isNull());
    QApplication::processEvents();
    auto& back = Child<ui::PictureButton>(*hint, "Command1");
    EXPECT_EQ(back.geometry(), QRect(616, 9, 93, 31));
    EXPECT_EQ(hint->focusWidget(), &back);
    EXPECT_EQ(back.Picture().toImage(), QImage(QStringLiteral(":/menu/back.bmp")).convertToFormat(
                                            back.Picture().toImage().format()));

    // The table unscaled from the top-left corner; the two rows below it in
    // the table's own pale yellow.
    const QImage table(QStringLiteral(":/hint/table.bmp"));
    ASSERT_EQ(table.size(), QSize(767, 446));
    const QImage seen = hint->grab().toImage();
    for (const QPoint at : {QPoint(3, 3), QPoint(400, 200), QPoint(764, 445), QPoint(10, 440)})
        EXPECT_EQ(seen.pixelColor(at), table.pixelColor(at)) << at.x() << "," << at.y();
    EXPECT_EQ(seen.pixelColor(300, 447), QColor(255, 255, 153));
    SaveScreenshot(*hint, QStringLiteral("hint-alone"));

    back.click();
    FlushDeferredDeletes();
    EXPECT_TRUE(hint.isNull());  // closing destroys it
}

}  // namespace
}  // namespace soruberia::app::testing

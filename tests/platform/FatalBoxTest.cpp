// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// On a real display (Xvfb) the failure is shown in a message box before the
// program ends, and nothing of the game runs while the box is up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#include "content/FatalError.h"
#include "platform/FatalReport.h"

using soruberia::FatalError;
using soruberia::platform::Guarded;
using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

namespace {

// Stands in for the person reading the box: after a while, from another
// thread, it reads the box on screen and presses its button.
void DismissBoxLater() {
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        QMetaObject::invokeMethod(qApp, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                std::fputs("no box on screen\n", stderr);
                std::_Exit(3);
            }
            std::fprintf(stderr, "box [%s] [%s]\n", box->windowTitle().toStdString().c_str(),
                         box->text().toStdString().c_str());
            box->accept();
        }, Qt::QueuedConnection);
    }).detach();
}

TEST(FatalBoxDeathTest, BoxNamesTheFailureAndNoTimerTicksWhileItIsUp) {
    EXPECT_EXIT(
        {
            QWidget window;
            window.show();
            bool failed = false;
            // An armed game timer, due many times while the box is shown.
            QTimer gameTimer;
            QObject::connect(&gameTimer, &QTimer::timeout, [&] {
                if (failed) std::fputs("tick ran after the failure\n", stderr);
            });
            gameTimer.start(10);
            QTimer::singleShot(50, [&] {
                Guarded([&] {
                    failed = true;
                    DismissBoxLater();
                    throw FatalError("画像を読み込めません: /x/図/batu.gif");
                });
            });
            QApplication::exec();
        },
        testing::ExitedWithCode(1),
        AllOf(HasSubstr("box [ソルベリア] [画像を読み込めません: /x/図/batu.gif]"),
              Not(HasSubstr("tick ran"))));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

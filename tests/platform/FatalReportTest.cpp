// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Without a screen (offscreen platform) the report goes to stderr only.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "content/FatalError.h"
#include "platform/FatalReport.h"

using soruberia::FatalError;
using soruberia::platform::Guarded;
using soruberia::platform::ReportFatalAndExit;
using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

namespace {

void SayAtExit() { std::fputs("atexit handler ran\n", stderr); }

TEST(FatalReportDeathTest, EndsAtOnceWithTheMessageOnStderr) {
    EXPECT_EXIT(
        {
            std::atexit(SayAtExit);
            ReportFatalAndExit("画像を読み込めません: /x/図/maru.gif");
        },
        testing::ExitedWithCode(1),
        AllOf(HasSubstr("画像を読み込めません: /x/図/maru.gif"), Not(HasSubstr("ran"))));
}

TEST(FatalReportDeathTest, GuardedEndsTheProgramOnAnyFailureOfItsHandler) {
    EXPECT_EXIT(Guarded([] { throw FatalError("kotae.txt の 3 行目: 値がありません"); }),
                testing::ExitedWithCode(1), HasSubstr("kotae.txt の 3 行目"));
    EXPECT_EXIT(Guarded([] { throw std::out_of_range("vector index"); }),
                testing::ExitedWithCode(1), HasSubstr("内部エラー: vector index"));
    EXPECT_EXIT(Guarded([] { throw std::bad_alloc(); }), testing::ExitedWithCode(1),
                HasSubstr("内部エラー: メモリが足りません"));
    // Not even a standard exception: still the message, not an abort.
    EXPECT_EXIT(Guarded([] { throw 42; }), testing::ExitedWithCode(1), HasSubstr("内部エラー: "));
}

TEST(FatalReportTest, GuardedRunsAHandlerThatSucceeds) {
    int runs = 0;
    Guarded([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

}  // namespace

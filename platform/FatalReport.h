// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "content/FatalError.h"

namespace soruberia::platform {

// Shows a message box titled "ソルベリア" naming the failure, writes the same
// text to stderr and ends the program with a non-zero status.
[[noreturn]] void ReportFatalAndExit(const std::string& message);

// The edge of every event handler: a failure thrown inside ends the program.
template <typename Handler>
void Guarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const FatalError& e) {
        ReportFatalAndExit(e.what());
    } catch (const std::bad_alloc&) {
        ReportFatalAndExit("内部エラー: メモリが足りません");
    } catch (const std::exception& e) {
        ReportFatalAndExit(std::string("内部エラー: ") + e.what());
    } catch (...) {
        // Anything else would end in an abort, without a word to the user.
        ReportFatalAndExit("内部エラー: 原因の分からない失敗です");
    }
}

}  // namespace soruberia::platform

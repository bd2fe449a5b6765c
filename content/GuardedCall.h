// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "content/FatalError.h"

namespace soruberia {

// The edge of every event handler, the same in every front-end: a failure
// thrown inside is handed, as one message, to `report`, which ends the
// program. Anything else would end in an abort, without a word to the user.
template <typename Report, typename Handler>
void GuardedCall(Report&& report, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const FatalError& e) {
        report(std::string(e.what()));
    } catch (const std::bad_alloc&) {
        report(std::string("内部エラー: メモリが足りません"));
    } catch (const std::exception& e) {
        report(std::string("内部エラー: ") + e.what());
    } catch (...) {
        report(std::string("内部エラー: 原因の分からない失敗です"));
    }
}

}  // namespace soruberia

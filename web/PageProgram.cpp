// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageProgram.h"

#include <utility>

#include "content/ContentMessages.h"
#include "content/GuardedCall.h"

namespace soruberia::web {

PageProgram::PageProgram(const PageFiles& files, std::string basePath)
    : shell_(ops_),
      pictures_(files, basePath),
      random_(clock_),
      bank_(files, basePath),
      explanation_(files, basePath),
      sound_(ops_, basePath),
      app_(basePath, shell_,
           appcore::AppServices{pictures_, clock_, random_, bank_, explanation_, sound_}) {}

PageProgram::~PageProgram() = default;

template <typename Handler>
std::string PageProgram::Event(Handler&& handler) {
    if (!over_) {
        // As on the desktop: the message, and nothing of the game goes on
        // behind it. A fault of the bank sends the teacher to the page's
        // own checker, not to a command line.
        const auto fatal = [this](const std::string& message, bool bankFault) {
            over_ = true;
            ops_.Begin("fatal").Text("message", message).Flag("check", bankFault).End();
        };
        GuardedCall([&](const std::string& message) { fatal(message, false); },
                    [&] {
                        try {
                            handler();
                        } catch (const ContentError& error) {
                            fatal(RenderFailure(error.Failure()) +
                                      "\n問題点をすべて確かめるには、「問題の点検」を開いてください。",
                                  true);
                        }
                    });
        shell_.Settle();
        if (shell_.Ended()) over_ = true;
    }
    return ops_.Take();
}

std::string PageProgram::Start() {
    return Event([this] { app_.Start(); });
}

std::string PageProgram::Pressed(std::string_view form, std::string_view widget) {
    return Event([&] {
        if (const auto id = FormNamed(form)) app_.Pressed(*id, widget);
    });
}

std::string PageProgram::Ticked(std::string_view form, std::string_view timer) {
    return Event([&] {
        if (const auto id = FormNamed(form)) app_.Ticked(*id, timer);
    });
}

void PageProgram::Focused(std::string_view form, std::string_view widget) {
    if (const auto id = FormNamed(form)) shell_.Focused(*id, widget);
}

}  // namespace soruberia::web

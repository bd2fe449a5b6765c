// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "appcore/App.h"
#include "appcore/ChannelOutput.h"
#include "appcore/FolderExplanation.h"
#include "engine/ClockFoldedRandom.h"
#include "engine/FolderBank.h"
#include "windows/app/WinShell.h"
#include "windows/platform/LocalClock.h"
#include "windows/platform/WaveOutChannel.h"
#include "windows/platform/WicPicture.h"

namespace soruberia::windows {

// The Windows program: the run's services, built here at the program's edge,
// the window system, and the app core that decides everything above the
// engine. Made on the window thread once COM runs.
class WinProgram final {
public:
    explicit WinProgram(const std::string& basePath, WinShell::Terminate terminate = WinShell::ExitNow)
        : random_(clock_),
          bank_(basePath),
          explanation_(basePath),
          shell_(std::move(terminate)),
          app_(basePath, shell_,
               appcore::AppServices{pictures_, clock_, random_, bank_, explanation_, sound_}) {
        shell_.Serve(app_);
    }

    // Creates the menu, which loads it (throws FatalError when the
    // explanation line cannot be read), then shows it.
    void Start() { app_.Start(); }
    // The event loop, until the last window has closed; its exit status.
    int Run() { return shell_.Run(); }

    appcore::App& Core() { return app_; }
    WinShell& Shell() { return shell_; }

private:
    LocalClock clock_;
    engine::ClockFoldedRandom random_;
    WicPictureLoader pictures_;
    engine::FolderBank bank_;  // the bank beside the program, read at every game start
    appcore::FolderExplanation explanation_;
    appcore::ChannelOutput<WaveOutChannel> sound_;  // waveOut
    WinShell shell_;    // the windows go before the services they use
    appcore::App app_;  // last: it uses all of the above
};

}  // namespace soruberia::windows

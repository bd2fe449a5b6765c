// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "app/QtShell.h"
#include "appcore/App.h"
#include "appcore/ChannelOutput.h"
#include "appcore/FolderExplanation.h"
#include "engine/ClockFoldedRandom.h"
#include "engine/FolderBank.h"
#include "platform/QtPicture.h"
#include "platform/SoundChannel.h"
#include "platform/SystemClock.h"

namespace soruberia::app {

// The Qt program: the run's services, built here at the program's edge, the
// window system, and the app core that decides everything above the engine.
class AppController final {
public:
    explicit AppController(std::string basePath, QtShell::Terminate terminate = QtShell::ExitNow);

    // Creates the menu, which loads it (reads the explanation line, throws
    // FatalError when it cannot), then shows it.
    void Start() { app_.Start(); }

    appcore::App& Core() { return app_; }

    // The open windows; null once a window is closed.
    ui::FormWindow* Menu() const { return shell_.Window(appcore::FormId::Menu); }
    ui::FormWindow* Game() const { return shell_.Window(appcore::FormId::Game); }
    ui::FormWindow* Hint() const { return shell_.Window(appcore::FormId::Hint); }

private:
    platform::SystemClock clock_;
    engine::ClockFoldedRandom random_;
    platform::QtPictureLoader pictures_;
    engine::FolderBank bank_;  // the bank beside the program, read at every game start
    appcore::FolderExplanation explanation_;
    appcore::ChannelOutput<platform::SoundChannel> sound_;  // OpenAL Soft
    QtShell shell_;     // the windows go before the services they use
    appcore::App app_;  // last: it uses all of the above
};

}  // namespace soruberia::app

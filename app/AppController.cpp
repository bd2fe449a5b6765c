// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "app/AppController.h"

#include <utility>

namespace soruberia::app {

AppController::AppController(std::string basePath, QtShell::Terminate terminate)
    : random_(clock_),
      bank_(basePath),
      explanation_(basePath),
      shell_(std::move(terminate)),
      app_(basePath, shell_,
           appcore::AppServices{pictures_, clock_, random_, bank_, explanation_, sound_}) {
    shell_.Serve(app_);
}

}  // namespace soruberia::app

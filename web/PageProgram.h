// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "appcore/App.h"
#include "engine/ClockFoldedRandom.h"
#include "web/PageFiles.h"
#include "web/PageOps.h"
#include "web/PagePictures.h"
#include "web/PageServices.h"
#include "web/PageShell.h"
#include "web/PageSources.h"

namespace soruberia::web {

// The program in the page: the app core with the page's services, each
// event answered with the operations the page applies (PageOps). A failure
// ends the program with one "fatal" operation carrying the desktop
// programs' message; after the end no event does anything.
class PageProgram {
public:
    // basePath names the page's folder in messages ("https://…/soruberia").
    PageProgram(const PageFiles& files, std::string basePath);
    ~PageProgram();

    std::string Start();
    std::string Pressed(std::string_view form, std::string_view widget);
    std::string Ticked(std::string_view form, std::string_view timer);
    // The page's keyboard focus moved to a widget of a form ("" for none).
    void Focused(std::string_view form, std::string_view widget);

private:
    template <typename Handler>
    std::string Event(Handler&& handler);

    PageOps ops_;
    PageShell shell_;
    PagePictures pictures_;
    PageClock clock_;
    engine::ClockFoldedRandom random_;
    PageBank bank_;
    PageExplanation explanation_;
    PageSound sound_;
    appcore::App app_;
    bool over_ = false;
};

}  // namespace soruberia::web

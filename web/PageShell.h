// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appcore/Shell.h"
#include "web/PageOps.h"

namespace soruberia::web {

// The page's forms as the app core drives them: every call becomes an
// operation for the page to apply. A form is named by its layout name
// ("メニュー", "GameForm", "ヒント"), as the page's elements are.
class PageShell final : public appcore::Shell {
public:
    explicit PageShell(PageOps& ops);
    ~PageShell() override;

    appcore::FormView& Create(appcore::FormId form) override;
    void Show(appcore::FormId form) override;
    void Raise(appcore::FormId form) override;
    void Hide(appcore::FormId form) override;
    void Destroy(appcore::FormId form) override;
    void LeaveEventLoop() override;
    void EndProcess() override;

    // The widget the page's keyboard focus is on in that form ("" for none),
    // as the page reports it.
    void Focused(appcore::FormId form, std::string_view widget);
    bool Ended() const { return ended_; }
    // The end of an event: forms destroyed during it are let go only now,
    // as the desktop programs delete a window after its own event.
    void Settle();

private:
    class Form;
    void Simple(std::string_view op, appcore::FormId form);

    PageOps& ops_;
    std::array<std::unique_ptr<Form>, 3> forms_;
    std::vector<std::unique_ptr<Form>> destroyed_;
    bool ended_ = false;
};

// The form of a layout name, or nothing.
std::optional<appcore::FormId> FormNamed(std::string_view name);

}  // namespace soruberia::web

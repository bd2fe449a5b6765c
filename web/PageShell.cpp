// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageShell.h"

#include <cstddef>
#include <utility>

#include "layout/Units.h"
#include "web/PagePictures.h"

namespace soruberia::web {

using appcore::FormId;
using appcore::FormOf;

namespace {

std::size_t Slot(FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

std::optional<FormId> FormNamed(std::string_view name) {
    for (const FormId form : appcore::kForms)
        if (FormOf(form).name == name) return form;
    return std::nullopt;
}

class PageShell::Form final : public appcore::FormView {
public:
    Form(PageOps& ops, FormId form) : ops_(ops), name_(FormOf(form).name) {}

    void SetText(std::string_view widget, const std::string& utf8Text) override {
        Op("text", widget).Text("text", utf8Text).End();
    }
    void SetPicture(std::string_view widget, engine::PicturePtr picture) override {
        const auto* page = dynamic_cast<const PagePicture*>(picture.get());
        if (page == nullptr) {
            Op("picture", widget).Null("path").End();
        } else {
            Op("picture", widget).Text("path", page->Path()).End();
        }
    }
    void SetVisible(std::string_view widget, bool visible) override {
        Op("visible", widget).Flag("visible", visible).End();
    }
    void MoveLeft(std::string_view widget, float twips) override {
        Op("left", widget).Number("px", layout::TwipsToPixels(static_cast<double>(twips))).End();
    }
    void SetTimer(std::string_view timer, int milliseconds) override {
        Op("timer", timer).Number("ms", milliseconds).End();
    }
    void Focus(std::string_view widget) override {
        focused_ = widget;
        Op("focus", widget).End();
    }
    bool HasFocusedWidget() const override { return !focused_.empty(); }
    void SetAccessible(std::string_view widget, const std::string& name,
                       const std::string& description) override {
        Op("accessible", widget).Text("name", name).Text("description", description).End();
    }

    void Focused(std::string_view widget) { focused_ = widget; }

private:
    PageOps& Op(std::string_view op, std::string_view widget) {
        return ops_.Begin(op).Text("form", name_).Text("widget", widget);
    }

    PageOps& ops_;
    std::string_view name_;
    std::string focused_;
};

PageShell::PageShell(PageOps& ops) : ops_(ops) {}

PageShell::~PageShell() = default;

appcore::FormView& PageShell::Create(FormId form) {
    auto& slot = forms_[Slot(form)];
    slot = std::make_unique<Form>(ops_, form);
    Simple("create", form);
    return *slot;
}

void PageShell::Show(FormId form) { Simple("show", form); }

void PageShell::Raise(FormId form) { Simple("raise", form); }

void PageShell::Hide(FormId form) { Simple("hide", form); }

void PageShell::Destroy(FormId form) {
    Simple("destroy", form);
    if (forms_[Slot(form)]) destroyed_.push_back(std::move(forms_[Slot(form)]));
}

void PageShell::LeaveEventLoop() {
    ended_ = true;
    ops_.Begin("end").End();
}

void PageShell::EndProcess() {
    ended_ = true;
    ops_.Begin("end").End();
}

void PageShell::Focused(FormId form, std::string_view widget) {
    if (forms_[Slot(form)]) forms_[Slot(form)]->Focused(widget);
}

void PageShell::Settle() { destroyed_.clear(); }

void PageShell::Simple(std::string_view op, FormId form) {
    ops_.Begin(op).Text("form", FormOf(form).name).End();
}

}  // namespace soruberia::web

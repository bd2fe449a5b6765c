// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/appcore/FakeShell.h"

#include <stdexcept>

#include "content/ContentFailure.h"
#include "content/ShiftJis.h"

namespace appcoretest {

std::string NameOf(FormId form) {
    switch (form) {
        case FormId::Menu: return "menu";
        case FormId::Game: return "game";
        case FormId::Hint: return "hint";
    }
    return "?";
}

FakeView::FakeView(FormId form, Log& log) : prefix_(NameOf(form) + " "), log_(log) {
    for (const layout::Widget& widget : FormOf(form).widgets) visible[std::string(widget.name)] = widget.visible;
}

void FakeView::SetText(std::string_view widget, const std::string& utf8Text) {
    text[std::string(widget)] = utf8Text;
    log_.Add(prefix_ + std::string(widget) + " = " + utf8Text);
}

void FakeView::SetPicture(std::string_view widget, engine::PicturePtr picture) {
    const auto* fake = dynamic_cast<const FakePicture*>(picture.get());
    log_.Add(prefix_ + std::string(widget) + " picture " + (fake ? fake->path : "none"));
}

void FakeView::SetVisible(std::string_view widget, bool shown) {
    const std::string name(widget);
    if (!visible.contains(name)) throw std::logic_error("no widget " + name);
    visible[name] = shown;
    // A hidden widget gives up the focus.
    if (!shown && focus == name) focus.clear();
    log_.Add(prefix_ + (shown ? "show " : "hide ") + name);
}

void FakeView::MoveLeft(std::string_view widget, float twips) {
    log_.Add(prefix_ + std::string(widget) + " left " + std::to_string(static_cast<int>(twips)));
}

void FakeView::SetTimer(std::string_view timer, int milliseconds) {
    timers[std::string(timer)] = milliseconds;
    log_.Add(prefix_ + std::string(timer) + " = " + std::to_string(milliseconds));
}

void FakeView::Focus(std::string_view widget) {
    focus = std::string(widget);
    log_.Add(prefix_ + "focus " + focus);
}

void FakeView::SetAccessible(std::string_view widget, const std::string& name,
                             const std::string& description) {
    accessible[std::string(widget)] = {name, description};
}

std::set<std::string> FakeView::RunningTimers() const {
    std::set<std::string> running;
    for (const auto& [name, period] : timers)
        if (period > 0) running.insert(name);
    return running;
}

FormView& FakeShell::Create(FormId form) {
    if (views_[form]) throw std::logic_error("a second " + NameOf(form) + " window");
    ++createdCount_[form];
    views_[form] = std::make_unique<FakeView>(form, log_);
    log_.Add("create " + NameOf(form));
    return *views_[form];
}

void FakeShell::Show(FormId form) { log_.Add("show " + NameOf(form)); }
void FakeShell::Raise(FormId form) { log_.Add("raise " + NameOf(form)); }
void FakeShell::Hide(FormId form) { log_.Add("hide " + NameOf(form)); }

void FakeShell::Destroy(FormId form) {
    if (!views_[form]) throw std::logic_error("no " + NameOf(form) + " window to destroy");
    views_[form].reset();
    log_.Add("destroy " + NameOf(form));
}

void FakeShell::LeaveEventLoop() { log_.Add("leave event loop"); }
void FakeShell::EndProcess() { log_.Add("end process"); }

void FakeShell::CloseBox(App& app, FormId form) {
    views_[form].reset();
    log_.Add("close box " + NameOf(form));
    app.Closed(form);
}

engine::PicturePtr FakePictures::Load(const std::string& fullPath) {
    return std::make_shared<const FakePicture>(fullPath.substr(fullPath.find('\\')));
}

namespace {

class FakeChannel final : public SoundChannel {
public:
    explicit FakeChannel(Log& log) : log_(log) {}
    void Play(const std::string& fullPath) override { log_.Add("play " + fullPath.substr(fullPath.find('\\'))); }
    void Stop() override { log_.Add("sound stop"); }

private:
    Log& log_;
};

ContentFile ShiftJisFile(const std::string& name, const std::string& utf8) {
    return ContentFile{name, sjis::Encode(utf8).cp932};
}

}  // namespace

std::unique_ptr<SoundChannel> FakeSound::Open() {
    log_.Add("sound open");
    return std::make_unique<FakeChannel>(log_);
}

ContentFile MemoryBank::QuestionTexts() {
    std::string text;
    for (int n = 1; n <= 26; ++n) text += "\"問" + std::to_string(n) + "\"\r\n";
    return ShiftJisFile("mondai.txt", text);
}

ContentFile MemoryBank::AnswerKey() {
    std::string text;
    for (int n = 1; n <= 26; ++n) text += "1," + std::to_string(n % 12 + 1) + "\r\n";
    return ShiftJisFile("kotae.txt", text);
}

std::string FixedExplanation::Line() {
    if (missing) throw ContentError(ContentFailure{});
    return "説明の一行";
}

Rig::Rig()
    : app("/base", shell, AppServices{pictures, clock, random, bank, explanation, sound}) {}

void Rig::TickAll() {
    clock.now += 0.5f;
    for (const FormId form : kForms) {
        FakeView* view = shell.View(form);
        if (view == nullptr) continue;
        for (const std::string& timer : view->RunningTimers()) {
            if (shell.View(form) == nullptr) break;
            app.Ticked(form, timer);
        }
    }
}

void Rig::Pass(double seconds) {
    for (double t = 0; t < seconds; t += 0.5) TickAll();
}

}  // namespace appcoretest

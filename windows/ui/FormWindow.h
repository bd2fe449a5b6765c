// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "appcore/FormView.h"
#include "appcore/Shell.h"
#include "windows/ui/BuiltInPictures.h"
#include "windows/ui/Dpi.h"
#include "windows/ui/Face.h"
#include "layout/Form.h"

namespace soruberia::appcore {
class App;
}

namespace soruberia::windows {

// A top-level window built from its form's layout table: fixed size, caption and close
// box, centred on the primary monitor's work area. Labels and picture boxes
// are owner-drawn static controls, buttons owner-drawn buttons; their window
// text is what a screen reader says. The window draws itself as one picture
// (background, then every visible widget bottom to top), and every control
// draws its piece of that picture, so that picture boxes are transparent
// over what lies beneath them, as in the Qt windows.
//
// Keyboard: Tab and Shift+Tab walk the form's tab order over the visible
// buttons, Space presses the focused button, Enter and Escape do nothing.
//
// It draws what the app core sets and forwards its presses and timer ticks
// (SetTimer timer n is "Timer<n>") to the app core by the widgets' layout
// names; its destruction by the close box is reported through
// SetOnDestroyed.
class FormWindow final : public appcore::FormView {
public:
    FormWindow(appcore::FormId form, BuiltInPictures& pictures, appcore::App& app);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return window_; }
    bool IsOpen() const { return window_ != nullptr; }

    // Shows the window and makes it the active one.
    void Show();
    void BringToFront();
    // As the close box: the window is destroyed.
    void Close();

    // Called once, when the window is destroyed (close box, Close or the
    // end of the program).
    void SetOnDestroyed(std::function<void()> onDestroyed) { onDestroyed_ = std::move(onDestroyed); }

    // The widget's window text: a label's text, a picture's or button's name.
    std::wstring TextOf(std::string_view widgetName) const;
    // The widget's own window, as a screen reader or a test finds it.
    HWND WidgetWindow(std::string_view widgetName) const;

    void SetText(std::string_view widget, const std::string& utf8Text) override;
    void SetPicture(std::string_view widget, engine::PicturePtr picture) override;
    void SetVisible(std::string_view widget, bool visible) override;
    void MoveLeft(std::string_view widget, float twips) override;
    void SetTimer(std::string_view timer, int milliseconds) override;
    void Focus(std::string_view widget) override;
    bool HasFocusedWidget() const override;
    void SetAccessible(std::string_view widget, const std::string& name,
                       const std::string& description) override;

private:
    std::size_t IndexOf(std::string_view name) const;
    void SetText(std::size_t widget, const std::wstring& text);
    // A picture from outside the program replaces the widget's own; an empty
    // face leaves it blank. keepAlive owns the face's bitmap.
    void SetFace(std::size_t widget, Face face, std::shared_ptr<const void> keepAlive);
    void SetVisible(std::size_t widget, bool visible);
    void MoveLeft(std::size_t widget, double twips);
    void Focus(std::size_t widget);
    bool SomeWidgetHasFocus() const;
    void StartTimer(UINT_PTR timer, UINT milliseconds);
    void StopTimer(UINT_PTR timer);

private:
    struct Widget {
        const layout::Widget* entry = nullptr;
        HWND handle = nullptr;
        bool visible = false;
        double left = 0;  // twips; the gauge moves
        OwnedFace own;  // in a stretching picture box, at the box's size
        bool replaced = false;
        Face outside;
        OwnedFace outsideStretched;  // `outside` at a stretching box's size
        std::shared_ptr<const void> keepAlive;
        HFONT font = nullptr;
        std::wstring text;

        const Face& CurrentFace() const {
            if (!replaced) return own.Get();
            return outsideStretched.Get().Empty() ? outside : outsideStretched.Get();
        }
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateWidgets();
    void ApplyDpi();
    RECT RectOf(const Widget& widget) const;
    void StretchOutside(Widget& widget) const;
    void Invalidate(const RECT& rect);
    void PaintScene(HDC dc, const RECT& area) const;
    void PaintWidget(HDC dc, const Widget& widget) const;
    void PaintPiece(HDC target, const RECT& piece) const;
    void MoveFocus(bool forward);
    Widget* WidgetOf(HWND handle);
    void ReleaseFonts();
    const layout::Font& FontOf(const layout::Widget& entry) const;

    appcore::FormId id_;
    appcore::App& app_;
    const layout::Form& form_;
    std::vector<std::size_t> tabOrder_;  // buttons by their tab index
    BuiltInPictures& pictures_;
    HWND window_ = nullptr;
    Dpi dpi_;
    OwnedFace background_;
    std::vector<Widget> widgets_;
    HWND savedFocus_ = nullptr;
    std::function<void()> onDestroyed_;
};

}  // namespace soruberia::windows

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/FormWindow.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "appcore/App.h"
#include "appcore/WidgetNames.h"
#include "content/FatalError.h"
#include "windows/platform/FatalBox.h"
#include "windows/platform/Utf16.h"
#include "windows/platform/WicPicture.h"
#include "windows/ui/Annotation.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace soruberia::windows {

namespace {

constexpr wchar_t kWindowClass[] = L"SoruberiaForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

WNDPROC buttonClassProc = nullptr;

bool Stretches(const layout::Widget& entry) { return entry.kind == layout::Kind::PictureBox && entry.stretch; }

void RegisterFormClass(WNDPROC windowProc) {
    static const bool registered = [windowProc] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                          GetSystemMetrics(SM_CXICON),
                                                          GetSystemMetrics(SM_CYICON), 0));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = kWindowClass;
        if (RegisterClassExW(&windowClass) == 0) throw FatalError("ウィンドウの種類を登録できません");
        return true;
    }();
    (void)registered;
}

}  // namespace

FormWindow::FormWindow(appcore::FormId form, BuiltInPictures& pictures, appcore::App& app)
    : id_(form), app_(app), form_(appcore::FormOf(form)), pictures_(pictures) {
    RegisterFormClass(&FormWindow::WindowProc);
    const RECT work = PrimaryWorkArea();
    const SIZE first = OuterSize(form_.clientWidth, form_.clientHeight, kStyle, kExStyle, Dpi{});
    const HWND window = CreateWindowExW(kExStyle, kWindowClass, Utf16(form_.caption).c_str(),
                                        kStyle, work.left, work.top, first.cx, first.cy, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) throw FatalError("ウィンドウを作れません: " + std::string(form_.name));

    dpi_ = DpiOfWindow(window_);
    CreateWidgets();
    ApplyDpi();

    // Centred on the primary monitor's work area, at that monitor's scale.
    const SIZE outer =
        OuterSize(dpi_.FromPixels(form_.clientWidth), dpi_.FromPixels(form_.clientHeight), kStyle,
                  kExStyle, dpi_);
    const int left = work.left + (work.right - work.left - outer.cx) / 2;
    const int top = work.top + (work.bottom - work.top - outer.cy) / 2;
    SetWindowPos(window_, nullptr, left, top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

FormWindow::~FormWindow() {
    onDestroyed_ = nullptr;
    if (window_ != nullptr) DestroyWindow(window_);
    ReleaseFonts();
}

void FormWindow::CreateWidgets() {
    widgets_.reserve(form_.widgets.size());
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = 1;
    for (const layout::Widget& entry : form_.widgets) {
        // Timers are SetTimer timers of the window itself.
        if (entry.kind == layout::Kind::Timer) continue;
        Widget widget;
        widget.entry = &entry;
        widget.visible = entry.visible;
        widget.left = entry.box.left;
        widget.text = Utf16(entry.accessibleName);
        const bool button = entry.kind == layout::Kind::PushButton;
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (entry.visible ? WS_VISIBLE : 0U);
        style |= button ? static_cast<DWORD>(BS_OWNERDRAW) : static_cast<DWORD>(SS_OWNERDRAW);
        widget.handle = CreateWindowExW(0, button ? L"BUTTON" : L"STATIC", widget.text.c_str(), style,
                                        0, 0, 1, 1, window_,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                        nullptr);
        if (widget.handle == nullptr) throw FatalError("部品を作れません: " + std::string(entry.name));
        if (button) {
            buttonClassProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                widget.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::ButtonProc)));
        }
        if (!entry.accessibleDescription.empty())
            AnnotateDescription(widget.handle, Utf16(entry.accessibleDescription));
        // Each new widget goes above the ones before it.
        SetWindowPos(widget.handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        widgets_.push_back(std::move(widget));
        ++id;
    }
    std::vector<std::pair<int, std::size_t>> byTabIndex;
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        if (widgets_[i].entry->tabIndex >= 0) byTabIndex.emplace_back(widgets_[i].entry->tabIndex, i);
    std::sort(byTabIndex.begin(), byTabIndex.end());
    for (const auto& [tabIndex, index] : byTabIndex) tabOrder_.push_back(index);
}

const layout::Font& FormWindow::FontOf(const layout::Widget& entry) const {
    return entry.font.family.empty() ? form_.font : entry.font;
}

void FormWindow::ApplyDpi() {
    ReleaseFonts();
    background_ = form_.background.empty() ? OwnedFace() : pictures_.Load(form_.background, dpi_);
    for (Widget& widget : widgets_) {
        const layout::Widget& entry = *widget.entry;
        if (!entry.picture.empty()) {
            const RECT box = RectOf(widget);
            widget.own = Stretches(entry)
                             ? pictures_.LoadStretched(entry.picture, dpi_,
                                                       SIZE{box.right - box.left, box.bottom - box.top})
                             : pictures_.Load(entry.picture, dpi_);
        }
        StretchOutside(widget);
        const layout::Font& font = FontOf(entry);
        if (entry.kind == layout::Kind::Label && !font.family.empty()) {
            // The form's point sizes as they measure at 96 dpi, grown with the screen.
            const int pixels = dpi_.FromPixels(layout::PointsToPixels(font.points));
            widget.font = CreateFontW(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                      FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, Utf16(font.family).c_str());
        }
        const RECT rect = RectOf(widget);
        SetWindowPos(widget.handle, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void FormWindow::ReleaseFonts() {
    for (Widget& widget : widgets_) {
        if (widget.font != nullptr) DeleteObject(widget.font);
        widget.font = nullptr;
    }
}

void FormWindow::StretchOutside(Widget& widget) const {
    // Once, so that painting only copies; should it fail, the face is
    // drawn stretched as GDI stretches it.
    widget.outsideStretched = OwnedFace();
    if (!Stretches(*widget.entry) || !widget.replaced) return;
    const RECT box = RectOf(widget);
    widget.outsideStretched = StretchedFace(widget.outside, box.right - box.left, box.bottom - box.top);
}

RECT FormWindow::RectOf(const Widget& widget) const {
    const layout::Widget& entry = *widget.entry;
    const int left = dpi_.FromTwips(widget.left);
    const int top = dpi_.FromTwips(entry.box.top);
    int width = dpi_.FromTwips(entry.box.width);
    int height = dpi_.FromTwips(entry.box.height);
    const Face& face = widget.CurrentFace();
    if (entry.kind == layout::Kind::PictureBox && !Stretches(entry) && !face.Empty()) {
        // A picture box that does not stretch takes its picture's size.
        width = dpi_.FromPixels(face.logicalWidth);
        height = dpi_.FromPixels(face.logicalHeight);
    }
    return RECT{left, top, left + width, top + height};
}

void FormWindow::Show() {
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

void FormWindow::BringToFront() {
    if (window_ == nullptr) return;
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    ShowWindow(window_, SW_SHOW);
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window_);
}

void FormWindow::Close() {
    if (window_ != nullptr) DestroyWindow(window_);
}

std::size_t FormWindow::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        if (widgets_[i].entry->name == name) return i;
    throw FatalError(std::string(form_.name) + " に部品 " + std::string(name) + " がありません");
}

std::wstring FormWindow::TextOf(std::string_view widgetName) const {
    return widgets_[IndexOf(widgetName)].text;
}

HWND FormWindow::WidgetWindow(std::string_view widgetName) const {
    return widgets_[IndexOf(widgetName)].handle;
}

void FormWindow::Invalidate(const RECT& rect) {
    RedrawWindow(window_, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormWindow::SetText(std::size_t index, const std::wstring& text) {
    Widget& widget = widgets_.at(index);
    if (widget.text == text) return;
    widget.text = text;
    SetWindowTextW(widget.handle, text.c_str());
    if (widget.entry->kind == layout::Kind::Label && widget.visible) Invalidate(RectOf(widget));
}

void FormWindow::SetFace(std::size_t index, Face face, std::shared_ptr<const void> keepAlive) {
    Widget& widget = widgets_.at(index);
    const RECT before = RectOf(widget);
    widget.replaced = true;
    widget.outside = face;
    widget.keepAlive = std::move(keepAlive);
    StretchOutside(widget);
    const RECT after = RectOf(widget);
    if (!EqualRect(&before, &after)) {
        SetWindowPos(widget.handle, nullptr, after.left, after.top, after.right - after.left,
                     after.bottom - after.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (widget.visible) {
        Invalidate(before);
        Invalidate(after);
    }
}

void FormWindow::SetVisible(std::size_t index, bool visible) {
    Widget& widget = widgets_.at(index);
    if (widget.visible == visible) return;
    if (!visible && (GetFocus() == widget.handle || savedFocus_ == widget.handle)) {
        // The focus moves on to the next button, as it does in Qt.
        const bool active = GetFocus() == widget.handle;
        MoveFocus(true);
        if (GetFocus() == widget.handle || savedFocus_ == widget.handle) {
            savedFocus_ = nullptr;
            if (active) SetFocus(window_);
        }
    }
    widget.visible = visible;
    ShowWindow(widget.handle, visible ? SW_SHOWNA : SW_HIDE);
    Invalidate(RectOf(widget));
}

void FormWindow::MoveLeft(std::size_t index, double twips) {
    Widget& widget = widgets_.at(index);
    const RECT before = RectOf(widget);
    widget.left = twips;
    const RECT after = RectOf(widget);
    SetWindowPos(widget.handle, nullptr, after.left, after.top, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    if (widget.visible) {
        Invalidate(before);
        Invalidate(after);
    }
}

void FormWindow::Focus(std::size_t index) {
    const HWND target = widgets_.at(index).handle;
    if (GetActiveWindow() == window_) {
        SetFocus(target);
    } else {
        savedFocus_ = target;  // taken when the window becomes active
    }
}

bool FormWindow::SomeWidgetHasFocus() const {
    const HWND focus = GetActiveWindow() == window_ ? GetFocus() : savedFocus_;
    return focus != nullptr && focus != window_ && GetParent(focus) == window_;
}

void FormWindow::StartTimer(UINT_PTR timer, UINT milliseconds) {
    ::SetTimer(window_, timer, milliseconds, nullptr);
}

void FormWindow::StopTimer(UINT_PTR timer) { ::KillTimer(window_, timer); }

FormWindow::Widget* FormWindow::WidgetOf(HWND handle) {
    for (Widget& widget : widgets_)
        if (widget.handle == handle) return &widget;
    return nullptr;
}

void FormWindow::MoveFocus(bool forward) {
    std::vector<HWND> chain;
    for (const std::size_t index : tabOrder_) {
        const Widget& widget = widgets_[index];
        if (widget.visible && IsWindowEnabled(widget.handle)) chain.push_back(widget.handle);
    }
    if (chain.empty()) return;
    const bool active = GetActiveWindow() == window_;
    const HWND current = active ? GetFocus() : savedFocus_;
    const auto at = std::find(chain.begin(), chain.end(), current);
    HWND next = nullptr;
    if (at == chain.end()) {
        next = forward ? chain.front() : chain.back();
    } else if (forward) {
        next = std::next(at) == chain.end() ? chain.front() : *std::next(at);
    } else {
        next = at == chain.begin() ? chain.back() : *std::prev(at);
    }
    if (active) {
        SetFocus(next);
    } else {
        savedFocus_ = next;
    }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    Guarded([&] { result = form->Handle(message, wParam, lParam); });
    return result;
}

LRESULT CALLBACK FormWindow::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // A quick second click is a second press, as in Qt, not a double click.
            message = WM_LBUTTONDOWN;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                SendMessageW(GetParent(button), WM_KEYDOWN, wParam, lParam);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
            break;
        default:
            break;
    }
    return CallWindowProcW(buttonClassProc, button, message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the whole window is painted in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window_, &paint);
            const RECT piece = paint.rcPaint;
            SetViewportOrgEx(dc, piece.left, piece.top, nullptr);
            PaintPiece(dc, piece);
            SetViewportOrgEx(dc, 0, 0, nullptr);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_CTLCOLORBTN:
            // The brush a button erases its box with before WM_DRAWITEM
            // paints it whole: the system's grey would flash as it shows.
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const Widget* widget = WidgetOf(item->hwndItem);
            if (widget == nullptr) return FALSE;
            PaintPiece(item->hDC, RectOf(*widget));
            return TRUE;
        }
        case WM_COMMAND: {
            const auto code = HIWORD(wParam);
            const Widget* widget = WidgetOf(reinterpret_cast<HWND>(lParam));
            if (widget != nullptr && widget->entry->kind == layout::Kind::PushButton &&
                (code == BN_CLICKED)) {
                app_.Pressed(id_, widget->entry->name);
            }
            return 0;
        }
        case WM_TIMER:
            app_.Ticked(id_, appcore::TimerName(static_cast<int>(wParam)));
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                MoveFocus(GetKeyState(VK_SHIFT) >= 0);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && GetParent(focus) == window_) savedFocus_ = focus;
            } else {
                SetFocus(savedFocus_ != nullptr && IsWindowVisible(savedFocus_) ? savedFocus_
                                                                                 : window_);
            }
            return 0;
        case WM_DPICHANGED: {
            dpi_ = Dpi{LOWORD(wParam)};
            ApplyDpi();
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            if (onDestroyed_) {
                const auto onDestroyed = std::move(onDestroyed_);
                onDestroyed_ = nullptr;
                onDestroyed();
            }
            return 0;
        case WM_NCDESTROY: {
            const HWND window = window_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The app core's operations, by the widgets' layout names.

void FormWindow::SetText(std::string_view widget, const std::string& utf8Text) {
    SetText(IndexOf(widget), Utf16(utf8Text));
}

void FormWindow::SetPicture(std::string_view widget, engine::PicturePtr picture) {
    Face face;
    if (picture) {
        const auto* read = dynamic_cast<const WinPicture*>(picture.get());
        if (read == nullptr) throw FatalError("画面に表示できない種類の絵です");
        face = Face{read->Bitmap(), read->Width(), read->Height(), read->Width(), read->Height(),
                    read->Pixels()};
    }
    SetFace(IndexOf(widget), face, std::move(picture));
}

void FormWindow::SetVisible(std::string_view widget, bool visible) { SetVisible(IndexOf(widget), visible); }

void FormWindow::MoveLeft(std::string_view widget, float twips) { MoveLeft(IndexOf(widget), twips); }

void FormWindow::SetTimer(std::string_view timer, int milliseconds) {
    const std::optional<int> number = appcore::IndexIn(timer, "Timer");
    if (!number || layout::Find(form_, timer) == nullptr)
        throw FatalError(std::string(form_.name) + " にタイマー " + std::string(timer) + " がありません");
    const auto id = static_cast<UINT_PTR>(*number);
    if (milliseconds > 0) {
        StartTimer(id, static_cast<UINT>(milliseconds));
    } else {
        StopTimer(id);
    }
}

void FormWindow::Focus(std::string_view widget) { Focus(IndexOf(widget)); }

bool FormWindow::HasFocusedWidget() const { return SomeWidgetHasFocus(); }

void FormWindow::SetAccessible(std::string_view widget, const std::string& name,
                               const std::string& description) {
    const std::size_t index = IndexOf(widget);
    // A control's window text is what a screen reader names it by.
    SetText(index, Utf16(name));
    AnnotateDescription(widgets_[index].handle, Utf16(description));
}

}  // namespace soruberia::windows

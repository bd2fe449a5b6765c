// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Reads a running program's window as a screen reader does, from outside:
//   window-probe.exe TITLE [WATCH_MS]
// finds the top-level window titled TITLE and prints one line per widget:
//   NAME VISIBLE LEFT TOP WIDTH HEIGHT FOCUSED TEXT
// FOCUSED is 1 for the widget that keys go to: the focus of the foreground window.
// tab-separated, in UTF-8, the rectangle in client pixels; in TEXT a
// backslash is written \\ and a line break \n. Widgets are named
// by the form's layout: the controls' identifiers count the form's widgets
// other than timers, from 1. With WATCH_MS the window is read every 20 ms for
// that long and every reading that differs from the one before is printed,
// each followed by a line "--". Exit status 1 when there is no such window.
//   window-probe.exe --box TITLE
// prints the text of the message box titled TITLE.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "windows/platform/Utf16.h"

namespace {

using soruberia::layout::Form;
using soruberia::layout::Kind;
using soruberia::layout::Widget;
using soruberia::windows::Utf16;
using soruberia::windows::Utf8;

const Form* FormTitled(const std::wstring& title) {
    for (const Form* form : {&soruberia::layout::GameWindow(), &soruberia::layout::MenuWindow(),
                             &soruberia::layout::HintWindow()})
        if (Utf16(form->caption) == title) return form;
    return nullptr;
}

// The widgets that are windows, in the order of their identifiers.
std::vector<const Widget*> ControlsOf(const Form& form) {
    std::vector<const Widget*> controls;
    for (const Widget& widget : form.widgets)
        if (widget.kind != Kind::Timer) controls.push_back(&widget);
    return controls;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c == '\t' ? ' ' : c;
        }
    }
    return out;
}

std::string Reading(HWND window, std::span<const Widget* const> controls) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    // Keys go to the focused widget of the foreground window only.
    const HWND focus = GetForegroundWindow() == window &&
                               GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)
                           ? gui.hwndFocus
                           : nullptr;
    std::string out;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const HWND child = GetDlgItem(window, static_cast<int>(i + 1));
        if (child == nullptr) continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
        out += std::string(controls[i]->name) + '\t' + (IsWindowVisible(child) ? "1" : "0") + '\t' +
               std::to_string(rect.left) + '\t' + std::to_string(rect.top) + '\t' +
               std::to_string(rect.right - rect.left) + '\t' + std::to_string(rect.bottom - rect.top) + '\t' +
               (child == focus ? "1" : "0") + '\t' + Escaped(Utf8(text)) + '\n';
    }
    return out;
}

// The texts of a message box: its static controls, as a screen reader reads them.
std::string BoxText(HWND box) {
    std::string out;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        if (lstrcmpiW(kind, L"Static") != 0) continue;
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
        if (!text.empty()) out += Utf8(text);
    }
    return out;
}

void Write(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) {
        Write("usage: window-probe TITLE [WATCH_MS] | window-probe --box TITLE\n");
        return 2;
    }
    if (std::wstring(argv[1]) == L"--box" && argc == 3) {
        const HWND box = FindWindowW(L"#32770", argv[2]);
        if (box == nullptr) return 1;
        Write(BoxText(box));
        return 0;
    }
    const std::wstring title = argv[1];
    const Form* form = FormTitled(title);
    if (form == nullptr) {
        Write("no form has that title\n");
        return 2;
    }
    const std::vector<const Widget*> controls = ControlsOf(*form);
    // The program's top-level window, not a message box of the same title.
    const HWND window = FindWindowW(L"SoruberiaForm", title.c_str());
    if (window == nullptr) return 1;
    if (argc == 2) {
        Write(Reading(window, controls));
        return 0;
    }
    const ULONGLONG end = GetTickCount64() + std::stoull(argv[2]);
    std::string last;
    while (GetTickCount64() < end && IsWindow(window)) {
        std::string now = Reading(window, controls);
        if (now != last) {
            Write(now + "--\n");
            last = std::move(now);
        }
        Sleep(20);
    }
    return 0;
}

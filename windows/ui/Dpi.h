// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cmath>

namespace soruberia::windows {

// The forms are laid out in twips, 15 to the pixel at 96 dpi; on a screen
// of more dots per inch everything grows in proportion.
struct Dpi {
    UINT dotsPerInch = 96;

    double Ratio() const { return dotsPerInch / 96.0; }
    int FromTwips(double twips) const {
        return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
    }
    int FromPixels(double pixelsAt96) const {
        return static_cast<int>(std::lround(pixelsAt96 * dotsPerInch / 96.0));
    }
    // Twips back from device pixels, for positions read off a window.
    double ToTwips(int pixels) const { return pixels * 1440.0 / dotsPerInch; }
};

// The dots per inch of the monitor a window is on; the system's when the
// Windows version knows nothing of per-monitor scaling.
Dpi DpiOfWindow(HWND window);

// The outer size of a window whose client area is clientWidth × clientHeight
// device pixels.
SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, Dpi dpi);

// The work area of the primary monitor, without the task bar.
RECT PrimaryWorkArea();

// Asks for per-monitor scaling (version 2) when the manifest has not already.
void BecomePerMonitorDpiAware();

}  // namespace soruberia::windows

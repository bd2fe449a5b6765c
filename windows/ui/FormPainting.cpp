// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// How a form draws itself: one picture of the whole window, of which the
// window and each of its controls shows its own piece.
#include "windows/ui/FormWindow.h"

namespace soruberia::windows {

namespace {

COLORREF ColourOf(layout::Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

// A memory picture the size of one piece of the window, so a piece is drawn
// whole before it is shown and nothing flickers.
class Canvas {
public:
    Canvas(HDC like, int width, int height)
        : dc_(CreateCompatibleDC(like)), bitmap_(CreateCompatibleBitmap(like, width, height)) {
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

void FormWindow::PaintWidget(HDC dc, const Widget& widget) const {
    const layout::Widget& entry = *widget.entry;
    const RECT rect = RectOf(widget);
    switch (entry.kind) {
        case layout::Kind::Label: {
            const HBRUSH ground = CreateSolidBrush(ColourOf(entry.ground));
            FillRect(dc, &rect, ground);
            DeleteObject(ground);
            if (!widget.text.empty() && widget.font != nullptr) {
                const HGDIOBJ previous = SelectObject(dc, widget.font);
                SetTextColor(dc, ColourOf(entry.text));
                SetBkMode(dc, TRANSPARENT);
                RECT box = rect;
                const UINT align = entry.align == layout::Align::Centre ? DT_CENTER : DT_LEFT;
                DrawTextW(dc, widget.text.c_str(), static_cast<int>(widget.text.size()), &box,
                          DT_TOP | DT_WORDBREAK | DT_NOPREFIX | align);
                SelectObject(dc, previous);
            }
            break;
        }
        case layout::Kind::PictureBox:
            DrawFace(dc, widget.CurrentFace(), rect);
            break;
        case layout::Kind::PushButton: {
            const Face& face = widget.CurrentFace();
            const int width = dpi_.FromPixels(face.logicalWidth);
            const int height = dpi_.FromPixels(face.logicalHeight);
            int left = rect.left + (rect.right - rect.left - width) / 2;
            int top = rect.top + (rect.bottom - rect.top - height) / 2;
            const auto state = SendMessageW(widget.handle, BM_GETSTATE, 0, 0);
            if ((state & BST_PUSHED) != 0) {
                // The face sinks while held.
                left += dpi_.FromPixels(1);
                top += dpi_.FromPixels(1);
            }
            SaveDC(dc);
            IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
            DrawFace(dc, face, RECT{left, top, left + width, top + height});
            if (GetFocus() == widget.handle) {
                // A dotted ring, black on white, that shows on every face.
                const int inset = dpi_.FromPixels(3);
                const RECT ring{rect.left + inset, rect.top + inset, rect.right - inset,
                                rect.bottom - inset};
                SelectObject(dc, GetStockObject(NULL_BRUSH));
                const HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
                const HGDIOBJ previous = SelectObject(dc, white);
                Rectangle(dc, ring.left, ring.top, ring.right, ring.bottom);
                LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
                const HPEN dots = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &black, 0, nullptr);
                SelectObject(dc, dots);
                Rectangle(dc, ring.left, ring.top, ring.right, ring.bottom);
                SelectObject(dc, previous);
                DeleteObject(white);
                DeleteObject(dots);
            }
            RestoreDC(dc, -1);
            break;
        }
        case layout::Kind::Timer:
            break;
    }
}

void FormWindow::PaintScene(HDC dc, const RECT& area) const {
    // Where no picture covers the window; the menu's picture covers all of it.
    const HBRUSH ground = CreateSolidBrush(ColourOf(form_.colour.value_or(layout::kBlack)));
    FillRect(dc, &area, ground);
    DeleteObject(ground);
    const Face& background = background_.Get();
    // Unscaled from the top-left corner; a larger picture is cut at the edges.
    DrawFace(dc, background, RECT{0, 0, background.width, background.height});
    for (const Widget& widget : widgets_) {
        if (!widget.visible) continue;
        const RECT rect = RectOf(widget);
        RECT common{};
        if (IntersectRect(&common, &rect, &area)) PaintWidget(dc, widget);
    }
}

void FormWindow::PaintPiece(HDC target, const RECT& piece) const {
    // piece is in the window's client coordinates; target's origin is at
    // its top-left corner.
    const int width = piece.right - piece.left;
    const int height = piece.bottom - piece.top;
    if (width <= 0 || height <= 0) return;
    const Canvas canvas(target, width, height);
    SetViewportOrgEx(canvas.Dc(), -piece.left, -piece.top, nullptr);
    PaintScene(canvas.Dc(), piece);
    SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
    BitBlt(target, 0, 0, width, height, canvas.Dc(), 0, 0, SRCCOPY);
}

}  // namespace soruberia::windows

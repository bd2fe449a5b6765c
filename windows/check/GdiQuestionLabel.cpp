// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/check/GdiQuestionLabel.h"

#include <algorithm>
#include <cstdint>
#include <vector>
#include <stdexcept>
#include <string_view>

#include "check/core/LabelTwin.h"
#include "windows/platform/Utf16.h"

namespace soruberia::windows {

namespace {

// As the game window paints its labels; DT_CALCRECT is added to measure.
constexpr UINT kLabelFlags = DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

}  // namespace

GdiQuestionLabel::GdiQuestionLabel() {
    const check::LabelTwinSetUp& twin = check::kQuestionLabelTwin;
    width_ = twin.box.width;
    height_ = twin.box.height;
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) throw std::runtime_error("GDI の描画面を作れません");
    const layout::Font& font = twin.font;
    font_ = CreateFontW(-twin.fontPixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                        FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Utf16(font.family).c_str());
    if (font_ == nullptr) {
        DeleteDC(dc_);
        throw std::runtime_error("問題の欄のフォントを作れません");
    }
    previousFont_ = SelectObject(dc_, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    // DrawTextW steps one line by the font's height, without external leading.
    lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
}

GdiQuestionLabel::~GdiQuestionLabel() {
    SelectObject(dc_, previousFont_);
    DeleteObject(font_);
    DeleteDC(dc_);
}

std::string GdiQuestionLabel::Face() const {
    wchar_t face[LF_FACESIZE] = {};
    const int length = GetTextFaceW(dc_, LF_FACESIZE, face);
    return Utf8(std::wstring_view(face, static_cast<std::size_t>(std::max(0, length - 1))));
}

std::string GdiQuestionLabel::FontNote() { return check::FontNote(Face(), "ＭＳ Ｐ明朝 が見つからない"); }

int GdiQuestionLabel::Height(const std::wstring& text) const {
    if (text.empty()) return 0;
    RECT box{0, 0, width_, 0};
    return DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &box, kLabelFlags | DT_CALCRECT);
}

std::vector<std::uint32_t> GdiQuestionLabel::Render(const std::wstring& text, int height) const {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) throw std::runtime_error("GDI の描画面を作れません");
    const HGDIOBJ previous = SelectObject(dc_, bitmap);
    RECT box{0, 0, width_, height};
    FillRect(dc_, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &box, kLabelFlags);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height);
    std::vector<std::uint32_t> copy(pixels, pixels + count);
    SelectObject(dc_, previous);
    DeleteObject(bitmap);
    return copy;
}

std::size_t GdiQuestionLabel::ShownLength(const std::wstring& text, int shownLines) const {
    if (shownLines < 1) return 0;
    const int shownHeight = shownLines * lineHeight_;
    // The lines that show whole, drawn as the label draws them; they end
    // where a beginning of the text that takes no more lines draws the same.
    // A shorter one lacks characters, a longer one a word that in the whole
    // text moves on to the next line.
    const std::vector<std::uint32_t> shown = Render(text, shownHeight);
    for (std::size_t length = text.size(); length > 0; --length) {
        if (length < text.size() && IS_LOW_SURROGATE(text[length])) continue;
        const std::wstring beginning = text.substr(0, length);
        if (Height(beginning) <= shownHeight && Render(beginning, shownHeight) == shown) return length;
    }
    return 0;
}

check::LabelFit GdiQuestionLabel::Measure(const std::string& text) {
    const std::wstring wide = Utf16(text);
    check::LabelFit fit;
    fit.height = height_;
    if (wide.empty()) return fit;
    fit.neededHeight = Height(wide);
    fit.fits = fit.neededHeight <= fit.height;
    fit.lines = (fit.neededHeight + lineHeight_ - 1) / lineHeight_;
    fit.shownLines = std::min(fit.lines, fit.height / lineHeight_);
    if (fit.fits) {
        fit.shown = check::OneLine(text);
        return fit;
    }
    const std::size_t shownEnd = ShownLength(wide, fit.shownLines);
    fit.shown = check::OneLine(Utf8(std::wstring_view(wide).substr(0, shownEnd)));
    fit.cut = check::OneLine(Utf8(std::wstring_view(wide).substr(shownEnd)));
    return fit;
}

}  // namespace soruberia::windows

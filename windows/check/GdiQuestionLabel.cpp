// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/check/GdiQuestionLabel.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "layout/GameLayout.h"
#include "layout/Units.h"
#include "windows/platform/Utf16.h"

namespace soruberia::windows {

namespace {

// As the game window paints its labels; DT_CALCRECT is added to measure.
constexpr UINT kLabelFlags = DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

std::string Trimmed(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n') c = L' ';
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    const auto last = text.find_last_not_of(L" \t");
    return Utf8(std::wstring_view(text).substr(first, last - first + 1));
}

}  // namespace

GdiQuestionLabel::GdiQuestionLabel() {
    const layout::PixelRect box = layout::ToPixels(layout::kQuestionLabel.box);
    width_ = box.width;
    height_ = box.height;
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) throw std::runtime_error("GDI の描画面を作れません");
    const layout::Font& font = layout::kQuestionLabel.font;
    font_ = CreateFontW(-layout::PointsToPixels(font.points), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
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

std::string GdiQuestionLabel::FontNote() {
    const std::string face = Face();
    if (face.find("明朝") != std::string::npos || face.find("Mincho") != std::string::npos) return {};
    return "ＭＳ Ｐ明朝 が見つからないので、問題の文はフォント「" + face + "」で測っています";
}

check::LabelFit GdiQuestionLabel::Measure(const std::string& text) {
    std::wstring wide = Utf16(text);
    check::LabelFit fit;
    fit.height = height_;
    if (wide.empty()) return fit;
    const int length = static_cast<int>(wide.size());
    RECT needed{0, 0, width_, 0};
    fit.neededHeight = DrawTextW(dc_, wide.data(), length, &needed, kLabelFlags | DT_CALCRECT);
    fit.fits = fit.neededHeight <= fit.height;
    fit.lines = (fit.neededHeight + lineHeight_ - 1) / lineHeight_;
    fit.shownLines = std::min(fit.lines, fit.height / lineHeight_);
    if (fit.fits) {
        fit.shown = Trimmed(wide);
        return fit;
    }
    // The characters of the lines that show whole: laid out in a box that
    // holds just those lines, stopping before a line it would cut.
    RECT shownBox{0, 0, width_, fit.shownLines * lineHeight_};
    DRAWTEXTPARAMS params{};
    params.cbSize = sizeof params;
    DrawTextExW(dc_, wide.data(), length, &shownBox, kLabelFlags | DT_EDITCONTROL, &params);
    const auto shownEnd = std::min<std::size_t>(params.uiLengthDrawn, wide.size());
    fit.shown = Trimmed(wide.substr(0, shownEnd));
    fit.cut = Trimmed(wide.substr(shownEnd));
    return fit;
}

}  // namespace soruberia::windows

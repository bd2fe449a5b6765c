// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageLabel.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "check/core/LabelTwin.h"

namespace soruberia::web {

namespace {

// Fields of the measure, in the order the JavaScript below writes them.
enum Field { kFits, kScale, kLines, kNeeded, kHeight, kShownLines, kShownBytes, kFieldCount };

// The label's box and font at 96 dpi, shaped as a widget of the layout
// tables (soruberia_layout) that the game page draws with.
EM_JS(void, soruberia_measure_question,
      (const char* text, int width, int height, const char* face, int px, int bold, int* fields, char* usedFace,
       int usedFaceSize),
      {
          const words = UTF8ToString(text);
          const label = {width : width, height : height, font : {face : UTF8ToString(face), px : px, bold : bold != 0}};
          const fit = globalThis.soruberiaMeasureQuestion(words, label);
          const shown = lengthBytesUTF8(words.slice(0, fit.shownLength));
          const values = [ fit.fits ? 1 : 0, Math.round(fit.scale * 100), fit.lines, fit.neededHeight, fit.height,
                           fit.shownLines, shown ];
          for (let i = 0; i < values.length; ++i) HEAP32[(fields >> 2) + i] = values[i];
          stringToUTF8(fit.face || "", usedFace, usedFaceSize);
      });

struct Measured {
    check::LabelFit fit;
    std::string face;
};

Measured MeasureOnPage(const std::string& text) {
    const check::LabelTwinSetUp& twin = check::kQuestionLabelTwin;
    const std::string face(twin.font.family);
    std::array<int, kFieldCount> fields{};
    std::array<char, 256> usedFace{};
    soruberia_measure_question(text.c_str(), twin.box.width, twin.box.height, face.c_str(), twin.fontPixels,
                               twin.font.bold ? 1 : 0, fields.data(), usedFace.data(), static_cast<int>(usedFace.size()));
    Measured measured;
    check::LabelFit& fit = measured.fit;
    fit.fits = fields[kFits] != 0;
    fit.scalePercent = fields[kScale];
    fit.lines = fields[kLines];
    fit.neededHeight = fields[kNeeded];
    fit.height = fields[kHeight];
    fit.shownLines = fields[kShownLines];
    const auto shownBytes = static_cast<std::size_t>(fields[kShownBytes]);
    fit.shown = check::OneLine(text.substr(0, shownBytes));
    fit.cut = check::OneLine(text.substr(std::min(shownBytes, text.size())));
    measured.face = usedFace.data();
    return measured;
}

}  // namespace

check::LabelFit PageQuestionLabel::Measure(const std::string& text) { return MeasureOnPage(text).fit; }

std::string PageQuestionLabel::FontNote() {
    // The page asks for Mincho faces only; none of them on this device
    // leaves the browser's own serif face.
    const std::string face = MeasureOnPage("").face;
    if (!face.empty()) return {};
    return check::FontNote("serif（ブラウザの既定のフォント）",
                           "ＭＳ Ｐ明朝 も、代わりになる明朝体 (IPAP明朝、ヒラギノ明朝、游明朝、Noto Serif CJK JP) も"
                           "この機器に入っていない");
}

}  // namespace soruberia::web

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// soruberiaMeasureQuestion for Node, which has no layout engine: a model of
// the page's question label (site/label-fit.js) in which a character is as
// wide as the font's size (full width) or half of it, a line breaks at any
// character that would cross the box, lines stand 1.2 sizes apart, and a
// text that overflows is shrunk by 5 % steps down to 80 %. Its measures are
// not the browser's: the tests compare the module's use of them.
'use strict';

function isFullWidth(codePoint) {
  return codePoint >= 0x2000 && !(codePoint >= 0xFF61 && codePoint <= 0xFF9F);
}

// The lines of a text at a font size; each line's first UTF-16 index.
function lineStarts(text, width, px) {
  const starts = [0];
  let x = 0;
  for (let i = 0; i < text.length;) {
    const codePoint = text.codePointAt(i);
    const size = codePoint > 0xFFFF ? 2 : 1;
    if (text[i] === '\n') {
      starts.push(i + 1);
      x = 0;
    } else {
      const advance = isFullWidth(codePoint) ? px : px / 2;
      if (x + advance > width && x > 0) {
        starts.push(i);
        x = 0;
      }
      x += advance;
    }
    i += size;
  }
  return starts;
}

function measureQuestion(text, label) {
  for (let step = 0; ; ++step) {
    const scale = Math.round((1 - step * 0.05) * 100) / 100;
    const px = label.font.px * scale;
    const starts = lineStarts(text, label.width, px);
    const lineHeight = px * 1.2;
    const neededHeight = Math.ceil(starts.length * lineHeight);
    const fits = neededHeight <= label.height;
    if (fits || scale <= 0.8) {
      const shownLines = Math.floor((label.height + 0.5) / lineHeight);
      const shownLength = shownLines < starts.length ? starts[shownLines] : text.length;
      return {fits, scale, lines: starts.length, neededHeight, height: label.height, shownLines, shownLength,
        face: 'Model Mincho'};
    }
  }
}

module.exports = {measureQuestion};

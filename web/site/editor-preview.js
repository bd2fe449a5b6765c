// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A question as the game page shows it: the game's question label (its
// size, font and colours, from the module) drawn on its navy frame, at the
// size label-fit.js fits it to, so that what does not fit here does not
// fit in the game either, and is cut off at the same place.
// The fit is measured on label-fit.js's hidden twin of the label, not on
// the panel: measuring a panel would lay out the whole page around it,
// once for every question. The twin keeps what it measured, so the
// checker's report on the same texts finds them measured already.
// A plain script: window.SoruberiaQuestionPreview.
(function (global) {
  'use strict';
  const fit = () => global.soruberiaLabelFit;

  class QuestionPreview {
    // label: the game's question label as the module gives it.
    constructor(label) {
      this.label = label;
      this.template = null;
    }

    // A new panel: {panel, text}; the panel holds the label, at its own
    // size until fitted.
    create() {
      if (!this.template) {
        const panel = document.createElement('div');
        panel.className = 'panel';
        panel.setAttribute('aria-hidden', 'true');
        panel.style.backgroundColor = this.label.ground;
        const text = document.createElement('div');
        text.className = 'panel-label';
        fit().styleLabel(text, Object.assign({}, this.label, {left: undefined, top: undefined}));
        // In its frame, not at its place on the game's window.
        text.style.position = 'relative';
        // Out of view its text is not laid out; the label is as large
        // either way.
        text.style.contentVisibility = 'auto';
        panel.append(text);
        this.template = panel;
      }
      const panel = this.template.cloneNode(true);
      return {panel, text: panel.firstChild};
    }

    // Measures `words` in the label: {scale, note}, note '' when it is
    // drawn at its own size, else a short note of how it fits. Reads
    // nothing of the page but the twin.
    measure(words) {
      const {fits, scale, shownLength} = fit().measureText(words, this.label);
      if (fits && scale === 1) return {scale, note: ''};
      const percent = Math.round(scale * 100);
      if (fits) return {scale, note: `ゲームでは少し小さく（${percent} %）表示されます。`};
      const cut = words.slice(shownLength).replace(/\s+/g, ' ').trim();
      const start = [...cut].slice(0, 8).join('');
      return {
        scale,
        note: `枠に収まりません（${percent} % に縮めても）。ゲームでは「${start}${cut.length > start.length ? '…' : ''}」から先が切れます。`,
      };
    }

    // The checker's report asks which face the device draws the label
    // with; finding out takes some canvas measures, better spent while
    // the page is idle than in the report. One step of it; true once done.
    prepare() {
      return fit().probeFace(this.label.font);
    }

    // Draws `words` in a panel's label at a measure's size.
    draw(text, words, measured) {
      if (text.textContent !== words) text.textContent = words;
      text.style.fontSize = this.label.font.px * measured.scale + 'px';
    }
  }

  global.SoruberiaQuestionPreview = QuestionPreview;
})(this);

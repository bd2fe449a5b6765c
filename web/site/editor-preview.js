// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A question as the game page shows it: the game's question label (its
// size, font and colours, from the module) drawn and fitted by
// label-fit.js on its navy frame, so that what does not fit here does not
// fit in the game either, and is cut off at the same place.
// A plain script: window.SoruberiaQuestionPreview.
(function (global) {
  'use strict';
  const fit = () => global.soruberiaLabelFit;

  class QuestionPreview {
    // label: the game's question label as the module gives it.
    constructor(label) {
      this.label = label;
    }

    // A new panel: {panel, text}; the panel holds the label.
    create() {
      const panel = document.createElement('div');
      panel.className = 'panel';
      panel.setAttribute('aria-hidden', 'true');
      panel.style.backgroundColor = this.label.ground;
      const text = document.createElement('div');
      text.className = 'panel-label';
      fit().styleLabel(text, Object.assign({}, this.label, {left: undefined, top: undefined}));
      // In its frame, not at its place on the game's window.
      text.style.position = 'relative';
      panel.append(text);
      return {panel, text};
    }

    // Draws `words` and says how it fits: '' when at its own size, else a
    // short note.
    draw(text, words) {
      text.textContent = words;
      const {fits, scale} = fit().fitLabel(text);
      if (fits && scale === 1) return '';
      const percent = Math.round(scale * 100);
      if (fits) return `ゲームでは少し小さく（${percent} %）表示されます。`;
      const cut = words.slice(fit().measureLabel(text).shownLength).replace(/\s+/g, ' ').trim();
      const start = [...cut].slice(0, 8).join('');
      return `枠に収まりません（${percent} % に縮めても）。ゲームでは「${start}${cut.length > start.length ? '…' : ''}」から先が切れます。`;
    }
  }

  global.SoruberiaQuestionPreview = QuestionPreview;
})(this);

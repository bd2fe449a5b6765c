// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A text field's stated length: the browser's maxlength cuts what is typed,
// pasted or dropped beyond it, silently; a note under the field says what
// was left out.
// A plain script: window.soruberiaEditorLength.
(function (global) {
  'use strict';

  // `text` as the field takes it: a textarea keeps its lines with LF
  // alone, a one-line field drops its line breaks.
  function taken(text, field) {
    return field.tagName === 'TEXTAREA' ? text.replace(/\r\n?/g, '\n') : text.replace(/[\r\n]/g, '');
  }

  // Sets field's maxlength; `note` (hidden until then) tells when an
  // insertion did not fit. `what` names the text: 問題の文, 説明.
  function limit(field, note, maxLength, what) {
    field.maxLength = maxLength;
    let pasted = null;  // the paste or drop under way: its beforeinput may carry no text
    let over = 0;       // code units of the insertion under way that do not fit
    const tell = () => {
      note.textContent = over > 0 ? `${what}は ${maxLength} 文字までです。超えた ${over} 文字は入りませんでした。` : '';
      note.hidden = over === 0;
    };
    for (const type of ['paste', 'drop']) {
      field.addEventListener(type, (event) => {
        const data = event.clipboardData || event.dataTransfer;
        pasted = data ? data.getData('text/plain') : null;
      });
    }
    field.addEventListener('beforeinput', (event) => {
      const text = typeof event.data === 'string' ? event.data
        : event.dataTransfer ? event.dataTransfer.getData('text/plain') : pasted;
      pasted = null;
      over = 0;
      if (!event.inputType.startsWith('insert') || !text) return;
      const kept = field.value.length - (field.selectionEnd - field.selectionStart);
      over = Math.max(0, kept + taken(text, field).length - maxLength);
      // Nothing fits: no input event follows.
      if (kept >= maxLength) tell();
    });
    field.addEventListener('input', () => {
      tell();
      over = 0;
    });
  }

  global.soruberiaEditorLength = {limit};
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The editor's module (soruberia-check.js) as the page calls it: every
// rule of the bank lives there; this file only passes strings and numbers
// in and JSON out. Questions are numbered 1 to 26.
// A plain script (window.SoruberiaEditorCore) and a CommonJS module for the
// tests in Node.
(function (global) {
  'use strict';
  const bank = global.soruberiaBank || require('./bank-files.js');

  // A field's text as bytes for the module: UTF-8, except that a lone
  // surrogate keeps its own three bytes (WTF-8) where the module's string
  // functions would join it to the next character or make it U+FFFD; the
  // module flags it as it is. A NUL is a byte like any other: the length
  // goes in beside the bytes.
  function textBytes(text) {
    const bytes = new Uint8Array(text.length * 3);
    let n = 0;
    for (let i = 0; i < text.length; ++i) {
      let c = text.charCodeAt(i);
      const low = i + 1 < text.length ? text.charCodeAt(i + 1) : 0;
      if (c >= 0xD800 && c <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
      if (c < 0x80) {
        bytes[n++] = c;
      } else if (c < 0x800) {
        bytes[n++] = 0xC0 | (c >> 6);
        bytes[n++] = 0x80 | (c & 0x3F);
      } else if (c < 0x10000) {
        bytes[n++] = 0xE0 | (c >> 12);
        bytes[n++] = 0x80 | ((c >> 6) & 0x3F);
        bytes[n++] = 0x80 | (c & 0x3F);
      } else {
        bytes[n++] = 0xF0 | (c >> 18);
        bytes[n++] = 0x80 | ((c >> 12) & 0x3F);
        bytes[n++] = 0x80 | ((c >> 6) & 0x3F);
        bytes[n++] = 0x80 | (c & 0x3F);
      }
    }
    return bytes.subarray(0, n);
  }

  class EditorCore {
    constructor(core) {
      this.core = core;
    }

    call(name, ...args) { return bank.call(this.core, name, ...args); }
    json(name, ...args) { return JSON.parse(this.call(name, ...args)); }

    // A file's bytes into the module, by its path relative to the page;
    // or soruberiaBank.TOO_LARGE for one measured and not read.
    put(pagePath, bytes) { bank.putFile(this.core, pagePath, bytes); }
    // The most bytes the module takes of the file at a path.
    limit(pagePath) { return bank.fileLimit(this.core, pagePath); }
    setBankFolder(folder) { this.call('set_bank_folder', folder); }

    open(folder) { return this.json('editor_open', folder); }
    fresh() { return this.json('editor_new'); }
    state() { return this.json('editor_state'); }
    // soruberia_<name>(...numbers, bytes, length) with a field's text; the
    // JSON it returns.
    withText(name, text, ...numbers) {
      const core = this.core;
      const bytes = textBytes(text);
      const at = core._malloc(Math.max(bytes.length, 1));
      core.HEAPU8.set(bytes, at);  // after _malloc, which may grow the memory
      try {
        return JSON.parse(core.UTF8ToString(core['_soruberia_' + name](...numbers, at, bytes.length)));
      } finally {
        core._free(at);
      }
    }

    // The longest texts the fields take: {question, explanation}.
    limits() { return this.json('editor_limits'); }
    setText(question, text) { return this.withText('editor_set_text', text, question); }
    setIons(question, mask) { return this.json('editor_set_ions', question, mask); }
    setExplanation(text) { return this.withText('editor_set_explanation', text); }
    replaceFlagged() { return this.json('editor_replace_flagged'); }
    // {ok: true} with the three files in the module under `folder`, or
    // {ok: false, problems: [{question, at, character}]}.
    write(folder) { return this.json('editor_write', folder); }
    table() { return this.json('editor_table'); }
    query(reagent, result) { return this.json('editor_query', reagent, result); }
    questionLabel() { return this.json('editor_question_label'); }
    checkFiles() { return JSON.parse(this.core.UTF8ToString(this.core._soruberia_check_files())); }
    check(basePath) { return this.json('check', basePath); }

    // A copy of the bytes of a file the module wrote, e.g. "編集中/mondai.txt".
    file(pagePath) {
      const core = this.core;
      const size = core.lengthBytesUTF8(pagePath) + 1;
      const name = core._malloc(size);
      core.stringToUTF8(pagePath, name, size);
      try {
        const at = core._soruberia_editor_file(name);
        const length = core._soruberia_editor_file_size(name);
        return core.HEAPU8.slice(at, at + length);
      } finally {
        core._free(name);
      }
    }
  }

  // The mask of a set of button numbers: bit k for button k.
  EditorCore.maskOf = (buttons) => buttons.reduce((mask, button) => mask | (1 << button), 0);

  EditorCore.textBytes = textBytes;

  if (typeof module === 'object' && module.exports) {
    module.exports = EditorCore;
  } else {
    global.SoruberiaEditorCore = EditorCore;
  }
})(this);

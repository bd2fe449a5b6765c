// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The editor's module (soruberia-check.js) as the page calls it: every
// rule of the bank lives there; this file only passes strings and numbers
// in and JSON out. Questions are numbered 1 to 26.
// A plain script: window.SoruberiaEditorCore.
(function (global) {
  'use strict';

  class EditorCore {
    constructor(core) {
      this.core = core;
    }

    call(name, ...args) { return global.soruberiaBank.call(this.core, name, ...args); }
    json(name, ...args) { return JSON.parse(this.call(name, ...args)); }

    // A file's bytes into the module, by its path relative to the page;
    // or soruberiaBank.TOO_LARGE for one measured and not read.
    put(pagePath, bytes) { global.soruberiaBank.putFile(this.core, pagePath, bytes); }
    // The most bytes the module takes of the file at a path.
    limit(pagePath) { return global.soruberiaBank.fileLimit(this.core, pagePath); }
    setBankFolder(folder) { this.call('set_bank_folder', folder); }

    open(folder) { return this.json('editor_open', folder); }
    fresh() { return this.json('editor_new'); }
    state() { return this.json('editor_state'); }
    setText(question, text) { return this.json('editor_set_text', question, text); }
    setIons(question, mask) { return this.json('editor_set_ions', question, mask); }
    setExplanation(text) { return this.json('editor_set_explanation', text); }
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

  global.SoruberiaEditorCore = EditorCore;
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the checker calls an error in the bank about to be saved (a
// question cut off in its panel, the one error the rows cannot prevent):
// never saved unasked. The teacher may still save work in progress.
// A plain script: window.SoruberiaSaveErrors.
(function (global) {
  'use strict';

  class SaveErrors {
    // dialog: the <dialog>; list: its <ul>; save and back: its buttons.
    constructor(dialog, list, save, back) {
      this.dialog = dialog;
      this.list = list;
      this.answer = null;
      save.addEventListener('click', () => this.settle(true));
      back.addEventListener('click', () => this.settle(false));
      dialog.addEventListener('close', () => this.settle(false));
    }

    // findings: the checker's errors, [{file, line, message}]; resolves
    // true when the teacher saves anyway.
    async confirm(findings) {
      const items = findings.map((finding) => {
        const item = document.createElement('li');
        item.textContent = [finding.file, finding.line ? finding.line + ' 行目' : '', finding.message]
          .filter(Boolean).join(' ');
        return item;
      });
      this.list.replaceChildren(...items);
      if (this.answer) return false;
      const answer = new Promise((resolve) => { this.answer = resolve; });
      this.dialog.showModal();
      return answer;
    }

    settle(save) {
      const resolve = this.answer;
      if (!resolve) return;
      this.answer = null;
      if (this.dialog.open) this.dialog.close();
      resolve(save);
    }
  }

  global.SoruberiaSaveErrors = SaveErrors;
})(this);

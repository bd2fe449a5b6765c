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
    // list: the dialog's <ul>; question: the SoruberiaQuestion that asks.
    constructor(list, question) {
      this.list = list;
      this.question = question;
    }

    // findings: the checker's errors, [{file, line, message}]; resolves
    // true when the teacher saves anyway.
    confirm(findings) {
      const items = findings.map((finding) => {
        const item = document.createElement('li');
        item.textContent = [finding.file, finding.line ? finding.line + ' 行目' : '', finding.message]
          .filter(Boolean).join(' ');
        return item;
      });
      this.list.replaceChildren(...items);
      return this.question.ask();
    }
  }

  global.SoruberiaSaveErrors = SaveErrors;
})(this);

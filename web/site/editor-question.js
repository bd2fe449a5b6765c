// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A yes-or-no question asked in a <dialog> of the page (window.confirm
// would stop the page and looks foreign on a tablet). Escape, like the no
// button, answers no.
// A plain script: window.SoruberiaQuestion.
(function (global) {
  'use strict';

  class Question {
    constructor(dialog, yes, no) {
      this.dialog = dialog;
      this.answer = null;
      yes.addEventListener('click', () => this.settle(true));
      no.addEventListener('click', () => this.settle(false));
      dialog.addEventListener('close', () => this.settle(false));
    }

    // Resolves with the answer; a second ask while one is open is a no.
    ask() {
      if (this.answer) return Promise.resolve(false);
      const answer = new Promise((resolve) => { this.answer = resolve; });
      this.dialog.showModal();
      return answer;
    }

    settle(yes) {
      const resolve = this.answer;
      if (!resolve) return;
      this.answer = null;
      if (this.dialog.open) this.dialog.close();
      resolve(yes);
    }
  }

  global.SoruberiaQuestion = Question;
})(this);

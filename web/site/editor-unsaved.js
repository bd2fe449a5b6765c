// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Edits not yet saved are never thrown away unasked: opening another bank
// asks first (a SoruberiaQuestion), and leaving the page lets the browser
// ask.
// A plain script: window.SoruberiaUnsaved.
(function (global) {
  'use strict';

  class Unsaved {
    // question: the SoruberiaQuestion that asks whether to let them go.
    constructor(question) {
      this.question = question;
      this.changed = false;
      global.addEventListener('beforeunload', (event) => {
        if (!this.changed) return;
        event.preventDefault();
        event.returnValue = '';
      });
    }

    edited() { this.changed = true; }

    // What is shown is what was opened or saved last.
    kept() { this.changed = false; }

    // Resolves true when nothing would be lost or the teacher lets it go.
    async mayDiscard() {
      return !this.changed || this.question.ask();
    }
  }

  global.SoruberiaUnsaved = Unsaved;
})(this);

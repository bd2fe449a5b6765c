// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Edits not yet saved are never thrown away unasked: opening another bank
// asks first, in a dialog of the page, and leaving the page lets the
// browser ask.
// A plain script: window.SoruberiaUnsaved.
(function (global) {
  'use strict';

  class Unsaved {
    // dialog: the <dialog> that asks; discard and keep: its two buttons.
    constructor(dialog, discard, keep) {
      this.dialog = dialog;
      this.changed = false;
      this.answer = null;
      discard.addEventListener('click', () => this.settle(true));
      keep.addEventListener('click', () => this.settle(false));
      // Escape closes the dialog: the edits are kept.
      dialog.addEventListener('close', () => this.settle(false));
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
      if (!this.changed) return true;
      if (this.answer) return false;  // already asking
      const answer = new Promise((resolve) => { this.answer = resolve; });
      this.dialog.showModal();
      return answer;
    }

    settle(discard) {
      const resolve = this.answer;
      if (!resolve) return;
      this.answer = null;
      if (this.dialog.open) this.dialog.close();
      resolve(discard);
    }
  }

  global.SoruberiaUnsaved = Unsaved;
})(this);

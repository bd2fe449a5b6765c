// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// 試しに遊ぶ: the game page in a frame of its own (index.html?play=editor)
// plays the draft without it being saved. The frame says when it is ready
// for a bank (when it starts, and when asked, as it may start before this
// page listens); the page answers with the three files' bytes, from this
// origin to that frame only. Closing the dialog loads the frame anew, so
// the next play starts from the menu with the draft of then.
// A plain script: window.SoruberiaPlay.
(function (global) {
  'use strict';

  class Play {
    constructor(dialog, frame, close) {
      this.dialog = dialog;
      this.frame = frame;
      this.source = frame.src;
      this.ready = false;
      this.files = null;
      global.addEventListener('message', (event) => {
        if (event.source !== frame.contentWindow || event.origin !== location.origin) return;
        if (!event.data || event.data.soruberia !== 'ready') return;
        this.ready = true;
        this.hand();
      });
      frame.addEventListener('load', () => this.ping());
      close.addEventListener('click', () => dialog.close());
      dialog.addEventListener('close', () => this.reset());
      this.ping();
    }

    ping() {
      if (this.frame.contentWindow) this.frame.contentWindow.postMessage({soruberia: 'ping'}, location.origin);
    }

    // files: {mondai, kotae, setumei} as Uint8Array.
    start(files) {
      this.files = files;
      this.dialog.showModal();
      if (this.ready) this.hand();
      else this.ping();
    }

    hand() {
      if (!this.ready || !this.files || !this.dialog.open) return;
      const copy = (bytes) => bytes.slice().buffer;
      const bank = {mondai: copy(this.files.mondai), kotae: copy(this.files.kotae), setumei: copy(this.files.setumei)};
      this.files = null;
      this.ready = false;
      this.frame.contentWindow.postMessage(bank, location.origin, [bank.mondai, bank.kotae, bank.setumei]);
      this.frame.focus();
    }

    reset() {
      this.files = null;
      this.ready = false;
      this.frame.src = this.source;
    }
  }

  global.SoruberiaPlay = Play;
})(this);

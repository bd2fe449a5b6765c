// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Where the editor's bank comes from: the folder beside the page (問題, or
// the ?bank= folder), files or a folder picked on the device, or nothing.
// The files go into the module, which opens them; what it answers, with
// notes on what it could not take over, goes to opened(state, source).
// A plain script: window.SoruberiaBankOpener.
(function (global) {
  'use strict';
  const PICKED = '選んだファイル';
  const NAMES = ['mondai.txt', 'kotae.txt', 'setumei.txt'];

  class BankOpener {
    // editor: a SoruberiaEditorCore; fetchBytes(path): a file beside the
    // page, or null; opened(state, source); say(text): a note on the pick.
    constructor(editor, fetchBytes, opened, say) {
      this.editor = editor;
      this.fetchBytes = fetchBytes;
      this.opened = opened;
      this.say = say;
      this.picks = 0;
    }

    // A folder beside the page; a file it lacks is missing for the module.
    async besidePage(folder) {
      await Promise.all(NAMES.map(async (name) => {
        const bytes = await this.fetchBytes(folder + '/' + name);
        if (bytes) this.editor.put(folder + '/' + name, bytes);
      }));
      this.opened(this.editor.open(folder), `このページの隣の ${folder} フォルダ`);
    }

    // Files picked on the device (File objects), as files or a folder.
    async picked(files, how) {
      const {bank, folder, ignored} = global.soruberiaBankPicking.pickBank(files);
      if (bank.size === 0) {
        this.say(`${NAMES.join('、')} が見つかりません。`);
        return;
      }
      const into = this.pickedFolder();
      // Measured first: a file larger than the readers take is never read.
      for (const [name, file] of bank) {
        const path = into + '/' + name;
        this.editor.put(path, await global.soruberiaBank.pickedBytes(file, this.editor.limit(path)));
      }
      const where = folder ? `${how}（${folder}）` : how;
      this.opened(this.editor.open(into), `${where}: ${[...bank.keys()].join('、')}`);
      if (ignored.length > 0) this.say(`${ignored.join('、')} は使いません。`);
    }

    // The bank a link carries (editor.html#b=…), to change and share again;
    // a broken link starts a new bank and says why.
    async fromLink(link) {
      const into = this.pickedFolder();
      const opened = await global.soruberiaBankLink.openLink(this.editor.core, link, into);
      if (opened.fault) {
        this.fresh();
        this.say(opened.message);
        return;
      }
      this.opened(this.editor.open(into), 'リンクの問題（まだ保存していません）');
    }

    fresh() {
      this.opened(Object.assign({notes: []}, this.editor.fresh()), '新しい問題（まだ保存していません）');
    }

    // The files of an earlier pick must not stand in for one not picked
    // now: each pick has a folder of its own.
    pickedFolder() {
      ++this.picks;
      return this.picks === 1 ? PICKED : `${PICKED}${this.picks}`;
    }
  }

  global.SoruberiaBankOpener = BankOpener;
})(this);

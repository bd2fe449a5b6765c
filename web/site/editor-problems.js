// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The characters that keep the draft from being written, shown when the
// teacher saves or plays: nothing is saved until they are gone. Each leads
// to its place in the text; one button makes every replacement the module
// recommends.
// A plain script: window.SoruberiaSaveProblems.
(function (global) {
  'use strict';

  class SaveProblems {
    // dialog: the <dialog>; list: its <ul>; events: {goTo(question, at,
    // length), replaceAll()}; question 0 is the explanation.
    constructor(dialog, list, replaceAll, close, events) {
      this.dialog = dialog;
      this.list = list;
      this.events = events;
      replaceAll.addEventListener('click', () => events.replaceAll());
      close.addEventListener('click', () => dialog.close());
    }

    // problems: [{question, at, length, character, replacement, why}].
    show(problems) {
      const shown = global.soruberiaEditorFlags.shown;
      const items = problems.map((problem) => {
        const where = problem.question === 0 ? '説明' : `問題 ${problem.question}`;
        const instead = problem.replacement === null ? '（おすすめの文字なし）'
          : problem.replacement === '' ? '→ 取り除く' : `→ 「${problem.replacement}」`;
        const go = document.createElement('button');
        go.type = 'button';
        go.textContent = `${where}、${problem.at + 1} 文字目の ${shown(problem.character)} ${instead}`;
        go.addEventListener('click', () => {
          this.dialog.close();
          this.events.goTo(problem.question, problem.at, problem.length);
        });
        const item = document.createElement('li');
        item.append(go);
        return item;
      });
      this.list.replaceChildren(...items);
      if (!this.dialog.open) this.dialog.showModal();
    }

    close() { this.dialog.close(); }
  }

  global.SoruberiaSaveProblems = SaveProblems;
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The 26 questions, one row each: the text field (as long as the module
// takes, with a note when a paste was cut there), the question as the
// game shows it, the twelve ion buttons laid out as on the game's window,
// the count, the flagged characters and the warning when the chosen ions
// are not the table's answer to what the text asks. A row forwards what the
// teacher does and draws what the module answers; it never rewrites a text
// field while the teacher types (an IME composes in it), only when asked
// to replace characters or when another bank is opened.
// A plain script: window.SoruberiaEditorRows.
(function (global) {
  'use strict';
  const flags = () => global.soruberiaEditorFlags;

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text) made.textContent = text;
    return made;
  }

  // "Ag⁺、Pb²⁺", or なし.
  function ionList(buttons, names) {
    return buttons.length === 0 ? 'なし' : buttons.map((button) => names.get(button)).join('、');
  }

  // What a query's result means in words: 白 → 白, "" → 沈殿, なし → 沈殿なし.
  function resultWords(result) {
    if (result === '') return '沈殿';
    if (result === 'なし') return '沈殿なし';
    return result;
  }

  class Rows {
    // container: where the rows go; count: questions (26); names: Map of
    // button number -> ion name; preview: a SoruberiaQuestionPreview;
    // maxLength: the longest text a question takes; events: {text(question,
    // text), ions(question, mask), focused(question), useTable(question)}.
    constructor(container, count, names, preview, maxLength, events) {
      this.names = names;
      this.preview = preview;
      this.maxLength = maxLength;
      this.events = events;
      this.rows = [];
      for (let question = 1; question <= count; ++question) {
        const row = this.build(question);
        this.rows.push(row);
        container.append(row.section);
      }
    }

    build(question) {
      const id = (part) => `q${question}-${part}`;
      const section = element('section', 'question');
      section.dataset.question = String(question);
      section.setAttribute('aria-labelledby', id('title'));

      const head = element('div', 'question-head');
      const title = element('h3', null, `問題 ${question}`);
      title.id = id('title');
      const count = element('span', 'count');
      count.dataset.count = '';
      count.id = id('count');
      head.append(title, count);

      const field = element('textarea');
      field.dataset.text = '';
      field.rows = 3;
      field.spellcheck = false;
      field.setAttribute('aria-label', `問題${question}`);
      field.setAttribute('aria-describedby', [id('cut'), id('fit'), id('flags'), id('warning')].join(' '));
      field.autocomplete = 'off';

      // The board: the ions and the question panel in the game's places,
      // buttons in the game's order for the keyboard.
      const board = element('div', 'board');
      board.setAttribute('role', 'group');
      board.setAttribute('aria-label', `問題 ${question} の正解のイオン`);
      board.setAttribute('aria-describedby', id('count'));
      const {panel, text} = this.preview.create();
      panel.dataset.preview = '';
      const ions = new Map();
      for (let button = 1; button <= 12; ++button) {
        const press = element('button', 'ion');
        press.type = 'button';
        press.dataset.ion = String(button);
        press.setAttribute('aria-pressed', 'false');
        press.setAttribute('aria-label', this.names.get(button));
        const plain = element('img', 'plain');
        plain.alt = '';
        plain.src = `図/ion(${button}).gif`;
        const chosen = element('img', 'chosen');
        chosen.alt = '';
        chosen.src = `図/ion'(${button}).gif`;
        press.append(plain, chosen);
        press.addEventListener('click', () => this.toggle(question, button));
        ions.set(button, press);
        board.append(press);
        if (button === 6) board.append(panel);
      }

      const cut = element('p', 'cut-note');
      cut.dataset.cut = '';
      cut.id = id('cut');
      cut.hidden = true;
      cut.setAttribute('aria-live', 'polite');
      global.soruberiaEditorLength.limit(field, cut, this.maxLength, '問題の文');
      const fit = element('p', 'fit');
      fit.dataset.fit = '';
      fit.id = id('fit');
      const flagList = element('ul', 'flags');
      flagList.dataset.flags = '';
      flagList.id = id('flags');
      const warning = element('p', 'warning-text');
      warning.dataset.warning = '';
      warning.id = id('warning');
      warning.setAttribute('aria-live', 'polite');
      const useTable = element('button', 'use-table', '正解を表のとおりにする');
      useTable.type = 'button';
      useTable.dataset.useTable = '';
      useTable.hidden = true;
      useTable.addEventListener('click', () => this.events.useTable(question));
      const warningBox = element('div', 'disagreement');
      warningBox.append(warning, useTable);

      const body = element('div', 'question-body');
      const textBox = element('div', 'question-text');
      textBox.append(field);
      const notes = element('div', 'question-notes');
      notes.append(cut, fit, flagList, warningBox);
      body.append(textBox, board, notes);
      section.append(head, body);

      // Every change of the field goes to the module, composing or not:
      // its answer only changes what is drawn beside the field.
      const forward = () => this.events.text(question, field.value);
      field.addEventListener('input', forward);
      field.addEventListener('compositionend', forward);
      section.addEventListener('focusin', () => this.events.focused(question));

      const row = {section, field, text, ions, count, fit, flagList, warning, warningBox, useTable, state: null};
      return row;
    }

    row(question) { return this.rows[question - 1]; }

    toggle(question, button) {
      const row = this.row(question);
      const buttons = new Set(row.state ? row.state.ions : []);
      if (buttons.has(button)) buttons.delete(button);
      else buttons.add(button);
      this.events.ions(question, global.SoruberiaEditorCore.maskOf([...buttons]));
    }

    // The text field's value, set only on an explicit action.
    setText(question, text) {
      const field = this.row(question).field;
      if (field.value !== text) field.value = text;
    }

    // Draws a question as the module gives it ({text, ions, flags, query,
    // disagrees}); the text field is left as it is.
    show(question, state) {
      const row = this.row(question);
      const before = row.state;
      row.state = state;
      if (!before || before.text !== state.text) row.fit.textContent = this.preview.draw(row.text, state.text);
      row.fit.hidden = row.fit.textContent === '';
      const chosen = new Set(state.ions);
      for (const [button, press] of row.ions) press.setAttribute('aria-pressed', String(chosen.has(button)));
      row.count.textContent = `正解のイオン ${state.ions.length} 個`;
      flags().render(row.flagList, state.flags, (index) => this.replace(question, index));
      row.section.classList.toggle('flagged', state.flags.length > 0);
      const warn = state.disagrees && state.query;
      // The live text stays in place, empty, so that a warning coming up
      // is announced.
      row.warning.textContent = warn ? this.warningText(state.query) : '';
      row.warningBox.classList.toggle('shown', Boolean(warn));
      row.useTable.hidden = !warn;
      row.section.classList.toggle('disagrees', Boolean(warn));
    }

    warningText(query) {
      return `この問題文は「${query.reagentLabel} → ${resultWords(query.result)}」を問うています。` +
        `表では ${ionList(query.ions, this.names)} です。`;
    }

    // Draws every preview anew (after the fonts have come).
    refit() {
      for (const row of this.rows) {
        if (!row.state) continue;
        row.fit.textContent = this.preview.draw(row.text, row.state.text);
        row.fit.hidden = row.fit.textContent === '';
      }
    }

    // A flag's replacement, in the field and in the module.
    replace(question, index) {
      const row = this.row(question);
      const flag = row.state.flags[index];
      const text = flags().replaced(row.field.value, flag);
      row.field.value = text;
      const caret = flag.at + flag.replacement.length;
      row.field.focus();
      row.field.setSelectionRange(caret, caret);
      this.events.text(question, text);
    }

    // Brings a character of a question's text into view, selected.
    focusCharacter(question, at, length) {
      const field = this.row(question).field;
      field.focus();
      field.setSelectionRange(at, at + length);
      field.scrollIntoView({block: 'center'});
    }

    current(question) {
      for (const row of this.rows) row.section.classList.toggle('current', row === this.row(question));
    }
  }

  Rows.ionList = ionList;
  Rows.resultWords = resultWords;
  global.SoruberiaEditorRows = Rows;
})(this);

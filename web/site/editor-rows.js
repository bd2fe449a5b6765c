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

  // Fitting previews is given at most this long in one go: those near the
  // view before the next frame, the others while the page is idle.
  const FIT_BUDGET_MS = 6;

  // When the page has time: requestIdleCallback, or soon where there is
  // none (Safari).
  function whenIdle(run) {
    if (global.requestIdleCallback) global.requestIdleCallback(run, {timeout: 1000});
    else global.setTimeout(run, 20);
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
      // Previews whose text is not fitted yet; rows near the view (seen
      // once the observer has told where they are).
      this.unfitted = new Set();
      this.near = new Set();
      this.seen = false;
      this.frameAsked = false;
      this.idleAsked = false;
      this.prepared = false;
      this.observer = global.IntersectionObserver ? new IntersectionObserver((entries) => this.moved(entries),
        {rootMargin: '100% 0px'}) : null;
      const template = this.template();
      for (let question = 1; question <= count; ++question) {
        const row = this.build(question, template.cloneNode(true));
        this.rows.push(row);
        container.append(row.section);
        if (this.observer) this.observer.observe(row.section);
        else this.pictures(row);
      }
      this.listen(container);
    }

    // One row as every question has it, cloned for each: one row built
    // element by element costs more than its copies.
    template() {
      const section = element('section', 'question');
      const head = element('div', 'question-head');
      const count = element('span', 'count');
      count.dataset.count = '';
      head.append(element('h3'), count);

      const field = element('textarea');
      field.dataset.text = '';
      field.rows = 3;
      field.spellcheck = false;
      field.autocomplete = 'off';
      // Out of view its text is not laid out: of all a row holds, a
      // question's characters cost the most to lay out. The field is as
      // large either way.
      field.style.contentVisibility = 'auto';

      // The board: the ions and the question panel in the game's places,
      // buttons in the game's order for the keyboard.
      const board = element('div', 'board');
      board.setAttribute('role', 'group');
      const {panel} = this.preview.create();
      panel.dataset.preview = '';
      for (let button = 1; button <= 12; ++button) {
        const press = element('button', 'ion');
        press.type = 'button';
        press.dataset.ion = String(button);
        press.setAttribute('aria-pressed', 'false');
        press.setAttribute('aria-label', this.names.get(button));
        // Their pictures come when the row comes near (pictures()).
        const plain = element('img', 'plain');
        plain.alt = '';
        const chosen = element('img', 'chosen');
        chosen.alt = '';
        press.append(plain, chosen);
        board.append(press);
        if (button === 6) board.append(panel);
      }

      const cut = element('p', 'cut-note');
      cut.dataset.cut = '';
      cut.hidden = true;
      cut.setAttribute('aria-live', 'polite');
      const fit = element('p', 'fit');
      fit.dataset.fit = '';
      fit.hidden = true;
      const flagList = element('ul', 'flags');
      flagList.dataset.flags = '';
      flagList.hidden = true;
      const warning = element('p', 'warning-text');
      warning.dataset.warning = '';
      warning.setAttribute('aria-live', 'polite');
      const useTable = element('button', 'use-table', '正解を表のとおりにする');
      useTable.type = 'button';
      useTable.dataset.useTable = '';
      useTable.hidden = true;
      const warningBox = element('div', 'disagreement');
      warningBox.append(warning, useTable);

      const body = element('div', 'question-body');
      const textBox = element('div', 'question-text');
      textBox.append(field);
      const notes = element('div', 'question-notes');
      notes.append(cut, fit, flagList, warningBox);
      body.append(textBox, board, notes);
      section.append(head, body);
      return section;
    }

    // A copy of the template made question `question`'s row.
    build(question, section) {
      const id = (part) => `q${question}-${part}`;
      const part = (css) => section.querySelector(css);
      section.dataset.question = String(question);
      section.setAttribute('aria-labelledby', id('title'));
      const title = part('h3');
      title.id = id('title');
      title.textContent = `問題 ${question}`;
      const count = part('[data-count]');
      count.id = id('count');
      const field = part('textarea');
      field.setAttribute('aria-label', `問題${question}`);
      field.setAttribute('aria-describedby', [id('cut'), id('fit'), id('flags'), id('warning')].join(' '));
      const board = part('.board');
      board.setAttribute('aria-label', `問題 ${question} の正解のイオン`);
      board.setAttribute('aria-describedby', id('count'));
      const cut = part('[data-cut]');
      cut.id = id('cut');
      global.soruberiaEditorLength.limit(field, cut, this.maxLength, '問題の文');
      const fit = part('[data-fit]');
      fit.id = id('fit');
      const flagList = part('[data-flags]');
      flagList.id = id('flags');
      const warning = part('[data-warning]');
      warning.id = id('warning');
      const ions = new Map([...board.querySelectorAll('button[data-ion]')].map((press) =>
        [Number(press.dataset.ion), press]));
      return {question, section, field, text: part('.panel-label'), ions, count, cut, fit, flagList, warning,
        warningBox: part('.disagreement'), useTable: part('[data-use-table]'), state: null, pictured: false};
    }

    // The ion pictures of a row, asked for once: the 624 pictures of all
    // rows at once cost more than the rest of the rows together.
    pictures(row) {
      if (row.pictured) return;
      row.pictured = true;
      for (const [button, press] of row.ions) {
        const [plain, chosen] = press.children;
        plain.src = `図/ion(${button}).gif`;
        chosen.src = `図/ion'(${button}).gif`;
      }
    }

    // What the teacher does in any row, heard once for all of them.
    listen(container) {
      const rowOf = (target) => {
        const section = target.closest('[data-question]');
        return section && container.contains(section) ? this.row(Number(section.dataset.question)) : null;
      };
      container.addEventListener('click', (event) => {
        const row = rowOf(event.target);
        if (!row) return;
        const press = event.target.closest('button[data-ion], button[data-use-table]');
        if (!press || !row.section.contains(press)) return;
        if (press.dataset.ion) this.toggle(row.question, Number(press.dataset.ion));
        else this.events.useTable(row.question);
      });
      // Every change of the field goes to the module, composing or not:
      // its answer only changes what is drawn beside the field.
      const forward = (event) => {
        const row = rowOf(event.target);
        if (row && event.target === row.field) this.events.text(row.question, row.field.value);
      };
      container.addEventListener('input', forward);
      container.addEventListener('compositionend', forward);
      container.addEventListener('focusin', (event) => {
        const row = rowOf(event.target);
        if (!row) return;
        // What a screen reader reads with the field is there when it comes.
        if (this.unfitted.has(row)) this.draw([[row, this.preview.measure(row.state.text)]]);
        this.events.focused(row.question);
      });
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
      if (!before || before.text !== state.text) {
        row.text.textContent = state.text;
        this.unfitted.add(row);
        this.later();
      }
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

    // Fits every preview anew (after the fonts have come).
    refit() {
      for (const row of this.rows) if (row.state) this.unfitted.add(row);
      this.later();
    }

    later() {
      if (this.frameAsked) return;
      this.frameAsked = true;
      global.requestAnimationFrame(() => {
        this.frameAsked = false;
        this.fitSome(true);
      });
    }

    moved(entries) {
      this.seen = true;
      for (const entry of entries) {
        const row = this.row(Number(entry.target.dataset.question));
        if (entry.isIntersecting) {
          this.near.add(row);
          this.pictures(row);
        } else {
          this.near.delete(row);
        }
      }
      if (this.rows.some((row) => this.near.has(row) && this.unfitted.has(row))) this.later();
    }

    // Fits unfitted previews for a while: in a frame those near the view
    // (before the rows were first seen, the first rows), when idle the
    // others too; then asks again for what is left.
    fitSome(inFrame) {
      const started = performance.now();
      const waiting = this.rows.filter((row) => this.unfitted.has(row));
      const near = waiting.filter((row) => this.near.has(row));
      const order = inFrame && this.seen ? near : [...near, ...waiting.filter((row) => !this.near.has(row))];
      const measured = [];
      for (const row of order) {
        if (performance.now() - started > FIT_BUDGET_MS) break;
        measured.push([row, this.preview.measure(row.state.text)]);
      }
      this.draw(measured);
      if (this.rows.some((row) => this.near.has(row) && this.unfitted.has(row))) this.later();
      if (this.unfitted.size > 0) {
        if (!this.idleAsked) {
          this.idleAsked = true;
          whenIdle(() => {
            this.idleAsked = false;
            this.fitSome(false);
          });
        }
      } else {
        this.prepare();
      }
    }

    // [[row, measure]]: drawn once all are measured, as measuring after a
    // change drawn would lay the page out again.
    draw(measured) {
      for (const [row, fit] of measured) {
        this.preview.draw(row.text, row.state.text, fit);
        if (row.fit.textContent !== fit.note) row.fit.textContent = fit.note;
        row.fit.hidden = fit.note === '';
        this.unfitted.delete(row);
      }
    }

    // The checker's report asks which face the label is drawn with: found
    // out while idle, a step at a time.
    prepare() {
      if (this.prepared) return;
      this.prepared = true;
      const step = () => {
        const started = performance.now();
        while (performance.now() - started < FIT_BUDGET_MS) {
          if (this.preview.prepare()) return;
        }
        whenIdle(step);
      };
      whenIdle(step);
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

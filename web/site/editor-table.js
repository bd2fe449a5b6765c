// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The hint window's table as a help to the teacher: pick a reagent and a
// result, see the ions the table gives (the module answers), set them on
// the question being edited; the table itself below for reference, its
// picked column and cells marked.
// A plain script: window.SoruberiaTableHelper.
(function (global) {
  'use strict';

  function option(value, text) {
    const made = document.createElement('option');
    made.value = value;
    made.textContent = text;
    return made;
  }

  class TableHelper {
    // parts: {reagent, result, ions, apply, target, table} elements; table:
    // the module's table; names: button -> ion name; query(reagent, result)
    // -> {ions}; apply(question, ions).
    constructor(parts, table, names, query, apply) {
      this.parts = parts;
      this.table = table;
      this.names = names;
      this.query = query;
      this.question = 1;
      this.ions = [];
      table.reagents.forEach((reagent, index) => parts.reagent.append(option(String(index), reagent.label)));
      parts.reagent.addEventListener('change', () => this.fillResults());
      parts.result.addEventListener('change', () => this.answer());
      parts.apply.addEventListener('click', () => apply(this.question, this.ions));
      this.buildTable();
      this.fillResults();
      this.target(1);
    }

    fillResults() {
      const reagent = this.table.reagents[Number(this.parts.reagent.value)];
      this.parts.result.replaceChildren(option('', '沈殿する（何色でも）'),
        ...reagent.results.map((colour) => option(colour, colour + '色の沈殿')),
        option('なし', '沈殿しない'));
      this.answer();
    }

    answer() {
      const reagent = Number(this.parts.reagent.value);
      const result = this.parts.result.value;
      this.ions = this.query(reagent, result).ions;
      this.parts.ions.textContent = global.SoruberiaEditorRows.ionList(this.ions, this.names);
      this.mark(reagent);
    }

    // The question the button sets.
    target(question) {
      this.question = question;
      this.parts.target.textContent = `問題 ${question}`;
      this.parts.apply.textContent = `問題 ${question} の正解にする`;
    }

    // Shows what a question's text asks ({reagent, result}), if anything.
    follow(query) {
      if (!query) return;
      this.parts.reagent.value = String(query.reagent);
      this.fillResults();
      this.parts.result.value = query.result;
      this.answer();
    }

    buildTable() {
      const table = this.parts.table;
      const caption = document.createElement('caption');
      caption.textContent = this.table.title;
      const headRow = document.createElement('tr');
      const corner = document.createElement('th');
      corner.scope = 'col';
      corner.textContent = 'イオン';
      headRow.append(corner);
      this.table.reagents.forEach((reagent) => {
        const head = document.createElement('th');
        head.scope = 'col';
        head.textContent = reagent.label;
        headRow.append(head);
      });
      const head = document.createElement('thead');
      head.append(headRow);
      const body = document.createElement('tbody');
      for (const row of this.table.rows) {
        const tr = document.createElement('tr');
        tr.dataset.button = String(row.button);
        const ion = document.createElement('th');
        ion.scope = 'row';
        ion.textContent = row.ion;
        tr.append(ion);
        for (const colour of row.colours) {
          const cell = document.createElement('td');
          cell.textContent = colour;
          tr.append(cell);
        }
        body.append(tr);
      }
      table.replaceChildren(caption, head, body);
    }

    // Marks the picked column, and the rows of the ions the table gives.
    mark(reagent) {
      const table = this.parts.table;
      const chosen = new Set(this.ions);
      table.querySelectorAll('thead th').forEach((head, index) => {
        head.classList.toggle('picked', index === reagent + 1);
      });
      for (const tr of table.querySelectorAll('tbody tr')) {
        const given = chosen.has(Number(tr.dataset.button));
        tr.classList.toggle('given', given);
        tr.querySelectorAll('td').forEach((cell, index) => {
          cell.classList.toggle('picked', index === reagent);
          cell.classList.toggle('given', index === reagent && given);
        });
      }
    }
  }

  global.SoruberiaTableHelper = TableHelper;
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's report on the draft as it would be saved, beside the
// questions: a summary that counts errors and warnings (announced
// politely), then one item per finding with its file and line, in the
// checker's order. A draft that cannot be written yet has no report: its
// characters that the files cannot hold are listed instead.
// A plain script: window.SoruberiaEditorReport.
(function (global) {
  'use strict';

  function span(className, text) {
    const made = document.createElement('span');
    made.className = className;
    made.textContent = text;
    return made;
  }

  class EditorReport {
    // summary: the [data-summary] element; list: the findings' <ol>;
    // draftFolder: the folder the draft is written to, left out of names;
    // link: a link to the report that shows its summary too, for screens
    // where the report lies below the questions.
    constructor(summary, list, draftFolder, link) {
      this.summary = summary;
      this.list = list;
      this.draftFolder = draftFolder;
      this.link = link;
    }

    say(text, counts) {
      if (this.summary.textContent !== text) this.summary.textContent = text;
      this.link.textContent = '点検: ' + text;
      this.summary.dataset.errors = String(counts.error || 0);
      this.summary.dataset.warnings = String(counts.warning || 0);
      this.summary.dataset.notes = String(counts.note || 0);
    }

    item(severity, kind, file, where, message) {
      const item = document.createElement('li');
      item.dataset.finding = '';
      item.dataset.severity = severity;
      item.className = severity;
      item.append(span('kind', kind), span('where', [file, where].filter(Boolean).join(' ')),
        span('message', message));
      return item;
    }

    // The checker's report: {findings: [{file, line, severity, kind,
    // message}], summary}.
    show(report) {
      const counts = {};
      const prefix = this.draftFolder + '/';
      const items = report.findings.map((finding) => {
        counts[finding.severity] = (counts[finding.severity] || 0) + 1;
        const file = finding.file.startsWith(prefix) ? finding.file.slice(prefix.length) : finding.file;
        return this.item(finding.severity, finding.kind, file, finding.line ? finding.line + ' 行目' : '',
          finding.message);
      });
      this.list.replaceChildren(...items);
      this.say(report.summary, counts);
    }

    // Problems that keep the draft from being written: [{question, at,
    // character}], question 0 for the explanation.
    unwritable(problems) {
      const items = problems.map((problem) => {
        const file = problem.question === 0 ? 'setumei.txt' : 'mondai.txt';
        const where = (problem.question === 0 ? '説明' : '問題 ' + problem.question) + ` ${problem.at + 1} 文字目`;
        return this.item('error', 'エラー', file, where,
          global.soruberiaEditorFlags.shown(problem.character) + ' はファイルに書けません。');
      });
      this.list.replaceChildren(...items);
      this.say(`保存できない文字が ${problems.length} 個あります。置き換えると、点検の結果が出ます。`,
        {error: problems.length});
    }
  }

  global.SoruberiaEditorReport = EditorReport;
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The question bank editor: opens a bank (beside the page, from the device
// or from nothing), forwards every edit to the editor in the checker's
// module (soruberia-check.js) and draws its answers, keeps the checker's
// report on the draft current, plays the draft in the game page, and saves
// the three files. Every rule of the bank is the module's; the page stores
// nothing anywhere.
//
// What the page offers to look for:
//   html[data-editor]           "loading", then "ready" once a bank is open ("failed")
//   #open-page, #open-files, #open-folder (where the browser picks folders), #new-bank
//   #bank-source                what is open; #open-notes li: the notes of opening
//   #explanation                the explanation line; #explanation-flags [data-replace];
//                               #explanation-cut as [data-cut]
//   [data-question="N"]         a question's row, N = 1..26, holding
//     textarea[data-text]       its text (aria-label 問題N), maxlength the module's
//     [data-cut]                the note that a paste or typing went past it
//     [data-preview]            the question panel as the game draws it; [data-fit] its note
//     button[data-ion="K"]      ion K (1..12), aria-pressed, named by the ion (Ag⁺)
//     [data-count]              the count of correct ions
//     [data-flags] li           a flagged character; button[data-replace] makes its replacement
//     [data-warning]            the chosen ions differ from the table's answer to the text;
//                               button[data-use-table] takes the table's
//   .current on the row last focused: the one #apply-table sets
//   #reagent, #result, #table-ions, #apply-table, #apply-target, #hint-table
//   #report-link                the summary again, in the bar, where the report lies below
//   #report                     aria-busy="true" while a check is pending;
//     [data-summary]            data-errors, data-warnings, data-notes; li[data-finding]
//                               each with data-severity
//   #play, #play-dialog, #play-frame, #close-play
//   #save-files, #save-zip, #downloads a[download]; #status says what was done
//   #save-problems (a <dialog>), #problem-list li button, #replace-all, #close-problems
//   #save-errors (a <dialog>: the checker finds errors in what is saved),
//     #save-error-list li, #save-anyway, #fix-first
//   #share-link: #share-dialog with #share-url, #share-copy, #share-sheet, #share-qr svg
//     ([data-version]), #share-warning, #share-project (#share-projected), #share-print
//   #discard-edits (a <dialog>: opening another bank over unsaved edits),
//     #discard-confirm, #discard-cancel
(function (global) {
  'use strict';
  const DRAFT = '編集中';
  const QUESTIONS = 26;
  const REPORT_DELAY_MS = 300;
  const NAMES = {mondai: 'mondai.txt', kotae: 'kotae.txt', setumei: 'setumei.txt'};
  const ZIP_NAME = '問題.zip';

  const page = new URL('.', document.baseURI);
  const basePath = page.href.replace(/\/$/, '');
  const $ = (id) => document.getElementById(id);
  const root = document.documentElement;
  root.dataset.editor = 'loading';

  const bankSource = $('bank-source');
  const openNotes = $('open-notes');
  const status = $('status');
  const explanation = $('explanation');
  const explanationFlags = $('explanation-flags');
  const reportBox = $('report');
  const actionButtons = [$('play'), $('save-files'), $('save-zip'), $('share-link')];

  function say(text) { status.textContent = text; }
  // The page's start comes in short tasks, so that a tap or a key on the
  // way is not kept waiting for all of it.
  const nextTask = () => new Promise((resolve) => setTimeout(resolve));

  // The side panel and the rows scrolled to stay clear of the bar, however
  // it wraps.
  const bar = $('top');
  const measureBar = () => root.style.setProperty('--bar', bar.offsetHeight + 'px');
  if (global.ResizeObserver) new ResizeObserver(measureBar).observe(bar);
  measureBar();

  async function run() {
    let core;
    try {
      core = await createSoruberiaCheck();
    } catch (error) {
      bankSource.textContent = 'このブラウザでは動きません（WebAssembly が使えません）。';
      root.dataset.editor = 'failed';
      return;
    }
    const editor = new SoruberiaEditorCore(core);
    editor.setBankFolder(DRAFT);
    // A file beside the page, measured against what the module takes;
    // each asked for in a task of its own: the forty or so of the start
    // asked for at once held the page up.
    const fetchBytes = async (path) => {
      await nextTask();
      return soruberiaBank.fetchBytes(path, page, editor.limit(path));
    };

    const table = editor.table();
    const names = new Map(table.rows.map((row) => [row.button, row.ion]));
    const preview = new SoruberiaQuestionPreview(editor.questionLabel());
    const report = new SoruberiaEditorReport(reportBox.querySelector('[data-summary]'), $('findings'), DRAFT,
      $('report-link'));
    const downloads = new SoruberiaDownloads($('downloads'));
    const play = new SoruberiaPlay($('play-dialog'), $('play-frame'), $('close-play'));
    const saveErrors = new SoruberiaSaveErrors($('save-error-list'),
      new SoruberiaQuestion($('save-errors'), $('save-anyway'), $('fix-first')));
    const unsaved = new SoruberiaUnsaved(
      new SoruberiaQuestion($('discard-edits'), $('discard-confirm'), $('discard-cancel')));
    let current = 1;

    // The checker judges the page's own pictures and sounds too: fetched
    // once, before the first report.
    const files = editor.checkFiles();
    const media = Promise.all([...files.pictures, ...files.sounds].map(async (path) => {
      const bytes = await fetchBytes(path);
      if (bytes) editor.put(path, bytes);
    }));

    // --- The report, after each edit, on the draft as it would be saved.
    let reportTimer = 0;
    let reportRun = Promise.resolve();
    let edits = 0;
    function reportLater() {
      ++edits;
      reportBox.setAttribute('aria-busy', 'true');
      clearTimeout(reportTimer);
      reportTimer = setTimeout(() => {
        reportRun = reportRun.then(reportNow);
      }, REPORT_DELAY_MS);
    }
    async function reportNow() {
      const upTo = edits;
      await media;
      const written = editor.write(DRAFT);
      if (written.ok) report.show(editor.check(basePath));
      else report.unwritable(written.problems);
      if (edits === upTo) reportBox.setAttribute('aria-busy', 'false');
    }

    // --- The questions.
    await nextTask();
    const limits = editor.limits();
    const rows = new SoruberiaEditorRows($('question-rows'), QUESTIONS, names, preview, limits.question, {
      text: (question, text) => {
        unsaved.edited();
        const before = rows.row(question).state;
        const state = editor.setText(question, text);
        rows.show(question, state);
        if (question === current && !sameQuery(before && before.query, state.query)) helper.follow(state.query);
        reportLater();
      },
      ions: (question, mask) => setIons(question, mask),
      focused: (question) => {
        if (question === current) return;
        current = question;
        rows.current(question);
        helper.target(question);
        const state = rows.row(question).state;
        if (state) helper.follow(state.query);
      },
      useTable: (question) => {
        const query = rows.row(question).state.query;
        if (query) setIons(question, SoruberiaEditorCore.maskOf(query.ions));
      },
    });

    function setIons(question, mask) {
      unsaved.edited();
      rows.show(question, editor.setIons(question, mask));
      reportLater();
    }

    function sameQuery(a, b) {
      const key = (query) => (query ? query.reagent + '/' + query.result : '');
      return key(a) === key(b);
    }

    const helper = new SoruberiaTableHelper({
      reagent: $('reagent'), result: $('result'), ions: $('table-ions'), apply: $('apply-table'),
      target: $('apply-target'), table: $('hint-table'),
    }, table, names, (reagent, result) => editor.query(reagent, result),
    (question, ions) => setIons(question, SoruberiaEditorCore.maskOf(ions)));
    rows.current(1);

    // --- The explanation line.
    function showExplanation(answer) {
      soruberiaEditorFlags.render(explanationFlags, answer.explanationFlags, (index) => {
        const flag = answer.explanationFlags[index];
        const text = soruberiaEditorFlags.replaced(explanation.value, flag);
        explanation.value = text;
        unsaved.edited();
        explanation.focus();
        explanation.setSelectionRange(flag.at + flag.replacement.length, flag.at + flag.replacement.length);
        showExplanation(editor.setExplanation(text));
        reportLater();
      });
      explanation.classList.toggle('flagged', answer.explanationFlags.length > 0);
    }
    const forwardExplanation = () => {
      unsaved.edited();
      showExplanation(editor.setExplanation(explanation.value));
      reportLater();
    };
    soruberiaEditorLength.limit(explanation, $('explanation-cut'), limits.explanation, '説明');
    explanation.addEventListener('input', forwardExplanation);
    explanation.addEventListener('compositionend', forwardExplanation);

    // --- A bank as the module gives it: every field set anew.
    function showState(state) {
      state.questions.forEach((question, index) => {
        rows.setText(index + 1, question.text);
        rows.show(index + 1, question);
      });
      if (explanation.value !== state.explanation) explanation.value = state.explanation;
      showExplanation(state);
      helper.follow(rows.row(current).state.query);
      reportLater();
    }

    function opened(state, source) {
      bankSource.textContent = '開いているもの: ' + source;
      const notes = (state.notes || []).map((note) => {
        const item = document.createElement('li');
        item.textContent = note;
        return item;
      });
      openNotes.replaceChildren(...notes);
      openNotes.hidden = notes.length === 0;
      showState(state);
      unsaved.kept();
      for (const button of actionButtons) button.disabled = false;
      root.dataset.editor = 'ready';
    }

    // --- Opening.
    // ?bank=FOLDER as the game page reads it; one that lies elsewhere is
    // not opened.
    const requested = soruberiaBank.bankFolder(core, location.search);
    const pageFolder = requested || '問題';
    if (requested) {
      const query = '?bank=' + encodeURIComponent(requested);
      $('game-link').href = 'index.html' + query;
      $('check-link').href = 'check.html' + query;
    }
    $('open-page').textContent = `ページの隣の ${pageFolder} フォルダ`;
    const opener = new SoruberiaBankOpener(editor, fetchBytes, opened, say);
    const openPageBank = () => {
      bankSource.textContent = '読み込んでいます…';
      return opener.besidePage(pageFolder);
    };
    for (const [input, how] of [[$('open-files'), 'この機器から選んだファイル'],
      [$('open-folder'), 'この機器から選んだフォルダ']]) {
      input.addEventListener('change', async () => {
        const chosen = [...input.files];
        input.value = '';
        if (chosen.length === 0 || !await unsaved.mayDiscard()) return;
        try {
          await opener.picked(chosen, how);
        } catch (error) {
          say(error.message);  // the module had no room; the draft is as it was
        }
      });
    }
    if ('webkitdirectory' in $('open-folder')) $('open-folder-label').hidden = false;
    $('open-page').addEventListener('click', async () => {
      if (await unsaved.mayDiscard()) await openPageBank();
    });
    $('new-bank').addEventListener('click', async () => {
      if (!await unsaved.mayDiscard()) return;
      opener.fresh();
      rows.row(1).field.focus();
    });

    // --- Writing: the three files, or the characters that keep them from
    // being written, shown before anything is saved or played.
    const problems = new SoruberiaSaveProblems($('save-problems'), $('problem-list'), $('replace-all'),
      $('close-problems'), {
        goTo: (question, at, length) => {
          if (question !== 0) {
            rows.focusCharacter(question, at, length);
            return;
          }
          explanation.focus();
          explanation.setSelectionRange(at, at + length);
        },
        replaceAll: () => {
          unsaved.edited();
          showState(editor.replaceFlagged());
          const result = editor.write(DRAFT);
          if (!result.ok) {
            problems.show(result.problems);
            return;
          }
          problems.close();
          say('おすすめの文字に置き換えました。もう一度、保存するか遊ぶかを選んでください。');
        },
      });
    function written() {
      const result = editor.write(DRAFT);
      if (!result.ok) {
        problems.show(result.problems);
        return null;
      }
      const out = {};
      for (const [key, name] of Object.entries(NAMES)) out[key] = editor.file(DRAFT + '/' + name);
      return out;
    }

    // Whether the draft just written goes out (saved, or in a link): at
    // once without the checker's errors, else only when the teacher says
    // so. `how` names the going on ('save' or 'link').
    async function mayGoOn(how) {
      // The bank's own errors, not those of the page's pictures or sounds.
      const errors = editor.check(basePath).findings.filter((finding) =>
        finding.severity === 'error' && finding.file.startsWith(DRAFT + '/'));
      if (errors.length === 0) return true;
      $('save-anyway').textContent = $('save-anyway').dataset[how];
      return saveErrors.confirm(errors.map((finding) => ({...finding, file: finding.file.slice(DRAFT.length + 1)})));
    }

    // Either way, the links to all of them are left in view: the three
    // files and the zip of the same draft.
    async function save(names, what) {
      const bank = written();
      if (!bank) return;
      if (!await mayGoOn('save')) {
        say('保存しませんでした。');
        return;
      }
      const files = Object.entries(NAMES).map(([key, name]) => ({name, bytes: bank[key]}));
      const zip = soruberiaZip.zip([{name: '問題/'}, ...files.map((file) => ({name: '問題/' + file.name, bytes: file.bytes}))]);
      files.push({name: ZIP_NAME, bytes: zip, type: 'application/zip'});
      $('saved').hidden = false;
      await downloads.save(files, names);
      unsaved.kept();
      say(what + 'を保存しました（ブラウザのダウンロード先）。');
    }
    $('save-files').addEventListener('click', () => save(Object.values(NAMES), '三つのファイル'));
    $('save-zip').addEventListener('click', () => save([ZIP_NAME], ZIP_NAME + ' '));
    // リンクで配る: the written draft in a link to the game page beside
    // this one, and its QR code. Nothing is sent: the link is made here.
    let share = null;
    $('share-link').addEventListener('click', async () => {
      if (!written()) return;
      if (!await mayGoOn('link')) {
        say('リンクは作りませんでした。');
        return;
      }
      const link = await soruberiaBankLink.makeLink(core, DRAFT, new URL('index.html', document.baseURI).href);
      share = share || new global.SoruberiaShare({
        dialog: $('share-dialog'), link: $('share-url'), copy: $('share-copy'), share: $('share-sheet'),
        qr: $('share-qr'), version: $('share-version'), warning: $('share-warning'),
        projector: $('share-project'), projected: $('share-projected'), closeProjector: $('share-unproject'),
        print: $('share-print'), sheet: $('print-sheet'), sheetQr: $('print-qr'),
        sheetExplanation: $('print-explanation'), sheetLink: $('print-link'), close: $('share-close'),
      });
      share.show(link, explanation.value);
    });
    $('play').addEventListener('click', () => {
      const bank = written();
      if (bank) play.start(bank);
    });

    // The previews are fitted again once the device's fonts are in.
    if (document.fonts) document.fonts.ready.then(() => rows.refit());

    if (soruberiaBankLink.isLink(location.hash)) {
      await opener.fromLink(location.hash);
      return;
    }
    if (requested === undefined) {
      opener.fresh();
      say('?bank= には、このページと同じ場所にあるフォルダの名前を書いてください。');
      return;
    }
    await openPageBank();
  }

  run().catch((error) => {
    console.error(error);
    bankSource.textContent = '問題を開けませんでした: ' + (error && error.message ? error.message : error);
    root.dataset.editor = 'failed';
  });
})(this);

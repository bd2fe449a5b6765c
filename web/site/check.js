// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The check page: soruberia-check's report on a question bank, by the
// checker's own module (soruberia-check.js). The bank is the files picked
// on the device, or the folder ?bank=FOLDER beside the page, or 問題 beside
// it; the pictures and sounds are the page's own, fetched beside it. The
// questions are measured in the game page's label (label-fit.js).
(function () {
  'use strict';
  const PICKED = '選んだファイル';
  const LINKED = 'リンクの問題';

  const page = new URL('.', document.baseURI);
  const basePath = page.href.replace(/\/$/, '');
  const summary = document.getElementById('summary');
  const checked = document.getElementById('checked');
  const report = document.getElementById('report');

  function check(core) {
    return JSON.parse(soruberiaBank.call(core, 'check', basePath));
  }

  // The files of `paths` that can be fetched beside the page, with their
  // bytes (or soruberiaBank.TOO_LARGE, measured against what the module
  // takes); one that cannot is left out, and the checker finds it missing.
  async function fetchFiles(core, paths) {
    const fetched = await Promise.all(paths.map(async (path) => {
      const bytes = await soruberiaBank.fetchBytes(path, page, soruberiaBank.fileLimit(core, path));
      return bytes && {path, bytes};
    }));
    return fetched.filter(Boolean);
  }

  function element(tag, text, className) {
    const made = document.createElement(tag);
    if (text) made.textContent = text;
    if (className) made.className = className;
    return made;
  }

  // The findings under their files, in the checker's order.
  function show(result) {
    const byFile = new Map();
    for (const finding of result.findings) {
      if (!byFile.has(finding.file)) byFile.set(finding.file, []);
      byFile.get(finding.file).push(finding);
    }
    const sections = [...byFile].map(([file, findings]) => {
      const section = element('section');
      const list = element('ol', null, 'findings');
      for (const finding of findings) {
        const item = element('li', null, finding.severity);
        item.append(element('span', finding.line ? finding.line + ' 行目' : '', 'line'),
          element('span', finding.kind, 'kind'), element('span', finding.message, 'message'));
        list.append(item);
      }
      section.append(element('h2', file), list);
      return section;
    });
    report.replaceChildren(...sections);
    summary.textContent = result.summary;
  }

  // The page's pictures and sounds, fetched once.
  let media = null;

  // Checks the bank in `folder`: the files given (picked on the device, as
  // {path, file}) or those fetched from the folder beside the page, or
  // those it holds already (a link's); in `core` when one is given.
  async function run(folder, given, what, core = null) {
    summary.textContent = '調べています…';
    report.replaceChildren();
    core = core || await createSoruberiaCheck();
    soruberiaBank.call(core, 'set_bank_folder', folder);
    const files = JSON.parse(core.UTF8ToString(core._soruberia_check_files()));
    if (!media) media = await fetchFiles(core, [...files.pictures, ...files.sounds]);
    // Measured first: a file larger than the readers take is never read.
    const bank = given ? await Promise.all(given.map(async ({path, file}) =>
      ({path, bytes: await soruberiaBank.pickedBytes(file, soruberiaBank.fileLimit(core, path))})))
      : await fetchFiles(core, files.bank);
    for (const file of [...bank, ...media]) soruberiaBank.putFile(core, file.path, file.bytes);
    checked.textContent = what;
    show(check(core));
  }

  function failed(error) {
    summary.textContent = '調べられませんでした: ' + (error instanceof Error ? error.message : 'メモリが足りません');
  }

  document.getElementById('files').addEventListener('change', async (event) => {
    const picked = [...event.target.files];
    if (picked.length === 0) return;
    try {
      const given = picked.map((file) => ({path: PICKED + '/' + file.name, file}));
      await run(PICKED, given, '調べたもの: この機器から選んだファイル（' + picked.map((file) => file.name).join('、') + '）');
    } catch (error) {
      failed(error);
    }
  });

  // check.html#b=…: the bank a link carries; else ?bank=FOLDER as the game
  // page reads it, by the module's rule.
  async function begin() {
    const core = await createSoruberiaCheck();
    if (soruberiaBankLink.isLink(location.hash)) {
      const opened = await soruberiaBankLink.openLink(core, location.hash, LINKED);
      if (opened.fault) {
        summary.textContent = opened.message;
        return;
      }
      document.getElementById('back').href = 'index.html' + location.hash;
      document.getElementById('editor-link').href = 'editor.html' + location.hash;
      await run(LINKED, [], '調べたもの: リンクの問題（mondai.txt、kotae.txt、setumei.txt）', core);
      return;
    }
    const folder = soruberiaBank.bankFolder(core, location.search);
    if (folder === undefined) {
      summary.textContent = '?bank= には、このページと同じ場所にあるフォルダの名前を書いてください。';
      return;
    }
    if (folder) {
      document.getElementById('back').href = 'index.html?bank=' + encodeURIComponent(folder);
      document.getElementById('editor-link').href = 'editor.html?bank=' + encodeURIComponent(folder);
    }
    const bank = folder || '問題';
    await run(bank, null, '調べたもの: このページの隣の ' + bank + ' フォルダ（mondai.txt、kotae.txt、setumei.txt）', core);
  }
  window.addEventListener('hashchange', () => location.reload());
  begin().catch(failed);
})();

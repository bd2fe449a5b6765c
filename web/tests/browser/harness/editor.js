// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The bank editor (editor.html) as a teacher uses it, the same in every
// browser: what it shows, read through its DOM; the files it saved, read
// back from its download links; and one short edit-and-save run.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const {sleep} = require('./wait');

const kBankFiles = ['mondai.txt', 'kotae.txt', 'setumei.txt'];
const row = (question) => `[data-question="${question}"]`;
const field = (question) => `${row(question)} textarea[data-text]`;
const ionButton = (question, ion) => `${row(question)} button[data-ion="${ion}"]`;

// Runs in the page: plain data only.
function readEditor() {
  const $ = (css) => document.querySelector(css);
  const shownText = (element) => (element && !element.closest('[hidden]') ? element.textContent : '');
  const summary = $('#report [data-summary]');
  return {
    state: document.documentElement.dataset.editor,
    source: $('#bank-source').textContent,
    explanation: $('#explanation').value,
    rows: [...document.querySelectorAll('[data-question]')].map((section) => ({
      question: Number(section.dataset.question),
      text: section.querySelector('textarea[data-text]').value,
      preview: section.querySelector('[data-preview]').textContent,
      ions: [...section.querySelectorAll('button[data-ion][aria-pressed="true"]')].map((b) => Number(b.dataset.ion)),
      flags: [...section.querySelectorAll('[data-flags] li')].map((item) => ({
        text: item.textContent,
        replace: item.querySelector('button[data-replace]') ? item.querySelector('button[data-replace]').textContent : null,
      })),
      warning: shownText(section.querySelector('[data-warning]')),
      cut: shownText(section.querySelector('[data-cut]')),
    })),
    busy: $('#report').getAttribute('aria-busy') === 'true',
    summary: {text: summary.textContent, errors: Number(summary.dataset.errors),
      warnings: Number(summary.dataset.warnings)},
    findings: [...document.querySelectorAll('#findings li')].map((item) => item.textContent),
    table: {reagent: $('#reagent').value, result: $('#result').value, ions: $('#table-ions').textContent,
      target: $('#apply-target').textContent},
    problems: $('#save-problems').open,
    playing: $('#play-dialog').open,
    downloads: [...document.querySelectorAll('#downloads a[download]')].map((a) => ({name: a.download, href: a.href})),
  };
}

function describe(editor) {
  const rows = editor.rows.filter((r) => r.text || r.ions.length || r.flags.length || r.warning).slice(0, 3)
    .map((r) => `${r.question}「${r.text.slice(0, 20)}」${r.ions.join(',')}${r.warning ? ' ⚠' : ''}`);
  return `${editor.state}, 「${editor.source}」, report「${editor.summary.text.slice(0, 60)}」` +
    `${editor.busy ? ' (busy)' : ''}, ${rows.join(' ')}${editor.problems ? ', save refused' : ''}`;
}

// The editor once condition(editor) holds, or a failure naming what it
// showed last. A machine busy with builds is slow: generous patience.
async function untilEditor(driver, condition, what, patience = 20000) {
  const end = Date.now() + patience;
  let editor;
  for (;;) {
    editor = await driver.evaluate(readEditor);
    if (condition(editor)) return editor;
    if (Date.now() > end) break;
    await sleep(40);
  }
  assert.fail(`${what}: not within ${patience} ms; the editor shows ${describe(editor)}`);
}

// Nothing pending: a bank is open and the report is of the last edit.
const settled = (editor) => editor.state === 'ready' && !editor.busy;

// editor.html with the bank beside it opened, its report in.
async function openEditor(driver, site) {
  await driver.open(`${site.url}editor.html`);
  return untilEditor(driver, settled, 'the bank beside the page opened and checked');
}

// The files behind the download links, as the browser saves them:
// {name: Buffer}.
async function downloadedFiles(driver) {
  const files = await driver.evaluate(async () => Promise.all(
    [...document.querySelectorAll('#downloads a[download]')].map(async (link) => ({
      name: link.download,
      bytes: Array.from(new Uint8Array(await (await fetch(link.href)).arrayBuffer())),
    }))));
  return Object.fromEntries(files.map(({name, bytes}) => [name, Buffer.from(bytes)]));
}

// Presses a save button (#save-files or #save-zip); once every link is
// new and the ones named names are there, what they offer.
async function save(driver, button, names) {
  const before = (await driver.evaluate(readEditor)).downloads.map((d) => d.href);
  await driver.click(button);
  await untilEditor(driver, (e) => e.downloads.every((d) => !before.includes(d.href)) &&
    names.every((name) => e.downloads.some((d) => d.name === name)), `${names.join(', ')} offered`);
  return downloadedFiles(driver);
}

const saveFiles = (driver) => save(driver, '#save-files', kBankFiles);

// A file's lines as bytes, split at CR LF (Shift-JIS never has those bytes
// inside a character).
function lines(bytes) {
  const found = [];
  let from = 0;
  for (let at = bytes.indexOf('\r\n'); at >= 0; at = bytes.indexOf('\r\n', from)) {
    found.push(bytes.subarray(from, at));
    from = at + 2;
  }
  found.push(bytes.subarray(from));
  return found;
}

const shiftJis = new TextDecoder('shift_jis');

// The default bank, one question's text rewritten and two of its ions
// flipped, saved: only that question's line changes in mondai.txt and
// kotae.txt, to what was typed and pressed; setumei.txt is as it was.
const kOneEdit = {question: 7, text: '書き換えた問題です', toggle: [2, 12]};

async function editOneQuestionAndSave(driver, site, {question, text, toggle} = kOneEdit) {
  let editor = await openEditor(driver, site);
  const was = editor.rows[question - 1].ions;
  await driver.type(field(question), text);
  for (const ion of toggle) await driver.click(ionButton(question, ion));
  const ions = [...was.filter((i) => !toggle.includes(i)), ...toggle.filter((i) => !was.includes(i))]
    .sort((a, b) => a - b);
  editor = await untilEditor(driver, (e) => settled(e) && e.rows[question - 1].text === text &&
    e.rows[question - 1].preview === text && e.rows[question - 1].ions.join() === ions.join(),
  `question ${question} edited`);
  const saved = await saveFiles(driver);
  const original = (name) => fs.readFileSync(path.join(site.folder, '問題', name));
  assert.ok(saved['setumei.txt'].equals(original('setumei.txt')), 'setumei.txt changed');
  for (const name of ['mondai.txt', 'kotae.txt']) {
    const before = lines(original(name));
    const after = lines(saved[name]);
    assert.equal(after.length, before.length, `${name}: lines added or lost`);
    after.forEach((line, index) => {
      if (index !== question - 1) assert.ok(line.equals(before[index]), `${name}: line ${index + 1} changed`);
    });
  }
  assert.equal(shiftJis.decode(lines(saved['mondai.txt'])[question - 1]), `"${text}"`);
  const key = lines(saved['kotae.txt'])[question - 1].toString('latin1').split(',').map(Number);
  assert.deepEqual({count: key[0], ions: key.slice(1).sort((a, b) => a - b)}, {count: ions.length, ions});
  return saved;
}

module.exports = {kBankFiles, row, field, ionButton, readEditor, untilEditor, settled, openEditor,
  downloadedFiles, save, saveFiles, lines, shiftJis, editOneQuestionAndSave};

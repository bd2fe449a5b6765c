// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The module's readers, given the bank's bytes as the page gives them, read
// what the desktop programs' readers read from the same files (built
// natively): the default bank, and copies with one fault each, whose
// message must be the same, file and line.
//   node --no-experimental-fetch bank-readers.test.js <site> <soruberia-bank-report> <data>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {fileURLToPath, pathToFileURL} = require('node:url');

const [site, nativeReport, data] = process.argv.slice(2);
const createSoruberia = require(path.join(site, 'soruberia.js'));
const bank = require(path.join(site, 'bank-files.js'));

// A fresh module, handed the bank files found below folder, as the page
// hands in those it could fetch.
async function moduleReport(folder) {
  const core = await createSoruberia();
  for (const file of bank.bankFiles(core)) {
    const onDisk = path.join(folder, file);
    if (fs.existsSync(onDisk)) bank.putFile(core, file, fs.readFileSync(onDisk));
  }
  return bank.bankReport(core, folder);
}

function desktopReport(folder) {
  return JSON.parse(execFileSync(nativeReport, [folder], {encoding: 'utf8'}));
}

test('the default bank reads as the desktop programs and its own files have it', async () => {
  const report = await moduleReport(data);
  assert.deepEqual(report, desktopReport(data));

  // The files themselves, through Node's own Shift-JIS decoder.
  const read = (name) => new TextDecoder('shift_jis').decode(fs.readFileSync(path.join(data, '問題', name)));
  const texts = [...read('mondai.txt').matchAll(/"([^"]*)"/g)].map((m) => m[1]);
  const key = read('kotae.txt').split(/\r?\n/).filter((line) => line.trim())
    .map((line) => line.split(/[ ,\t]+/).map(Number))
    .map(([count, ...ions]) => ({count, ions}));
  assert.equal(texts.length, 26);
  assert.deepEqual(report.questions.texts, texts);
  assert.deepEqual(report.answers.key, key);
  assert.equal(report.explanation.line, read('setumei.txt').split(/\r?\n/)[0]);
});

test('the page fetches the bank beside itself; a file it cannot fetch is missing', async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ソルベリア web-'));
  try {
    fs.cpSync(path.join(data, '問題'), path.join(folder, '問題'), {recursive: true});
    fs.rmSync(path.join(folder, '問題', 'kotae.txt'));
    const core = await createSoruberia();
    // Created without fetch (Node's would take the module's own path for
    // a URL); the page's fetches are answered from the folder.
    const fetched = [];
    globalThis.fetch = async (url) => {
      const file = fileURLToPath(url);
      fetched.push(path.relative(folder, file));
      if (!fs.existsSync(file)) return {ok: false, status: 404};
      const bytes = fs.readFileSync(file);
      return {ok: true, arrayBuffer: async () => bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length)};
    };
    try {
      await bank.fetchBank(core, pathToFileURL(path.join(folder, 'index.html')));
    } finally {
      delete globalThis.fetch;
    }
    assert.deepEqual(fetched.sort(), ['問題/kotae.txt', '問題/mondai.txt', '問題/setumei.txt']);
    const report = bank.bankReport(core, folder);
    assert.deepEqual(report, desktopReport(folder));
    assert.ok(report.answers.error.startsWith(`${folder}/問題/kotae.txt: エラー: `), report.answers.error);
    assert.ok(report.questions.texts);
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
});

// Line-wise edits of a file's bytes; CR and LF are never part of a
// Shift-JIS character, so splitting the bytes at them is safe.
function editLine(bytes, line, edit) {
  const lines = bytes.toString('latin1').split('\r\n');
  lines[line - 1] = edit(lines[line - 1]);
  return Buffer.from(lines.join('\r\n'), 'latin1');
}
const notShiftJis = '\x85\x40';  // a lead byte code page 932 leaves unassigned

const brokenCopies = [
  {name: 'a full-width comma between numbers', file: 'kotae.txt', reading: 'answers', line: 5,
   edit: (b) => editLine(b, 5, (l) => l.replace(',', '\x81\x41'))},
  {name: 'a letter for a number', file: 'kotae.txt', reading: 'answers', line: 12,
   edit: (b) => editLine(b, 12, (l) => l.replace(/\d+$/, 'x'))},
  {name: 'bytes that are not Shift-JIS among the numbers', file: 'kotae.txt', reading: 'answers', line: 3,
   edit: (b) => editLine(b, 3, (l) => notShiftJis + l)},
  {name: 'an answer key cut short', file: 'kotae.txt', reading: 'answers',
   edit: (b) => Buffer.from(b.toString('latin1').split('\r\n').slice(0, 20).join('\r\n'), 'latin1')},
  {name: 'no answer key', file: 'kotae.txt', reading: 'answers', line: 0, edit: () => null},
  {name: 'bytes that are not Shift-JIS in a question', file: 'mondai.txt', reading: 'questions', line: 7,
   edit: (b) => editLine(b, 7, (l) => l.slice(0, 3) + notShiftJis + l.slice(3))},
  {name: 'an empty explanation', file: 'setumei.txt', reading: 'explanation', edit: () => Buffer.alloc(0)},
];

test('a broken copy fails with the desktop programs\' message, file and line', async (t) => {
  for (const copy of brokenCopies) {
    await t.test(copy.name, async () => {
      // A folder name with Japanese and a space, as teachers' folders have.
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ソルベリア web-'));
      try {
        fs.cpSync(path.join(data, '問題'), path.join(folder, '問題'), {recursive: true});
        const file = path.join(folder, '問題', copy.file);
        const edited = copy.edit(fs.readFileSync(file));
        if (edited === null) fs.rmSync(file); else fs.writeFileSync(file, edited);

        const report = await moduleReport(folder);
        assert.deepEqual(report, desktopReport(folder));
        const error = report[copy.reading].error;
        assert.ok(error, 'no error for ' + copy.file);
        const named = `${folder}/問題/${copy.file}`;
        if (copy.line === undefined) {
          assert.ok(error.startsWith(named + ':'), error);
        } else {
          assert.ok(error.startsWith(named + (copy.line ? ':' + copy.line : '') + ': エラー: '), error);
        }
        for (const other of ['explanation', 'questions', 'answers']) {
          if (other !== copy.reading) assert.equal(report[other].error, undefined, report[other].error);
        }
      } finally {
        fs.rmSync(folder, {recursive: true, force: true});
      }
    });
  }
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The fuzzers' corpora through the wasm module, each file in the place of
// its bank file in a copy of the default bank: the readers answer with
// valid JSON, a reading or an error naming the file, as the desktop
// programs' readers do; the page program started on it answers every event
// with operations, a "fatal" one naming the file or a game, and never traps.
//   node --no-experimental-fetch fuzz-corpora.test.js <site> <soruberia-bank-report> <data> <corpora>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const [site, nativeReport, data, corpora] = process.argv.slice(2);
const createSoruberia = require(path.join(site, 'soruberia.js'));
const bank = require(path.join(site, 'bank-files.js'));
// Each instance of the module adds its own listeners for Node's uncaught
// errors; a fresh one per input is many more than Node's default warns at.
process.setMaxListeners(64);

// Each fuzzer's corpus, the bank file its inputs stand for and the reading
// of the bank report that file gives.
const fuzzers = {
  question_texts: {file: 'mondai.txt', reading: 'questions'},
  answer_key: {file: 'kotae.txt', reading: 'answers'},
  explanation: {file: 'setumei.txt', reading: 'explanation'},
};

function corpusFiles() {
  // The link reader's corpus is bank-link.test.js's.
  const folders = fs.readdirSync(corpora).filter((folder) => folder !== 'bank_link').sort();
  assert.deepEqual(folders, Object.keys(fuzzers).sort(), 'a corpus this test does not know');
  return folders.flatMap((folder) => fs.readdirSync(path.join(corpora, folder)).sort()
    .map((name) => ({fuzzer: fuzzers[folder], name: `${folder}/${name}`, path: path.join(corpora, folder, name)})));
}

// A copy of the default bank with one file's bytes replaced; null for none.
async function withBankFolder(input, body) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ソルベリア corpus-'));
  try {
    fs.cpSync(data, folder, {recursive: true});
    if (input) fs.copyFileSync(input.path, path.join(folder, '問題', input.fuzzer.file));
    return await body(folder);
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
}

// A fresh module handed every content file of folder, as the page hands in
// those it fetched.
async function moduleWith(folder) {
  const core = await createSoruberia();
  const files = core.UTF8ToString(core._soruberia_content_files()).split('\n');
  for (const file of files) {
    const onDisk = path.join(folder, file);
    if (fs.existsSync(onDisk)) bank.putFile(core, file, fs.readFileSync(onDisk));
  }
  return core;
}

function stringArgs(core, args, call) {
  const pointers = args.map((text) => {
    const size = core.lengthBytesUTF8(text) + 1;
    const at = core._malloc(size);
    core.stringToUTF8(text, at, size);
    return at;
  });
  try {
    return call(...pointers);
  } finally {
    pointers.forEach((at) => core._free(at));
  }
}

// One event's answer: a JSON array of operations, each with its op.
function operations(core, fn, ...args) {
  const answer = core.UTF8ToString(stringArgs(core, args, core[`_soruberia_${fn}`]));
  const ops = JSON.parse(answer);
  assert.ok(Array.isArray(ops), answer);
  for (const op of ops) assert.equal(typeof op.op, 'string', answer);
  return ops;
}

// Plays the page program as a page would: every armed timer ticks, and a
// shown button is pressed: the menu's start, then ion buttons, now and then
// the hint, its back button, or the game's retry; never a quit button. A
// fixed seed keeps every run alike.
function play(core, base, events) {
  const layout = JSON.parse(core.UTF8ToString(core._soruberia_layout()));
  const pressable = {
    'メニュー': (name) => name === 'Command3',
    'GameForm': (name) => name.startsWith('Command1_') || name === 'Command3' || name === 'Command4',
    'ヒント': (name) => name === 'Command1',
  };
  const forms = new Map();  // open form -> {timers: Set, shown: Set of buttons}
  const seen = {fatal: null, forms: new Set(), ops: 0};
  const apply = (ops) => {
    seen.ops += ops.length;
    for (const op of ops) {
      if (op.op === 'fatal') {
        assert.equal(seen.fatal, null, 'a second fatal');
        seen.fatal = op.message;
      } else if (op.op === 'create') {
        const buttons = layout.find((f) => f.name === op.form).widgets
          .filter((w) => w.kind === 'button' && w.visible).map((w) => w.name);
        forms.set(op.form, {timers: new Set(), shown: new Set(buttons)});
        seen.forms.add(op.form);
      } else if (op.op === 'destroy') {
        forms.delete(op.form);
      } else if (op.op === 'timer') {
        if (op.ms > 0) forms.get(op.form).timers.add(op.widget); else forms.get(op.form).timers.delete(op.widget);
      } else if (op.op === 'visible') {
        if (op.visible) forms.get(op.form).shown.add(op.widget); else forms.get(op.form).shown.delete(op.widget);
      }
    }
  };
  let seed = 12345;
  const next = (n) => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;

  apply(operations(core, 'start', base));
  for (let event = 0; event < events && seen.fatal === null; ++event) {
    for (const [form, state] of [...forms]) {
      for (const timer of [...state.timers]) {
        if (forms.has(form)) apply(operations(core, 'ticked', form, timer));
      }
    }
    const choices = [...forms].flatMap(([form, state]) =>
      [...state.shown].filter(pressable[form]).map((button) => [form, button]));
    if (choices.length) apply(operations(core, 'pressed', ...choices[next(choices.length)]));
  }
  if (seen.fatal !== null) {
    // After the message nothing of the program goes on.
    assert.deepEqual(operations(core, 'ticked', 'GameForm', 'Timer1'), []);
    assert.deepEqual(operations(core, 'pressed', 'メニュー', 'Command3'), []);
  }
  return seen;
}

function desktopReport(folder) {
  return JSON.parse(execFileSync(nativeReport, [folder], {encoding: 'utf8'}));
}

test('the page program on the default bank reaches a game and plays it', async () => {
  await withBankFolder(null, async (folder) => {
    const seen = play(await moduleWith(folder), folder, 300);
    assert.equal(seen.fatal, null);
    assert.ok(seen.forms.has('GameForm'), [...seen.forms].join());
  });
});

test('each corpus file reads as on the desktop, and the program plays it or ends with the readers\' message', async (t) => {
  for (const input of corpusFiles()) {
    await t.test(input.name, () => withBankFolder(input, async (folder) => {
      const core = await moduleWith(folder);
      const report = bank.bankReport(core, folder);
      assert.deepEqual(report, desktopReport(folder));
      const error = report[input.fuzzer.reading].error;
      if (error !== undefined) assert.ok(error.startsWith(`${folder}/問題/${input.fuzzer.file}:`), error);
      for (const other of Object.values(fuzzers)) {
        if (other !== input.fuzzer) assert.equal(report[other.reading].error, undefined);
      }

      // The same fault, file and line; the page sends the teacher to its
      // own checker instead of the command line.
      const seen = play(core, folder, 100);
      const pageAdvice = '問題点をすべて確かめるには、「問題の点検」を開いてください。';
      const expected = error === undefined ? null : error.split('\n')[0] + '\n' + pageAdvice;
      assert.equal(seen.fatal, expected);
      if (error === undefined) assert.ok(seen.forms.has('GameForm'), [...seen.forms].join());
    }));
  }
});

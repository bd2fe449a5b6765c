// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The bank editor's entries of the check module, driven as the editor page
// drives them: the default bank opened from the files handed in and written
// back byte for byte, passed by the checker; a character that cannot be
// written refused until replaced; a field's text handed in whole (a NUL, a
// lone surrogate) and cut at its field's length; a bank from nothing; the
// hint table.
//   node --no-experimental-fetch bank-editor.test.js <site> <data>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const [site, data] = process.argv.slice(2);
const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
const bank = require(path.resolve(site, 'bank-files.js'));
const EditorCore = require(path.resolve(site, 'editor-core.js'));
const {measureQuestion} = require('./label-model.js');

const BASE = 'https://example.org/soruberia';
const BANK = ['mondai.txt', 'kotae.txt', 'setumei.txt'];

// Calls an entry with its string arguments copied in; numbers pass as
// they are. The JSON it returns, parsed, if it returns any. (A text field's
// text goes the page's way: EditorCore.)
function call(core, name, ...args) {
  const held = [];
  const values = args.map((arg) => {
    if (typeof arg !== 'string') return arg;
    const size = core.lengthBytesUTF8(arg) + 1;
    const at = core._malloc(size);
    core.stringToUTF8(arg, at, size);
    held.push(at);
    return at;
  });
  try {
    const returned = core[`_soruberia_${name}`](...values);
    return returned === undefined ? undefined : JSON.parse(core.UTF8ToString(returned));
  } finally {
    held.forEach((at) => core._free(at));
  }
}

function fileOf(core, pagePath) {
  const withPath = (use) => {
    const size = core.lengthBytesUTF8(pagePath) + 1;
    const at = core._malloc(size);
    core.stringToUTF8(pagePath, at, size);
    try {
      return use(at);
    } finally {
      core._free(at);
    }
  };
  const size = withPath((at) => core._soruberia_editor_file_size(at));
  const bytes = withPath((at) => core._soruberia_editor_file(at));
  return Buffer.from(core.HEAPU8.subarray(bytes, bytes + size));
}

// A module with the default content handed in, as the check page has it.
async function moduleWithDefaultContent() {
  const core = await createSoruberiaCheck();
  for (const sub of ['問題', '図', '音']) {
    for (const name of fs.readdirSync(path.join(data, sub))) {
      bank.putFile(core, `${sub}/${name}`, fs.readFileSync(path.join(data, sub, name)));
    }
  }
  return core;
}

test('the default bank opens, is written back byte for byte and passes the checker', async () => {
  const core = await moduleWithDefaultContent();
  const state = call(core, 'editor_open', '問題');
  assert.deepEqual(state.notes, []);
  assert.equal(state.questions.length, 26);
  assert.deepEqual(state.questions[0], {
    text: '希塩酸を加えると白色沈殿を生じるイオンは？', ions: [1, 10], flags: [],
    query: {reagent: 0, reagentLabel: 'Cl⁻', result: '白', ions: [1, 10]}, disagrees: false});
  assert.equal(state.questions[1].query, null);
  assert.equal(state.questions.filter((q) => q.query !== null).length, 13);
  assert.ok(state.questions.every((q) => !q.disagrees));
  assert.match(state.explanation, /^問題文に当てはまる/);
  assert.deepEqual(state.explanationFlags, []);

  assert.deepEqual(call(core, 'editor_write', '書き出し'), {ok: true});
  for (const name of BANK) {
    assert.ok(fileOf(core, `書き出し/${name}`).equals(fs.readFileSync(path.join(data, '問題', name))), name);
  }
  call(core, 'set_bank_folder', '書き出し');
  globalThis.soruberiaMeasureQuestion = measureQuestion;
  const report = call(core, 'check', BASE);
  assert.deepEqual(report.findings.filter((f) => f.severity !== 'note'), []);
  assert.equal(report.errors, false);
});

test('a character that cannot be written is refused until replaced; an edit changes its line alone', async () => {
  const core = await moduleWithDefaultContent();
  call(core, 'editor_open', '問題');
  const third = new EditorCore(core).setText(3, 'Fe³⁺ を含む水溶液に〜');
  assert.deepEqual(third.flags.map(({at, length, character, replacement}) => ({at, length, character, replacement})), [
    {at: 2, length: 1, character: '³', replacement: '3'},
    {at: 3, length: 1, character: '⁺', replacement: '+'},
    {at: 12, length: 1, character: '〜', replacement: '～'}]);
  assert.equal(third.query, null);
  const refused = call(core, 'editor_write', '書き出し');
  assert.equal(refused.ok, false);
  assert.deepEqual(refused.problems.map(({question, at, character}) => ({question, at, character})), [
    {question: 3, at: 2, character: '³'}, {question: 3, at: 3, character: '⁺'}, {question: 3, at: 12, character: '〜'}]);
  assert.equal(fileOf(core, '書き出し/mondai.txt').length, 0);

  const state = call(core, 'editor_replace_flagged');
  assert.equal(state.questions[2].text, 'Fe3+ を含む水溶液に～');
  assert.deepEqual(call(core, 'editor_write', '書き出し'), {ok: true});
  const lines = (bytes) => new TextDecoder('shift_jis').decode(bytes).split('\r\n');
  const before = lines(fs.readFileSync(path.join(data, '問題', 'mondai.txt')));
  const after = lines(fileOf(core, '書き出し/mondai.txt'));
  assert.equal(after[2], '"Fe3+ を含む水溶液に～"');
  assert.deepEqual(after.filter((_, i) => i !== 2), before.filter((_, i) => i !== 2));
  assert.ok(fileOf(core, '書き出し/kotae.txt').equals(fs.readFileSync(path.join(data, '問題', 'kotae.txt'))));

  // Ions that the table's answer does not give are told; a number outside
  // the bank changes nothing.
  const first = call(core, 'editor_set_ions', 1, (1 << 1) | (1 << 10) | (1 << 4));
  assert.deepEqual(first.ions, [1, 4, 10]);
  assert.equal(first.disagrees, true);
  assert.equal(call(core, 'editor_set_ions', 27, 2), null);
  assert.deepEqual(new EditorCore(core).setExplanation('説明\n二行目'), {
    explanation: '説明\n二行目',
    explanationFlags: [{at: 2, length: 1, character: '\n', replacement: '', why: '改行は書けません'}]});
});

test('a field\'s text reaches the module whole: a NUL and a lone surrogate are flagged, not cut or changed; ' +
  'a text past its field\'s length is cut', async () => {
  const core = await createSoruberiaCheck();
  const editor = new EditorCore(core);
  editor.fresh();
  const shown = (flag) => ({at: flag.at, length: flag.length, character: flag.character, replacement: flag.replacement});

  const nul = editor.setText(1, 'before\0after');
  assert.equal(nul.text, 'before\0after');
  assert.deepEqual(nul.flags.map(shown), [{at: 6, length: 1, character: '\0', replacement: ''}]);
  // A high surrogate before an ordinary character, a low one alone, and a
  // pair beside them, which is a character.
  const halves = editor.setText(2, 'a\uD800b😀\uDC00');
  assert.equal(halves.text, 'a\uD800b😀\uDC00');
  assert.deepEqual(halves.flags.map(shown), [
    {at: 1, length: 1, character: '\uD800', replacement: ''},
    {at: 3, length: 2, character: '😀', replacement: null},
    {at: 5, length: 1, character: '\uDC00', replacement: ''}]);
  const explanation = editor.setExplanation('\uDBFF');
  assert.deepEqual(explanation.explanationFlags.map(shown), [{at: 0, length: 1, character: '\uDBFF', replacement: ''}]);

  const refused = editor.write('書き出し');
  assert.equal(refused.ok, false);
  assert.deepEqual(refused.problems.map(({question, at, character}) => ({question, at, character})), [
    {question: 1, at: 6, character: '\0'}, {question: 2, at: 1, character: '\uD800'},
    {question: 2, at: 3, character: '😀'}, {question: 2, at: 5, character: '\uDC00'},
    {question: 0, at: 0, character: '\uDBFF'}]);
  assert.equal(fileOf(core, '書き出し/mondai.txt').length, 0);
  // Replaced, the NUL's text is saved whole around it.
  editor.setText(2, '');
  editor.setExplanation('');
  assert.equal(editor.replaceFlagged().questions[0].text, 'beforeafter');
  assert.deepEqual(editor.write('書き出し'), {ok: true});
  assert.equal(fileOf(core, '書き出し/mondai.txt').toString('latin1').split('\r\n')[0], '"beforeafter"');

  const limits = editor.limits();
  assert.deepEqual(limits, {question: 1000, explanation: 2000});
  const megabyte = 'あいう'.repeat(1 << 18);
  assert.equal(editor.setText(3, megabyte).text, megabyte.slice(0, limits.question));
  assert.equal(editor.setExplanation(megabyte).explanation, megabyte.slice(0, limits.explanation));
  assert.equal(editor.state().questions[2].text.length, limits.question);
});

test('a bank from nothing is written one question a line', async () => {
  const core = await createSoruberiaCheck();
  const state = call(core, 'editor_new');
  assert.deepEqual(state.questions[25], {text: '', ions: [], flags: [], query: null, disagrees: false});
  new EditorCore(core).setText(1, '希硫酸を加えると白色沈殿を生じるイオンは？');
  const first = call(core, 'editor_set_ions', 1, (1 << 3) | (1 << 4) | (1 << 10));
  assert.deepEqual(first.query, {reagent: 2, reagentLabel: 'SO₄²⁻', result: '白', ions: [3, 4, 10]});
  assert.equal(first.disagrees, false);
  assert.deepEqual(call(core, 'editor_write', '新しい問題'), {ok: true});
  const key = fileOf(core, '新しい問題/kotae.txt').toString('latin1');
  assert.equal(key, '3,3,4,10\r\n' + '0\r\n'.repeat(25));
  assert.equal(fileOf(core, '新しい問題/setumei.txt').toString('latin1'), '\r\n');
  const reopened = call(core, 'editor_open', '新しい問題');
  assert.deepEqual(reopened.notes, []);
  assert.deepEqual(reopened.questions[0].ions, [3, 4, 10]);
});

test('the hint table, its answers and the question label as the game page draws it', async () => {
  const core = await createSoruberiaCheck();
  const table = call(core, 'editor_table');
  assert.equal(table.reagents.length, 10);
  assert.deepEqual(table.reagents[1], {label: 'CO₃²⁻', results: ['白', '褐']});
  assert.equal(table.rows.length, 12);
  assert.deepEqual(table.rows[0].button, 4);
  assert.equal(table.rows[0].ion, 'Ca²⁺');
  assert.deepEqual(call(core, 'editor_query', 0, ''), {ions: [1, 10]});
  assert.deepEqual(call(core, 'editor_query', 3, '黄'), {ions: [3, 10]});
  assert.deepEqual(call(core, 'editor_query', 9, 'なし'), {ions: [2, 3, 4, 6, 7, 9, 12]});
  const label = call(core, 'editor_question_label');
  assert.equal(label.name, 'Label1');
  assert.equal(label.kind, 'label');
  assert.ok(label.width > 0 && label.height > 0 && label.font.px > 0);
});

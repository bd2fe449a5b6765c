// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A bank the page saved, held to the desktop programs: laid in a game
// folder of its own beside the real pictures and sounds, passed by
// soruberia-check, and played by the Qt program (its end-to-end test
// TeacherBank, which starts it under an X server of its own and reads its
// windows as a screen reader does).
'use strict';
const assert = require('node:assert/strict');
const {execFile, execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

// A game folder: 問題 holding files ({name: bytes}), 図 and 音 copied from
// data. {folder, bank, remove()}.
function gameFolder(files, data) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-saved-'));
  const bank = path.join(folder, '問題');
  fs.mkdirSync(bank);
  for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(bank, name), bytes);
  for (const media of ['図', '音']) fs.cpSync(path.join(data, media), path.join(folder, media), {recursive: true});
  return {folder, bank, remove: () => fs.rmSync(folder, {recursive: true, force: true})};
}

// The entries of a zip, unpacked by Python's zipfile: {name: Buffer}.
function unzipped(zip) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-zip-'));
  try {
    const file = path.join(folder, 'saved.zip');
    fs.writeFileSync(file, zip);
    const names = JSON.parse(execFileSync('python3', ['-c', `
import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    z.extractall(sys.argv[2])
    print(json.dumps(z.namelist()))`, file, path.join(folder, 'out')], {encoding: 'utf8'}));
    return Object.fromEntries(names.filter((name) => !name.endsWith('/'))
      .map((name) => [name, fs.readFileSync(path.join(folder, 'out', name))]));
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
}

// soruberia-check on the folder: no error, no warning (notes may come).
function checkerPasses(checker, folder) {
  let output;
  try {
    output = execFileSync(checker, [folder], {encoding: 'utf8', env: {...process.env, LANG: 'C.UTF-8'}});
  } catch (error) {
    assert.fail(`soruberia-check failed (${error.status}):\n${error.stdout}${error.stderr}`);
  }
  const findings = output.split('\n').filter((line) => /: (エラー|警告): /.test(line));
  assert.deepEqual(findings, [], `soruberia-check:\n${output}`);
  return output;
}

// The Qt program on the folder's bank: the first question is one of
// texts (the i-th answered by rightIons[i]) and a press on its right ion
// scores. The question it showed.
async function desktopGamePlays(e2eTests, bank, texts, rightIons) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-key-'));
  let stdout;
  try {
    const key = path.join(folder, 'key.tsv');
    fs.writeFileSync(key, texts.map((text, i) => `${text}\t${rightIons[i]}\n`).join(''));
    const env = {...process.env, SORUBERIA_E2E_TEACHER_BANK: bank, SORUBERIA_E2E_TEACHER_KEY: key};
    stdout = await new Promise((resolve, reject) => {
      execFile(e2eTests, ['--gtest_filter=TeacherBank.*', '--gtest_brief=1'],
        {env, encoding: 'utf8', timeout: 180000}, (error, out, err) => {
          if (error) reject(new Error(`the Qt program did not play the bank (${error.code}):\n${out}${err}`));
          else resolve(out);
        });
    });
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
  // A test program without the test runs nothing, and passes.
  const shown = /^question shown: (.*)$/m.exec(stdout);
  assert.ok(shown, `the Qt program's test did not run:\n${stdout}`);
  assert.ok(texts.includes(shown[1]), `「${shown[1]}」 is no question typed`);
  return shown[1];
}

module.exports = {gameFolder, unzipped, checkerPasses, desktopGamePlays};

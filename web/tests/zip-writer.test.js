// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The editor's zip writer, read back by tools that did not write it:
// Python's zipfile (its own test, extraction, and what it makes of each
// entry) and Info-ZIP's unzip where installed.
//   node zip-writer.test.js <site/zip-writer.js>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {execFileSync, spawnSync} = require('node:child_process');

const {zip, crc32} = require(path.resolve(process.argv[2]));

test('CRC-32 of known texts', () => {
  const cases = [
    ['', 0],
    ['123456789', 0xCBF43926],
    ['The quick brown fox jumps over the lazy dog', 0x414FA339],
  ];
  for (const [text, crc] of cases) assert.equal(crc32(Buffer.from(text)), crc, text);
});

// The bank as the editor packs it: a folder and its three files, one of
// them Shift-JIS with CR LF, one empty, one every byte value many times
// (a CRC that a wrong table gets wrong).
const mondai = Buffer.from('"\x8a\xf3\x89\x96\x8e\x5f\x82\xf0\x89\xc1\x82\xa6\x82\xe9"\r\n', 'latin1');
const everyByte = Buffer.from(Array.from({length: 4096}, (_, i) => (i * 7 + (i >> 8)) & 0xFF));
const entries = [
  {name: '問題/'},
  {name: '問題/mondai.txt', bytes: new Uint8Array(mondai)},
  {name: '問題/kotae.txt', bytes: new Uint8Array(everyByte)},
  {name: '問題/setumei.txt', bytes: new Uint8Array(0)},
];
const when = new Date(2026, 2, 14, 15, 9, 26);

function written() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zip-writer-'));
  const archive = path.join(folder, '問題.zip');
  fs.writeFileSync(archive, zip(entries, when));
  return {folder, archive};
}

test('Python zipfile tests, lists and extracts the archive as written', (t) => {
  const {folder, archive} = written();
  t.after(() => fs.rmSync(folder, {recursive: true, force: true}));
  const tested = execFileSync('python3', ['-m', 'zipfile', '-t', archive], {encoding: 'utf8'});
  assert.match(tested, /Done testing/);

  const out = path.join(folder, 'out');
  execFileSync('python3', ['-m', 'zipfile', '-e', archive, out]);
  assert.ok(fs.statSync(path.join(out, '問題')).isDirectory());
  for (const entry of entries.filter((e) => e.bytes)) {
    assert.deepEqual(fs.readFileSync(path.join(out, entry.name)), Buffer.from(entry.bytes), entry.name);
  }

  const described = JSON.parse(execFileSync('python3', ['-c', `
import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    print(json.dumps([{"name": i.filename, "utf8": bool(i.flag_bits & 0x800), "stored": i.compress_type == 0,
                       "dir": i.is_dir(), "size": i.file_size, "when": list(i.date_time)} for i in z.infolist()]))
`, archive], {encoding: 'utf8'}));
  assert.deepEqual(described, entries.map((entry) => ({
    name: entry.name,
    utf8: true,
    stored: true,
    dir: !entry.bytes,
    size: entry.bytes ? entry.bytes.length : 0,
    when: [2026, 3, 14, 15, 9, 26],
  })));
});

test('Info-ZIP unzip finds no fault and extracts the same bytes', (t) => {
  if (spawnSync('unzip', ['-v']).status !== 0) {
    t.skip('unzip is not installed');
    return;
  }
  const {folder, archive} = written();
  t.after(() => fs.rmSync(folder, {recursive: true, force: true}));
  const tested = spawnSync('unzip', ['-t', archive], {encoding: 'utf8'});
  assert.equal(tested.status, 0, tested.stdout + tested.stderr);
  assert.match(tested.stdout, /No errors detected/);
  const out = path.join(folder, 'unzipped');
  const extracted = spawnSync('unzip', ['-q', archive, '-d', out], {encoding: 'utf8'});
  assert.equal(extracted.status, 0, extracted.stderr);
  for (const entry of entries.filter((e) => e.bytes)) {
    assert.deepEqual(fs.readFileSync(path.join(out, entry.name)), Buffer.from(entry.bytes), entry.name);
  }
});

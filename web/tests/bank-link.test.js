// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Bank links in the modules as the pages make and open them, with the
// DEFLATE of the web platform (CompressionStream): every bank back byte
// for byte, links of the desktop's zlib opened and links made here opened
// by it, and every damage (cut, changed, newer, a bomb) its message.
//   node --no-experimental-fetch bank-link.test.js <site> <soruberia-bank-link> <data> <link banks>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync, spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');

const [site, nativeLink, data, linkBanks] = process.argv.slice(2);
const createSoruberia = require(path.resolve(site, 'soruberia.js'));
const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
const files = require(path.resolve(site, 'bank-files.js'));
const link = require(path.resolve(site, 'bank-link.js'));

const NAMES = ['mondai.txt', 'kotae.txt', 'setumei.txt'];
const PAGE = 'https://school.example/soruberia/index.html';

const banks = [['default', path.join(data, '問題')],
  ...['odd-layout', 'fullest', 'empty-explanation'].map((name) => [name, path.join(linkBanks, name)])];

function bankIn(folder) {
  return NAMES.map((name) => fs.readFileSync(path.join(folder, name)));
}

// The three files the check module holds in `folder`.
function held(core, folder) {
  return NAMES.map((name) => {
    const at = allocate(core, `${folder}/${name}`);
    try {
      const bytes = core._soruberia_editor_file(at);
      return Buffer.from(core.HEAPU8.slice(bytes, bytes + core._soruberia_editor_file_size(at)));
    } finally {
      core._free(at);
    }
  });
}

function allocate(core, text) {
  const size = core.lengthBytesUTF8(text) + 1;
  const at = core._malloc(size);
  core.stringToUTF8(text, at, size);
  return at;
}

async function linkOf(core, bank) {
  NAMES.forEach((name, index) => files.putFile(core, `作った/${name}`, bank[index]));
  return link.makeLink(core, '作った', PAGE);
}

test('links made in the page and by zlib carry every bank byte for byte, either way', async () => {
  const core = await createSoruberiaCheck();
  const temporary = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-link-'));
  try {
    for (const [name, folder] of banks) {
      const bank = bankIn(folder);
      const made = await linkOf(core, bank);
      assert.ok(made.startsWith(PAGE + '#b='), made.slice(0, 80));
      console.log(`# ${name}: ${bank.reduce((sum, b) => sum + b.length, 0)} bytes, ` +
        `${made.length - made.indexOf('#') - 1} characters after the #`);
      assert.deepEqual(await link.openLink(core, made, '開いた'), {ok: true});
      assert.deepEqual(held(core, '開いた'), bank, `${name} opened in the page`);

      // The desktop's zlib opens the page's link, and the page the desktop's.
      const out = path.join(temporary, name);
      fs.mkdirSync(out);
      execFileSync(nativeLink, ['decode', made, out]);
      assert.deepEqual(bankIn(out), bank, `${name} opened by zlib`);
      const native = execFileSync(nativeLink, ['encode', folder], {encoding: 'utf8'}).trim();
      assert.deepEqual(await link.openLink(core, `${PAGE}#${native}`, 'zlib'), {ok: true});
      assert.deepEqual(held(core, 'zlib'), bank, `${name} of zlib opened in the page`);
    }
  } finally {
    fs.rmSync(temporary, {recursive: true, force: true});
  }
});

const kAlphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

test('a cut or changed link gives its message and no bank, in the game\'s module too', async () => {
  const check = await createSoruberiaCheck();
  const game = await createSoruberia();
  const made = await linkOf(check, bankIn(path.join(data, '問題')));
  const fragment = made.slice(made.indexOf('#') + 1);
  const cut = new Set();
  for (let length = 2; length < fragment.length; ++length) {
    const opened = await link.openLink(game, '#' + fragment.slice(0, length), 'リンク');
    assert.equal(opened.fault, 'cut-short', `cut to ${length}`);
    cut.add(opened.message);
  }
  assert.deepEqual([...cut], ['問題のリンクが途中で切れています。リンクを最後までコピーして、もう一度開いてください。']);
  for (let at = 2; at < fragment.length; ++at) {
    const other = kAlphabet[(kAlphabet.indexOf(fragment[at]) + 1) % 64];
    const opened = await link.openLink(game, '#' + fragment.slice(0, at) + other + fragment.slice(at + 1), 'リンク');
    assert.ok(opened.fault, `a bank with character ${at} changed`);
    if (at >= 12) assert.equal(opened.fault, 'changed', `character ${at}`);
  }
  assert.equal((await link.openLink(game, '#' + fragment + 'x', 'リンク')).fault, 'changed');
});

// The link's bytes with byte 0 and the sizes changed as given, checksum
// made right again (CRC-32 as zlib has it).
function forged(fragment, change) {
  const bytes = Buffer.from(fragment.slice(2), 'base64url');
  const forgedBytes = change(bytes);
  const crc = zlib.crc32(forgedBytes.subarray(5), zlib.crc32(forgedBytes.subarray(0, 1)));
  forgedBytes.writeUInt32LE(crc, 1);
  return 'b=' + forgedBytes.toString('base64url');
}

function varint(value) {
  const out = [];
  while (value >= 0x80) {
    out.push((value & 0x7f) | 0x80);
    value = Math.floor(value / 128);
  }
  out.push(value);
  return Buffer.from(out);
}

test('a newer version\'s link says so; a bomb inflates no more than its sizes say', async () => {
  const core = await createSoruberia();
  const check = await createSoruberiaCheck();
  const fragment = (await linkOf(check, bankIn(path.join(data, '問題')))).split('#')[1];
  const newer = forged(fragment, (bytes) => {
    bytes[0] = 2;
    return bytes;
  });
  const opened = await link.openLink(core, newer, 'リンク');
  assert.equal(opened.fault, 'newer');
  assert.match(opened.message, /新しい版のソルベリア/);

  // Sizes of 3 bytes, data of 64 MiB of zeros.
  const bomb = zlib.deflateRawSync(Buffer.alloc(64 << 20));
  const body = Buffer.concat([varint(1), varint(1), varint(1), bomb]);
  const head = Buffer.from([1, 0, 0, 0, 0]);
  let total = head.length + body.length + 1;
  while (varint(total).length + head.length + body.length !== total) ++total;
  const bombLink = forged('b=' + Buffer.concat([head, varint(total), body]).toString('base64url'), (b) => b);
  assert.equal((await link.inflateRaw(bomb, 3)).length, 4, 'the inflating went on past the sizes');
  assert.equal((await link.openLink(core, bombLink, 'リンク')).fault, 'changed');
  assert.equal(spawnSync(nativeLink, ['decode', bombLink, os.tmpdir()]).status, 1);
});

test('the link fuzzer\'s corpus: the page and zlib give the same bank or the same message', async () => {
  const core = await createSoruberiaCheck();
  const corpus = path.join(linkBanks, '..', '..', 'fuzz', 'corpus', 'bank_link');
  const temporary = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-link-corpus-'));
  try {
    for (const name of fs.readdirSync(corpus).sort()) {
      const input = fs.readFileSync(path.join(corpus, name));
      // An odd first byte asks the fuzzer to seal the rest: not a link as it stands.
      if (input.length > 0 && input[0] % 2 === 1) continue;
      const text = input.toString('latin1');
      const out = path.join(temporary, name);
      fs.mkdirSync(out);
      const native = spawnSync(nativeLink, ['decode', text, out], {encoding: 'utf8'});
      const opened = await link.openLink(core, text, 'corpus');
      if (native.status === 0) {
        assert.deepEqual(opened, {ok: true}, name);
        assert.deepEqual(held(core, 'corpus'), bankIn(out), name);
      } else {
        assert.equal(opened.message, native.stdout.trim(), name);
      }
    }
  } finally {
    fs.rmSync(temporary, {recursive: true, force: true});
  }
});

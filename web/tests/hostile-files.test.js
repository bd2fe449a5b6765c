// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the pages take from outside, in both modules as the pages call
// them: ?bank= values held to the native table (tests/content), and files
// larger than the readers take, which are measured and never copied in.
//   node --no-experimental-fetch hostile-files.test.js <site> <data> <queries.tsv>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const [site, data, queries] = process.argv.slice(2);
const createSoruberia = require(path.resolve(site, 'soruberia.js'));
const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
const bank = require(path.resolve(site, 'bank-files.js'));

const PAGE = 'https://school.example/soruberia/';
const LIMIT = 16 * 1024 * 1024;

function cases() {
  return fs.readFileSync(queries, 'utf8').split('\n').filter((line) => line && !line.startsWith('#'))
    .map((line) => {
      const [query, verdict, name, address] = line.split('\t');
      return {query, verdict, name, address};
    });
}

test('?bank= gives both modules the native verdicts, and its fetches stay below the page', async () => {
  for (const [module, create] of [['game', createSoruberia], ['check', createSoruberiaCheck]]) {
    const core = await create();
    for (const c of cases()) {
      const folder = bank.bankFolder(core, c.query);
      const expected = {none: null, refused: undefined, folder: c.name}[c.verdict];
      assert.equal(folder, expected, `${module}: ${JSON.stringify(c.query)}`);
      if (c.verdict !== 'folder') continue;
      assert.equal(bank.pageAddress(folder), c.address, c.query);
      const url = new URL(bank.pageAddress(folder + '/mondai.txt'), PAGE);
      assert.equal(url.origin + url.pathname, url.href, c.query);
      assert.ok(url.href.startsWith(PAGE), `${c.query} fetches ${url.href}`);
      assert.equal(decodeURIComponent(url.pathname.slice(new URL(PAGE).pathname.length)), folder + '/mondai.txt');
    }
  }
});

// A fetch answering every URL with `body` as a stream of 1 MiB chunks,
// saying `declared` as its length (null: not said), gzip-compressed on the
// way if so said (its length is then not the body's); counts what it sent.
function serving(body, declared, gzip = false) {
  const served = {chunks: 0};
  const headers = new Map(declared === null ? [] : [['content-length', String(declared)]]);
  if (gzip) headers.set('content-encoding', 'gzip');
  globalThis.fetch = async () => ({
    ok: true,
    headers,
    arrayBuffer: async () => {
      served.chunks = Math.ceil(body / (1 << 20));
      return new ArrayBuffer(body);
    },
    body: new ReadableStream({
      pull(controller) {
        const left = body - served.chunks * (1 << 20);
        if (left <= 0) return controller.close();
        ++served.chunks;
        controller.enqueue(new Uint8Array(Math.min(left, 1 << 20)));
      },
    }, {highWaterMark: 0}),  // nothing made before it is asked for
  });
  return served;
}

test('a fetched file past the limit is refused by its length, or by its stream when the length is not the body\'s', async () => {
  try {
    for (const [size, declared, gzip, chunksAtMost] of [
      [200 * 1024 * 1024, 200 * 1024 * 1024, false, 0],  // said: nothing read
      [200 * 1024 * 1024, 100, true, 18],                 // a small gzip: read to just past the limit
      [200 * 1024 * 1024, null, false, 18],               // not said
    ]) {
      const served = serving(size, declared, gzip);
      assert.equal(await bank.fetchBytes('問題/mondai.txt', PAGE, LIMIT), bank.TOO_LARGE);
      assert.ok(served.chunks <= chunksAtMost, `${served.chunks} chunks read for ${declared}`);
    }
    for (const gzip of [false, true]) {
      serving(LIMIT, LIMIT, gzip);
      assert.equal((await bank.fetchBytes('問題/mondai.txt', PAGE, LIMIT)).length, LIMIT);
    }
  } finally {
    delete globalThis.fetch;
  }
});

test('a picked file past the limit is never read, and every reader refuses it as too large', async () => {
  const huge = {size: 1.1e9, arrayBuffer: () => assert.fail('a file past the limit was read')};
  const game = await createSoruberia();
  const check = await createSoruberiaCheck();
  for (const core of [game, check]) assert.equal(bank.fileLimit(core, '選んだファイル/mondai.txt'), LIMIT);
  assert.ok(bank.fileLimit(game, '音/seikai.wav') > LIMIT);
  const before = game.HEAPU8.length;
  for (const name of ['mondai.txt', 'kotae.txt', 'setumei.txt']) {
    const bytes = name === 'mondai.txt' ? await bank.pickedBytes(huge, LIMIT)
      : fs.readFileSync(path.join(data, '問題', name));
    bank.putFile(game, `問題/${name}`, bytes);
    bank.putFile(check, `問題/${name}`, bytes);
  }
  assert.equal(game.HEAPU8.length, before, 'the module grew');
  const tooLarge = `${LIMIT} バイトを超えていて、内容のファイルとしては大きすぎます`;
  const report = bank.bankReport(game, '/s');
  assert.ok(report.questions.error.includes(tooLarge), report.questions.error);
  assert.ok(report.questions.error.startsWith('/s/問題/mondai.txt'), report.questions.error);
  const checked = JSON.parse(bank.call(check, 'check', '/s'));
  assert.ok(checked.findings.some((f) => f.severity === 'error' && f.message.includes(tooLarge)),
    JSON.stringify(checked.findings.slice(0, 3)));
  const opened = JSON.parse(bank.call(check, 'editor_open', '問題'));
  assert.ok(opened.notes.some((note) => note.startsWith('mondai.txt は ' + tooLarge)), opened.notes.join('\n'));
});

test('no memory in the module is an error in words, and nothing is left allocated', async () => {
  const core = await createSoruberia();
  // The module's first call of an export puts the export itself in its
  // place: once made, the stand-ins below stay.
  core._free(core._malloc(1));
  const malloc = core._malloc;
  const live = new Set();
  core._malloc = (size) => {
    const at = malloc(size);
    live.add(at);
    return at;
  };
  const free = core._free;
  core._free = (at) => {
    live.delete(at);
    free(at);
  };
  const refuseAfter = (count) => {
    let left = count;
    const counting = core._malloc;
    core._malloc = (size) => (left-- > 0 ? counting(size) : 0);
    return () => { core._malloc = counting; };
  };
  for (const allowed of [0, 1]) {
    const restore = refuseAfter(allowed);
    assert.throws(() => bank.putFile(core, '問題/mondai.txt', new Uint8Array(10)), /メモリが足りません/);
    restore();
    assert.equal(live.size, 0, `left allocated after ${allowed} allocations`);
  }
  const restore = refuseAfter(0);
  assert.throws(() => bank.call(core, 'bank_query', '?bank=a'), /メモリが足りません/);
  restore();
  // The module still works afterwards.
  bank.putFile(core, '問題/mondai.txt', fs.readFileSync(path.join(data, '問題', 'mondai.txt')));
  assert.equal(live.size, 0);
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The pages under hostile input in Chromium: ?bank= values that try to
// leave the page's folder (the test server's log shows every request), and
// bank files far larger than the readers take, picked on the device.
//   node chromium-hostile.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {testArguments, inBrowser} = require('./harness/session');
const {bankOnDisk, kOnlyTwelve} = require('./harness/banks');
const {until} = require('./harness/wait');
const {startAtMenu} = require('./harness/play');
const {shown, text, kGame, kMenu} = require('./harness/view');

const {site: builtSite} = testArguments();
const kBelow = 'soruberia';
const kElsewhere = '<something else: nothing of the page leads here>';

// Values as an attacker writes them into the address; each must stay
// below the page's folder or be refused.
const kHostile = [
  'a%252f..%252f..%252fsecret', '%252f%252f127.0.0.2:8603%252fx', '%', '100%', '..', '../secret',
  '..%2Fsecret', '%2E%2E%2Fsecret', 'a/../../secret', '/secret', '//127.0.0.2:8603/x',
  'http://127.0.0.2:8603/x', '..%5Csecret', 'a%00b', 'secret%23x', 'secret%3Fx',
];

// Until a page has settled: the game page on its message or menu, the
// check page on its summary, the editor on its bank.
const kSettled = {
  'index.html': () => {
    const message = document.getElementById('message');
    return (message && !message.hidden && message.textContent) ||
      (document.querySelector('[data-form="メニュー"]') ? 'menu' : '');
  },
  'check.html': () => {
    const summary = document.getElementById('summary').textContent;
    return /調べています|読み込んでいます/.test(summary) ? '' : summary;
  },
  'editor.html': () => (document.documentElement.dataset.editor === 'ready' ?
    document.getElementById('bank-source').textContent : ''),
};

async function settled(driver, page) {
  const end = Date.now() + 20000;
  for (;;) {
    const said = await driver.evaluate(kSettled[page]);
    if (said) return said;
    if (Date.now() > end) assert.fail(`${page} never settled`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

test('no ?bank= value makes any page ask for a file outside its folder', async () => {
  const prepare = (site) => {
    for (const folder of ['secret', `${kBelow}/../secret`]) {
      for (const name of ['mondai.txt', 'kotae.txt', 'setumei.txt']) site.beside(path.join(folder, name), kElsewhere);
    }
  };
  await inBrowser('chromium', builtSite, {prepare, servedBelow: kBelow}, async ({site, driver}) => {
    for (const page of Object.keys(kSettled)) {
      for (const value of kHostile) {
        await driver.open(`${site.url}${page}?bank=${value}`);
        const said = await settled(driver, page);
        assert.ok(!said.includes(kElsewhere), `${page}?bank=${value} showed a file from elsewhere`);
      }
    }
    const outside = site.requests.filter((request) => !request.startsWith(`/${kBelow}/`));
    assert.deepEqual(outside, [], 'asked for outside the page\'s folder');
    assert.ok(site.requests.some((request) => request.endsWith('/soruberia.wasm')), 'the pages never ran');
  });
});

// A bank whose texts file is `size` bytes (sparse: nothing is written), and
// the right key and explanation beside it.
function hugeBank(size) {
  const bank = bankOnDisk(kOnlyTwelve);
  const huge = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-huge-')), 'mondai.txt');
  fs.closeSync(fs.openSync(huge, 'w'));
  fs.truncateSync(huge, size);
  return {
    files: [huge, ...bank.files.filter((file) => path.basename(file) !== 'mondai.txt')],
    remove() {
      bank.remove();
      fs.rmSync(path.dirname(huge), {recursive: true, force: true});
    },
  };
}

test('bank files of 200 MB and 1.1 GB picked on the device: the readers\' message, little memory, and the next bank plays', async () => {
  const banks = [hugeBank(200 * 1024 * 1024), hugeBank(1100 * 1024 * 1024)];
  const next = bankOnDisk(kOnlyTwelve);
  try {
    await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
      await startAtMenu(driver, site.url);
      const fresh = driver.rendererMemory();
      for (const bank of banks) {
        await driver.pick(bank.files);
        // The picked bank's own menu, not the one before the pick.
        await until(driver, (p) => text(p, kMenu, 'Label2') === kOnlyTwelve.explanation && shown(p, kMenu, 'Command3'),
          'the menu with the picked explanation');
        await driver.press(kMenu, 'Command3');
        const page = await until(driver, (p) => p.message !== null, 'the readers\' message');
        assert.match(page.message.text, /mondai\.txt.*16777216 バイトを超えていて、内容のファイルとしては大きすぎます/);
        assert.deepEqual(Object.keys(page.forms), []);
      }
      await driver.pick(next.files);
      await until(driver, (p) => p.message === null && shown(p, kMenu, 'Command3'), 'the menu again');
      await driver.press(kMenu, 'Command3');
      const page = await until(driver, (p) => shown(p, kGame, 'Label1'), 'a question of the next bank');
      assert.ok(kOnlyTwelve.texts.includes(text(page, kGame, 'Label1')));
      const grown = driver.rendererMemory() - fresh;
      console.log(`renderer memory: ${(fresh / 2 ** 20).toFixed(0)} MB fresh, ` +
        `${(grown / 2 ** 20).toFixed(0)} MB more after both picks and a game`);
      assert.ok(grown < 100 * 2 ** 20, `the renderers grew by ${(grown / 2 ** 20).toFixed(0)} MB`);
    });
  } finally {
    banks.forEach((bank) => bank.remove());
    next.remove();
  }
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A teacher's bank by link in Chromium: made in the editor (リンクで配る),
// byte for byte the files the editor saves; opened in a browser of its own
// (a student's device) and played by its key; its QR code, projected,
// read back by zbarimg at a projector's size and a phone's; a link cut
// short says so; soruberia-check --link opens in the page byte for byte.
//   node chromium-link.test.js <built site> <soruberia-bank-report> <soruberia-check> <data>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {testArguments, inBrowser} = require('./harness/session');
const {saveFiles, untilEditor, settled} = require('./harness/editor');
const {linkFromEditor, linkBank, playsLink} = require('./harness/links');
const {until} = require('./harness/wait');

const {site: builtSite, bankReport} = testArguments();
const [, , , , checker, data] = process.argv;

// The QR code on the screen as zbarimg reads it from a screenshot.
function qrRead(driver, file) {
  return driver.screenshot(file).then(() =>
    execFileSync('zbarimg', ['--quiet', '--raw', file], {encoding: 'utf8'}).trim());
}

test('a bank made in the editor goes by link to a student\'s browser, and its QR code reads back', async () => {
  const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-qr-'));
  try {
    await inBrowser('chromium', builtSite, {width: 1920, height: 1080}, async ({site, driver}) => {
      const link = await linkFromEditor(driver, site, 'リンクで配った問題です');
      assert.ok(link.startsWith(`${site.url}index.html#b=`), link.slice(0, 60));
      // The link carries what the editor saves, byte for byte.
      await driver.evaluate(() => document.getElementById('share-dialog').close());
      const saved = await saveFiles(driver);
      const {files} = linkBank(bankReport, link);
      for (const name of Object.keys(files)) assert.ok(files[name].equals(saved[name]), `${name} differs`);

      // The projected code, at a projector's size and a phone's.
      await driver.evaluate(() => document.getElementById('share-dialog').showModal());
      await driver.click('#share-project');
      assert.equal(await qrRead(driver, path.join(shots, 'projector.png')), link);
      await driver.resize(390, 844);
      assert.equal(await qrRead(driver, path.join(shots, 'phone.png')), link);

      // A student's device: a browser of its own.
      const student = await require('./harness/puppeteer-driver').launch('chromium');
      try {
        await playsLink(student, bankReport, link);
        // Cut short by a messaging app: the message, no game.
        await student.open('about:blank');
        await student.open(link.slice(0, link.length - 300));
        const page = await until(student, (p) => p.message !== null, 'the message of a cut link');
        assert.match(page.message.text, /途中で切れています/);
        assert.deepEqual(Object.keys(page.forms), []);
      } finally {
        await student.close();
      }
    });
  } finally {
    fs.rmSync(shots, {recursive: true, force: true});
  }
});

test('soruberia-check --link opens in the editor byte for byte', async (t) => {
  if (!fs.existsSync(checker)) {
    t.skip(`${checker} is not built`);
    return;
  }
  await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
    const out = execFileSync(checker, ['--link', site.url, data], {encoding: 'utf8',
      env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
    const link = out.trim().split('\n').pop();
    assert.ok(link.startsWith(`${site.url}#b=`), out);
    await driver.open(link.replace('#', 'editor.html#'));
    await untilEditor(driver, (e) => settled(e) && e.source.includes('リンクの問題'), 'the link\'s bank open');
    const saved = await saveFiles(driver);
    for (const name of ['mondai.txt', 'kotae.txt', 'setumei.txt']) {
      assert.ok(saved[name].equals(fs.readFileSync(path.join(data, '問題', name))), `${name} differs`);
    }
  });
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Bank links as a teacher makes them in the editor (リンクで配る) and as a
// student's browser opens them: the game on the link's bank, a question
// answered right by the bank's own key.
'use strict';
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {desktopReading} = require('./layout');
const {untilEditor, settled, field, openEditor} = require('./editor');
const {until} = require('./wait');
const {startAtMenu, startGame} = require('./play');
const {rightPress} = require('./smoke');
const {text, kMenu} = require('./view');

// The editor on the bank beside the page, question 1 rewritten to text;
// リンクで配る, and the link its dialog shows.
async function linkFromEditor(driver, site, text1) {
  await openEditor(driver, site);
  await driver.type(field(1), text1);
  await untilEditor(driver, (e) => settled(e) && e.rows[0].text === text1, 'question 1 rewritten');
  await driver.click('#share-link');
  const end = Date.now() + 20000;
  for (;;) {
    const link = await driver.evaluate(() => (document.getElementById('share-dialog').open &&
      document.querySelector('#share-qr svg') ? document.getElementById('share-url').value : ''));
    if (link) return link;
    if (Date.now() > end) assert.fail('no link in the share dialog');
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Chromium, as the teacher's device, makes the link (see linkFromEditor).
async function linkMadeInChromium(site, text1) {
  const driver = await require('./puppeteer-driver').launch('chromium');
  try {
    return await linkFromEditor(driver, site, text1);
  } finally {
    await driver.close();
  }
}

// The link's bank as the desktop's zlib reads it ({questions, answers} of
// the desktop programs), and its three files.
function linkBank(bankReport, link) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-link-bank-'));
  try {
    fs.mkdirSync(path.join(folder, '問題'));
    execFileSync(path.join(path.dirname(bankReport), 'soruberia-bank-link'), ['decode', link, path.join(folder, '問題')]);
    const files = Object.fromEntries(['mondai.txt', 'kotae.txt', 'setumei.txt'].map((name) =>
      [name, fs.readFileSync(path.join(folder, '問題', name))]));
    return {reading: desktopReading(bankReport, folder), files};
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
}

// A student's browser opens the link: the menu with the link's
// explanation, the bar naming the link's bank, a question of it answered
// right by its key.
async function playsLink(driver, bankReport, link) {
  const {reading} = linkBank(bankReport, link);
  let page = await startAtMenu(driver, link);
  assert.equal(text(page, kMenu, 'Label2'), reading.explanation.line);
  const bar = await driver.evaluate(() => document.getElementById('bank-name').textContent);
  assert.ok(bar.startsWith('リンクの問題: ') && reading.explanation.line.startsWith(bar.slice(8).replace(/…$/, '')),
    `the bar says 「${bar}」`);
  page = await startGame(driver);
  return rightPress(driver, reading);
}

module.exports = {linkFromEditor, linkMadeInChromium, linkBank, playsLink};

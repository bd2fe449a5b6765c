// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The same short run in every browser: the menu, 開始, one right press,
// and a teacher's bank picked as files.
'use strict';
const assert = require('node:assert/strict');

const {desktopReading} = require('./layout');
const {bankOnDisk, kOnlyTwelve} = require('./banks');
const {until} = require('./wait');
const {startAtMenu, startGame} = require('./play');
const {shown, text, picture, kGame, kMenu, ion, kFoundIon, kRightMark} = require('./view');

// A right press on the question shown, by the bank's key.
async function rightPress(driver, bank) {
  let page = await driver.read();
  const question = bank.questions.texts.indexOf(text(page, kGame, 'Label1'));
  assert.ok(question >= 0, `「${text(page, kGame, 'Label1')}」 is no question of the bank`);
  const right = bank.answers.key[question].ions[0];
  await driver.press(kGame, ion(right));
  page = await until(driver, (p) => shown(p, kGame, 'Image3') && picture(p, kGame, 'Image3') === kRightMark &&
    picture(p, kGame, ion(right)) === kFoundIon(right) && text(p, kGame, 'Label4') === '100',
  'the right-answer mark, the found picture and 100 points');
  return page;
}

// The menu, 開始 and a right press with the bank the site comes with.
async function firstGame(driver, site, bankReport) {
  await startAtMenu(driver, site.url);
  await startGame(driver);
  return rightPress(driver, desktopReading(bankReport, site.folder));
}

// A fresh page; the teacher picks the bank's three files at the menu, the
// program starts again on them.
async function pickedBank(driver, site) {
  const picked = bankOnDisk(kOnlyTwelve);
  try {
    let page = await startAtMenu(driver, site.url);
    assert.ok(page.picker, 'no bank picker on the page');
    await driver.pick(picked.files);
    page = await until(driver, (p) => text(p, kMenu, 'Label2') === kOnlyTwelve.explanation,
      'the menu with the picked explanation');
    await until(driver, (p) => shown(p, kMenu, 'Command3'), 'the menu\'s start button');
    page = await startGame(driver);
    assert.ok(kOnlyTwelve.texts.includes(text(page, kGame, 'Label1')), 'the question is not of the picked bank');
    await driver.press(kGame, ion(12));
    await until(driver, (p) => picture(p, kGame, 'Image3') === kRightMark && text(p, kGame, 'Label4') === '100',
      'a right answer on ion 12, by the picked answer key');
  } finally {
    picked.remove();
  }
}

module.exports = {firstGame, pickedBank, rightPress};

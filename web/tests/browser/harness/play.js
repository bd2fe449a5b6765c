// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The steps a player takes on the page, each waiting for what the player
// would see before the next.
'use strict';
const assert = require('node:assert/strict');

const {until} = require('./wait');
const {shown, text, picture, kGame, kMenu, ion, kPlainIon} = require('./view');

const kIons = Array.from({length: 12}, (_, i) => i + 1);

// The menu with its start button, after the title's build-up.
async function startAtMenu(driver, url) {
  await driver.open(url);
  return until(driver, (page) => shown(page, kMenu, 'Command3'), 'the menu with its start button');
}

// Every ion button shows its plain picture: a fresh question.
function freshQuestion(page) {
  return shown(page, kGame) && kIons.every((i) => picture(page, kGame, ion(i)) === kPlainIon(i));
}

// 開始: the menu goes, the game comes with its first question.
async function startGame(driver) {
  await driver.press(kMenu, 'Command3');
  return until(driver, (page) => !page.forms[kMenu] && freshQuestion(page) && text(page, kGame, 'Label1') !== '',
    'the game with its first question after 開始');
}

// The carriage's level: how many steps its left edge stands from home,
// measured on the page at whatever scale it draws the form.
function gaugeLevel(page, gauge, home) {
  const carriage = page.forms[kGame].widgets.Image1.box;
  const scale = carriage.width / gauge.width;
  return (carriage.left - home) / (gauge.step * scale);
}

function atLevel(page, gauge, home, level) {
  return Math.abs(gaugeLevel(page, gauge, home) - level) < 0.05;
}

async function pressIons(driver, ions) {
  for (const i of ions) await driver.press(kGame, ion(i));
}

// All right ions of the question shown, no miss: the bonus picture, then
// the next question and the score.
async function perfectQuestion(driver, bank, scoreAfter) {
  await until(driver, freshQuestion, 'a fresh question');
  await pressIons(driver, bank.rightIons);
  await until(driver, (page) => shown(page, kGame, 'Image5'), 'the bonus picture');
  const page = await until(driver, (p) => !shown(p, kGame, 'Image5') && freshQuestion(p),
    'the next question after the bonus');
  assert.equal(text(page, kGame, 'Label4'), String(scoreAfter), 'the score after a perfect question');
  return page;
}

module.exports = {kIons, startAtMenu, freshQuestion, startGame, gaugeLevel, atLevel, pressIons, perfectQuestion};

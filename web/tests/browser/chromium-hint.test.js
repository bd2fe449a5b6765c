// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The hint window in Chromium: opened over the game, the game brought
// forward by a click and played while the hint is open, the same hint
// brought forward again by ヒント, closed by 戻る; a later ヒント opens a
// fresh one. The game plays a bank whose wrong ion is known, whatever
// question comes first.
//   node chromium-hint.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');

const {testArguments, inBrowser} = require('./harness/session');
const {until} = require('./harness/wait');
const {writeBank, kElevenRight} = require('./harness/banks');
const {startAtMenu, startGame} = require('./harness/play');
const {shown, picture, widgetOf, kGame, kHint, ion, kWrongMark} = require('./harness/view');

const {site: builtSite} = testArguments();

// What a click on the middle of the first ion button reaches: the form in
// front there.
const inFront = (page) => widgetOf(page, kGame, ion(1)).onTop.form;

function markHint(driver) {
  return driver.evaluate(() => { document.querySelector('[data-form="ヒント"]').soruberiaSeen = true; });
}

function hintMarked(driver) {
  return driver.evaluate(() => document.querySelector('[data-form="ヒント"]').soruberiaSeen === true);
}

test('ヒント opens the hint in front; the game comes forward by a click, ヒント brings the same hint back; 戻る closes it', async () => {
  const prepare = (site) => writeBank(site, '先生の問題', kElevenRight);
  await inBrowser('chromium', builtSite, {prepare}, async ({site, driver}) => {
    await startAtMenu(driver, `${site.url}?bank=${encodeURIComponent('先生の問題')}`);
    await startGame(driver);

    await driver.press(kGame, 'Command3');
    let page = await until(driver, (p) => shown(p, kHint, 'Command1') && inFront(p) === kHint,
      'the hint in front of the game');
    assert.equal(page.forms[kHint].count, 1);
    assert.deepEqual(page.focus, {form: kHint, widget: 'Command1'}, 'the keyboard focus is not on 戻る');
    const table = widgetOf(page, kHint, 'Image1');
    assert.equal(table.role, 'img');
    assert.match(table.label || '', /Ag⁺/, 'the table has no text for a screen reader');
    await markHint(driver);

    // A click on the game where the hint leaves it uncovered brings it
    // forward; it answers presses while the hint stays open.
    const game = page.forms[kGame].box;
    const hint = page.forms[kHint].box;
    const strip = hint.top > game.top ? (game.top + hint.top) / 2
      : (hint.top + hint.height + game.top + game.height) / 2;
    assert.ok(hint.top > game.top + 2 || hint.top + hint.height < game.top + game.height - 2,
      'the hint covers the whole game: nothing to click on');
    await driver.clickAt(game.left + game.width / 2, strip);
    await until(driver, (p) => inFront(p) === kGame, 'the game in front after a click on it');
    await driver.press(kGame, ion(kElevenRight.wrongIon));
    await until(driver, (p) => shown(p, kGame, 'Image3') && picture(p, kGame, 'Image3') === kWrongMark,
      'an answer to a press with the hint open');

    // ヒント again: the same hint window comes forward, still only one.
    await driver.press(kGame, 'Command3');
    page = await until(driver, (p) => inFront(p) === kHint, 'the hint in front again');
    assert.equal(page.forms[kHint].count, 1);
    assert.ok(await hintMarked(driver), 'ヒント made a new hint window instead of bringing the open one forward');
    assert.deepEqual(page.focus, {form: kHint, widget: 'Command1'});

    // 戻る closes it; the game is in front and whole again.
    await driver.press(kHint, 'Command1');
    page = await until(driver, (p) => !p.forms[kHint] && inFront(p) === kGame, 'the hint gone after 戻る');
    assert.ok(shown(page, kGame, 'Command3'));

    // Opened again after closing: a fresh one.
    await driver.press(kGame, 'Command3');
    await until(driver, (p) => shown(p, kHint, 'Command1') && inFront(p) === kHint, 'the hint opened again');
    assert.equal(await hintMarked(driver), false, 'the closed hint window came back');
  });
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A whole game's ends in Chromium, on a teacher's bank in 問題 whose every
// question is answered by ions 1 to 11: the fifth miss, with the carriage
// at the balloon and the score halved; 10000 points, with the medal, the
// pass sound heard whole, the locked buttons and the retry.
//   node chromium-game-ends.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');

const {testArguments, inBrowser} = require('./harness/session');
const {layoutTables, gauge} = require('./harness/layout');
const {writeBank, kElevenRight} = require('./harness/banks');
const {siteSounds} = require('./harness/sounds');
const {heardInOrder} = require('./harness/sound-checks');
const {until, during} = require('./harness/wait');
const {startAtMenu, startGame, perfectQuestion, pressIons, atLevel, freshQuestion} = require('./harness/play');
const {shown, text, picture, widgetOf, kGame, ion, kFoundIon, kWrongMark} = require('./harness/view');

const {site: builtSite} = testArguments();
const layout = layoutTables(builtSite);
const sounds = siteSounds(builtSite);
const bank = kElevenRight;
const inQuestionFolder = {prepare: (site) => writeBank(site, '問題', bank)};

test('the fifth miss: the carriage reaches the balloon, it bursts, the score is halved, a new question', async () => {
  await inBrowser('chromium', builtSite, inQuestionFolder, async ({site, driver}) => {
    await startAtMenu(driver, site.url);
    let page = await startGame(driver);
    const home = widgetOf(page, kGame, 'Image1').box.left;
    const steps = gauge(layout);
    page = await perfectQuestion(driver, bank, bank.perfectQuestion);
    let score = bank.perfectQuestion;

    // Misses 1 to 4: 100 points off and one step of the carriage each.
    for (let level = 1; level <= 4; ++level) {
      await driver.press(kGame, ion(bank.wrongIon));
      await until(driver, (p) => picture(p, kGame, 'Image3') === kWrongMark && shown(p, kGame, 'Image3'),
        `the mark of miss ${level}`);
      page = await until(driver, (p) => !shown(p, kGame, 'Image3') && atLevel(p, steps, home, level),
        `the carriage at step ${level}`);
      score -= 100;
      assert.equal(text(page, kGame, 'Label4'), String(score));
      assert.ok(!shown(page, kGame, 'Image2'), 'the balloon burst early');
    }

    // The fifth costs nothing; at the end of its pause the carriage stands
    // against the balloon, which bursts, with its two sounds.
    const heard = (await driver.probe()).plays.length;
    await driver.press(kGame, ion(bank.wrongIon));
    page = await until(driver, (p) => shown(p, kGame, 'Image2') && atLevel(p, steps, home, 5),
      'the burst balloon with the carriage at it');
    assert.equal(text(page, kGame, 'Label4'), String(score));
    const carriage = widgetOf(page, kGame, 'Image1').box;
    const burst = widgetOf(page, kGame, 'Image2').box;
    assert.ok(Math.abs(carriage.left + carriage.width - burst.left) < 1,
      `the carriage ends at ${carriage.left + carriage.width}, the balloon begins at ${burst.left}`);
    assert.equal(widgetOf(page, kGame, 'Image1').description, 'ミス 5 回');

    // Then: the carriage home, the balloon whole, half the score, a new question.
    page = await until(driver, (p) => !shown(p, kGame, 'Image2') && atLevel(p, steps, home, 0) && freshQuestion(p),
      'the carriage home and a new question after the burst');
    page = await until(driver, (p) => text(p, kGame, 'Label4') === String(Math.floor(score / 2)),
      `the score halved to ${Math.floor(score / 2)}`);
    await heardInOrder(driver, sounds, heard, ['x.wav', 'pan.wav', 'dame.wav']);
  });
});

test('10000 points: the medal with the pass sound heard whole, the ion buttons locked, then 再挑戦 starts anew', async () => {
  await inBrowser('chromium', builtSite, inQuestionFolder, async ({site, driver}) => {
    await startAtMenu(driver, site.url);
    await startGame(driver);
    let score = 0;
    while (score + bank.perfectQuestion < 10000) {
      score += bank.perfectQuestion;
      await perfectQuestion(driver, bank, score);
    }
    // The last question: its right sounds, then the bonus and the goal.
    const heard = (await driver.probe()).plays.length;
    await pressIons(driver, bank.rightIons);
    let page = await until(driver, (p) => shown(p, kGame, 'Image4') && !shown(p, kGame, 'Image5'),
      'the medal after the bonus', 20000);
    score += bank.perfectQuestion;
    assert.equal(text(page, kGame, 'Label4'), String(score));
    assert.equal(widgetOf(page, kGame, 'Image4').role, 'img');
    for (const i of bank.rightIons) assert.equal(picture(page, kGame, ion(i)), kFoundIon(i), 'the question went away');
    const names = [...bank.rightIons.map(() => 'o.wav'), 'gokaku.wav'];
    await heardInOrder(driver, sounds, heard, names);

    // Locked: a press brings no mark and no sound while 再挑戦 is awaited.
    const before = (await driver.probe()).plays.length;
    await driver.press(kGame, ion(bank.wrongIon));
    await during(driver, 1000, (p) => !shown(p, kGame, 'Image3') && text(p, kGame, 'Label4') === String(score),
      'an ion button answered after the goal');
    page = await until(driver, (p) => shown(p, kGame, 'Command4'), '再挑戦 after the medal', 10000);
    assert.ok(!shown(page, kGame, 'Image3'), 'an ion button answered after the goal');
    assert.ok(shown(page, kGame, 'Image4'));
    assert.equal((await driver.probe()).plays.length, before, 'a sound after the goal');

    // 再挑戦: a new game in the same window, the score blank until a press.
    await driver.press(kGame, 'Command4');
    page = await until(driver, (p) => !shown(p, kGame, 'Command4') && !shown(p, kGame, 'Image4') && freshQuestion(p) &&
      shown(p, kGame, 'Image1'), 'a new game after 再挑戦');
    assert.equal(text(page, kGame, 'Label4'), '');
    await driver.press(kGame, ion(bank.rightIons[0]));
    await until(driver, (p) => text(p, kGame, 'Label4') === '100', 'the new game answers');
  });
});


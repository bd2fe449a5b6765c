// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The page in Chromium with the question bank it comes with: the menu's
// build-up, the start, a right and two wrong presses with their sounds,
// and the menu's 終了.
//   node chromium-play.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');

const {testArguments, inBrowser} = require('./harness/session');
const {layoutTables, gauge, desktopReading} = require('./harness/layout');
const {siteSounds} = require('./harness/sounds');
const {heardInOrder} = require('./harness/sound-checks');
const {until, during} = require('./harness/wait');
const {startAtMenu, startGame, atLevel, kIons} = require('./harness/play');
const {shown, text, picture, widgetOf, kGame, kMenu, ion, kPlainIon, kFoundIon, kRightMark, kWrongMark} =
  require('./harness/view');

const {site: builtSite, bankReport} = testArguments();
const layout = layoutTables(builtSite);
const sounds = siteSounds(builtSite);
const kTiles = [0, 1, 2, 3, 4].map((i) => `Image1_${i}`);
const kMenuButtons = ['Command1', 'Command2', 'Command3'];

test('the menu builds its title tile by tile, then its buttons; 説明 lays the explanation over it', async () => {
  await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
    let page = await startAtMenu(driver, site.url);
    const {changes} = await driver.probe();
    const came = changes.find((c) => c.form === kMenu && c.added);
    assert.ok(came, 'the menu was never added to the page');
    assert.deepEqual(came.shown.filter((w) => kTiles.includes(w) || kMenuButtons.includes(w)), [],
      'tiles or buttons were there at once');
    const shownAt = (widget) => {
      const change = changes.find((c) => c.form === kMenu && c.widget === widget && c.attribute === 'hidden');
      assert.ok(change && change.value === null, `${widget} was never shown`);
      return change.t;
    };
    // One tile a tick of 500 ms, in order, then the buttons at the sixth.
    // A timer never fires early, but ticks that wait (for a starved
    // machine, or for the page's files) may come back to back: each tile
    // is held to the earliest its tick can come.
    const tiles = kTiles.map(shownAt);
    tiles.forEach((at, i) => {
      assert.ok(at - came.t >= 500 * (i + 1) - 100, `tile ${i} came ${at - came.t} ms after the menu`);
      if (i > 0) assert.ok(at >= tiles[i - 1], `tile ${i} came before tile ${i - 1}`);
    });
    for (const button of kMenuButtons) {
      const after = shownAt(button) - came.t;
      assert.ok(after >= 3000 - 100 && shownAt(button) > tiles[4], `${button} came ${after} ms after the menu`);
    }
    assert.equal(changes.filter((c) => c.form === kMenu && c.attribute === 'hidden' && c.value !== null).length, 0,
      'something of the menu went away during the build-up');

    // 説明: the panel over the title, 戻る in place of 説明; 戻る: back.
    const explanation = desktopReading(bankReport, site.folder).explanation.line;
    assert.equal(text(page, kMenu, 'Label2'), explanation);
    await driver.press(kMenu, 'Command2');
    page = await until(driver, (p) => shown(p, kMenu, 'Label1') && shown(p, kMenu, 'Label2') &&
      shown(p, kMenu, 'Command4') && kMenuButtons.every((b) => !shown(p, kMenu, b)), 'the explanation panel');
    const back = widgetOf(page, kMenu, 'Command4').box;
    const explain = layout['メニュー'].widgets.Command2;
    const scale = page.forms[kMenu].box.width / layout['メニュー'].width;
    assert.ok(Math.abs(back.left - page.forms[kMenu].box.left - explain.left * scale) < 1,
      '戻る is not where 説明 was');
    await driver.press(kMenu, 'Command4');
    await until(driver, (p) => !shown(p, kMenu, 'Label1') && !shown(p, kMenu, 'Command4') &&
      [...kTiles, ...kMenuButtons].every((w) => shown(p, kMenu, w)), 'the title and buttons again after 戻る');
  });
});

test('開始; a wrong, a right and a wrong press: score, marks, found picture, gauge steps, sounds whole at −6 dB or cut by the next', async () => {
  await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
    const bank = desktopReading(bankReport, site.folder);
    await startAtMenu(driver, site.url);
    let page = await startGame(driver);
    const form = page.forms[kGame];
    assert.equal(form.count, 1);
    for (const i of kIons) {
      const button = widgetOf(page, kGame, ion(i));
      assert.equal(button.tag, 'button', `${ion(i)} is no button`);
      assert.equal(button.picture, kPlainIon(i));
      assert.ok(button.label, `${ion(i)} has no accessible name`);
    }
    assert.equal(widgetOf(page, kGame, 'Image1').role, 'img');
    assert.equal(text(page, kGame, 'Label4'), '', 'a score before the first press');
    for (const hidden of ['Image2', 'Image3', 'Image4', 'Image5', 'Command4']) {
      assert.ok(!shown(page, kGame, hidden), `${hidden} shown at the start`);
    }

    // The question shown is one of the bank's; its key says what is right.
    const question = bank.questions.texts.indexOf(text(page, kGame, 'Label1'));
    assert.ok(question >= 0, `「${text(page, kGame, 'Label1')}」 is no question of the bank`);
    const {count, ions} = bank.answers.key[question];
    assert.equal(text(page, kGame, 'Label3'), String(count));
    const right = ions[0];
    const wrong = kIons.find((i) => !ions.includes(i));
    const home = widgetOf(page, kGame, 'Image1').box.left;
    const steps = gauge(layout);
    const heard = (await driver.probe()).plays.length;

    // A wrong press: the mark, a score of 0 (never below), and one step
    // of the carriage once the pause after the press is over.
    await driver.press(kGame, ion(wrong));
    page = await until(driver, (p) => shown(p, kGame, 'Image3') && picture(p, kGame, 'Image3') === kWrongMark &&
      text(p, kGame, 'Label4') === '0', 'the wrong-answer mark and 0 points');
    // When the carriage steps within the pause is the engine's, held by its
    // own tests; a starved machine may show the page only after the step.
    page = await until(driver, (p) => !shown(p, kGame, 'Image3') && atLevel(p, steps, home, 1),
      'the mark gone and the gauge one step on');
    assert.equal(widgetOf(page, kGame, 'Image1').description, 'ミス 1 回');

    // Right, then wrong while the right one's sound plays, which it cuts
    // off: 100 points on, 100 off; one more step once the pause is over.
    await driver.press(kGame, ion(right));
    page = await until(driver, (p) => shown(p, kGame, 'Image3') && picture(p, kGame, 'Image3') === kRightMark &&
      picture(p, kGame, ion(right)) === kFoundIon(right) && text(p, kGame, 'Label4') === '100',
    'the right-answer mark, the found picture and 100 points');
    assert.equal(text(page, kGame, 'Label3'), String(count - 1));
    assert.match(widgetOf(page, kGame, ion(right)).label, /正解済み/);
    await driver.press(kGame, ion(wrong));
    page = await until(driver, (p) => picture(p, kGame, 'Image3') === kWrongMark && text(p, kGame, 'Label4') === '0',
      'the wrong-answer mark and 100 points off');
    page = await until(driver, (p) => !shown(p, kGame, 'Image3') && atLevel(p, steps, home, 2),
      'the mark gone and the gauge two steps on');
    assert.equal(text(page, kGame, 'Label4'), '0');
    assert.equal(widgetOf(page, kGame, 'Image1').description, 'ミス 2 回');

    const plays = await heardInOrder(driver, sounds, heard, ['x.wav', 'o.wav', 'x.wav']);
    assert.ok(plays[1].stoppedAtMs !== null, 'the right-answer sound was not cut off by the next');
    await during(driver, 1500, (p) => atLevel(p, steps, home, 2), 'the gauge moved by itself');
  });
});

test('the menu\'s 終了 ends the program: the forms go, the page says so', async () => {
  await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
    await startAtMenu(driver, site.url);
    await driver.press(kMenu, 'Command1');
    const page = await until(driver, (p) => p.closed, 'the page\'s word that the program ended');
    assert.deepEqual(Object.keys(page.forms), []);
    assert.equal(page.message, null);
  });
});

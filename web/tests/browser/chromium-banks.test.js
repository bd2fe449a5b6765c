// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Teachers' banks in Chromium: files picked on the device, a folder beside
// the page (?bank=FOLDER), broken banks and a missing picture (the desktop
// programs' message, naming file and line, and nothing else), and markup
// in a bank's texts (shown as text; nothing made of it, nothing run).
//   node chromium-banks.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');

const {testArguments, inBrowser} = require('./harness/session');
const {writeBank, bankOnDisk, bankFiles, kOnlyTwelve, kMarkupTexts, kElevenRight} = require('./harness/banks');
const {until} = require('./harness/wait');
const {startAtMenu, startGame} = require('./harness/play');
const {shown, text, picture, widgetOf, kGame, kMenu, ion, kRightMark} = require('./harness/view');

const {site: builtSite} = testArguments();

// The bank in play answers a press on its right ion with 100 points.
async function playsBank(driver, bank) {
  let page = await startGame(driver);
  assert.ok(bank.texts.includes(text(page, kGame, 'Label1')),
    `「${text(page, kGame, 'Label1')}」 is no question of the teacher's bank`);
  await driver.press(kGame, ion(bank.rightIons[0]));
  page = await until(driver, (p) => picture(p, kGame, 'Image3') === kRightMark && text(p, kGame, 'Label4') === '100',
    `a right answer on ion ${bank.rightIons[0]}`);
  return page;
}

test('a teacher\'s bank picked as files: the program starts again on them; not while a game runs', async () => {
  const picked = bankOnDisk(kOnlyTwelve);
  try {
    await inBrowser('chromium', builtSite, {}, async ({site, driver}) => {
      let page = await startAtMenu(driver, site.url);
      assert.ok(page.picker, 'no bank picker on the page');
      await driver.pick(picked.files);
      // The menu again from its start, with the picked explanation.
      page = await until(driver, (p) => text(p, kMenu, 'Label2') === kOnlyTwelve.explanation && !shown(p, kMenu, 'Command3'),
        'the menu building up again with the picked explanation');
      await until(driver, (p) => shown(p, kMenu, 'Command3'), 'the menu\'s start button');
      await playsBank(driver, kOnlyTwelve);
      // A game is not cut short: the picker is out of reach while it runs.
      const reachable = await driver.evaluate(() =>
        document.querySelector('[data-bank-picker]').closest('label').checkVisibility());
      assert.equal(reachable, false, 'the bank picker is offered during a game');
    });
  } finally {
    picked.remove();
  }
});

test('?bank=FOLDER reads the teacher\'s bank beside the page', async () => {
  const folder = '先生の問題';
  await inBrowser('chromium', builtSite, {prepare: (site) => writeBank(site, folder, kOnlyTwelve)}, async ({site, driver}) => {
    const page = await startAtMenu(driver, `${site.url}?bank=${encodeURIComponent(folder)}`);
    assert.equal(text(page, kMenu, 'Label2'), kOnlyTwelve.explanation);
    await playsBank(driver, kOnlyTwelve);
    for (const name of ['mondai.txt', 'kotae.txt', 'setumei.txt']) {
      assert.ok(site.requests.includes(`/${folder}/${name}`), `${folder}/${name} never asked for`);
    }
  });
});

// Broken content: where it is, when the program meets it, what it says.
const kBroken = [
  {name: 'a count of 13 in the answer key',
    prepare: (site) => {
      writeBank(site, '壊れた', kElevenRight);
      const key = bankFiles(kElevenRight)['kotae.txt'].toString('latin1');
      site.write('壊れた/kotae.txt', Buffer.from(key.replace(/^11,/, '13,12,12,'), 'latin1'));
    },
    query: '?bank=壊れた', atStart: true,
    says: '壊れた/kotae.txt:1: エラー: 1 番目の項目（問題 1 の正解の数）: 正解の数 13 が正解の枠の数 12 を超えています'},
  {name: 'a question text that is not Shift-JIS',
    prepare: (site) => {
      writeBank(site, '壊れた', kElevenRight);
      const texts = bankFiles(kElevenRight)['mondai.txt'];
      site.write('壊れた/mondai.txt', Buffer.concat([Buffer.from([0x82, 0xff, 0x0d, 0x0a]), texts]));
    },
    query: '?bank=壊れた', atStart: true,
    says: '壊れた/mondai.txt:1: エラー: 1 番目の項目（問題 1 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: 行の 1 バイト目の 0x82 0xFF'},
  {name: 'no explanation file',
    prepare: (site) => {
      writeBank(site, '壊れた', kElevenRight);
      site.remove('壊れた/setumei.txt');
    },
    query: '?bank=壊れた', atStart: false,
    says: '壊れた/setumei.txt: エラー: ファイルがありません'},
  {name: 'a plain ion picture missing',
    prepare: (site) => site.remove('図/ion(12).gif'),
    query: '', atStart: true,
    says: '図/ion(12).gif'},
];

for (const broken of kBroken) {
  test(`${broken.name}: the forms go and the message names file and line`, async () => {
    await inBrowser('chromium', builtSite, {prepare: broken.prepare}, async ({site, driver}) => {
      const url = site.url + broken.query;
      if (broken.atStart) {
        await startAtMenu(driver, url);
        await driver.press(kMenu, 'Command3');
      } else {
        await driver.open(url);
      }
      const page = await until(driver, (p) => p.message !== null, 'a message');
      assert.deepEqual(Object.keys(page.forms), [], 'a form stayed with the message');
      assert.equal(page.message.role, 'alert');
      assert.ok(page.message.text.includes(broken.says), `the message 「${page.message.text}」 does not say 「${broken.says}」`);
      assert.equal(page.closed, false);
    });
  });
}

test('markup in a bank\'s texts is shown as text: no element made of it, no handler run', async () => {
  const prepare = (site) => writeBank(site, '問題', kMarkupTexts);
  await inBrowser('chromium', builtSite, {prepare}, async ({site, driver}) => {
    let page = await startAtMenu(driver, site.url);
    assert.equal(text(page, kMenu, 'Label2'), kMarkupTexts.explanation);
    assert.equal(widgetOf(page, kMenu, 'Label2').elements, 0);
    page = await startGame(driver);
    assert.ok(kMarkupTexts.texts.includes(text(page, kGame, 'Label1')), `「${text(page, kGame, 'Label1')}」`);
    assert.equal(widgetOf(page, kGame, 'Label1').elements, 0, 'the question text made elements');
    // A right press and its pause, in which a handler would long have run.
    await driver.press(kGame, ion(1));
    await until(driver, (p) => text(p, kGame, 'Label4') === '100', 'a right answer');
    const made = await driver.evaluate(() => ({
      injected: typeof window.soruberiaInjected,
      images: [...document.querySelectorAll('img')].filter((img) => /\/x$/.test(img.src)).length,
      bold: document.querySelectorAll('[data-form] b').length,
    }));
    assert.deepEqual(made, {injected: 'undefined', images: 0, bold: 0});
    assert.ok(!site.requests.includes('/x'), 'the markup\'s picture was asked for');
  });
});

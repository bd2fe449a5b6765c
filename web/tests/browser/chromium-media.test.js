// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Hostile pictures and sounds (tests/media, shared by every front-end's
// tests) in Chromium, which would show or play some of them: a GIF that
// says it is 20000 x 20000 ends the game's start with the message naming
// the file, as the check page calls it an error; an MP3 named o.wav and a
// WAV header with no data as x.wav never reach the browser's decoder, are
// told of once each, and leave no error in the console.
//   node chromium-media.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const {testArguments, inBrowser} = require('./harness/session');
const {writeBank, kElevenRight} = require('./harness/banks');
const {fingerprint} = require('./harness/sounds');
const {sleep, until, during} = require('./harness/wait');
const {startAtMenu, startGame} = require('./harness/play');
const {shown, kGame, kMenu, ion} = require('./harness/view');

const {site: builtSite} = testArguments();
const media = path.join(__dirname, '..', '..', '..', 'tests', 'media');
const hostile = (name) => fs.readFileSync(path.join(media, name));
const bank = kElevenRight;

test('a GIF that says it is 20000 x 20000 ends the game\'s start with the message naming it', async () => {
  const prepare = (site) => site.write('図/ion(1).gif', hostile('lying.gif'));
  await inBrowser('chromium', builtSite, {prepare}, async ({site, driver}) => {
    await startAtMenu(driver, site.url);
    await driver.press(kMenu, 'Command3');
    const page = await until(driver, (p) => p.message !== null, 'a message after 開始');
    assert.equal(page.message.role, 'alert');
    const says = '図/ion(1).gif (画像が大きすぎます: 20000 x 20000 px です。幅も高さも 1024 px までにしてください)';
    assert.ok(page.message.text.startsWith('画像を読み込めません: ') && page.message.text.includes(says),
      page.message.text);
    assert.ok(!page.forms[kGame], 'the game window came');
    assert.deepEqual(driver.errors, []);
  });
});

test('an MP3 named .wav and a WAV with no data are told of once each and never decoded', async () => {
  const prepare = (site) => {
    writeBank(site, '問題', bank);
    site.write('音/o.wav', hostile('mp3.wav'));
    site.write('音/x.wav', hostile('header-only.wav'));
  };
  await inBrowser('chromium', builtSite, {prepare}, async ({site, driver}) => {
    await startAtMenu(driver, site.url);
    await startGame(driver);
    const notice = () => driver.evaluate(() => document.getElementById('notice').textContent);
    const noticeSays = async (text) => {
      const end = Date.now() + 15000;
      let now;
      while ((now = await notice()) !== text) {
        if (Date.now() > end) assert.fail(`the notice says 「${now}」, not 「${text}」`);
        await sleep(40);
      }
    };
    const says = {
      o: '音を鳴らせません: 音/o.wav (WAV ファイルではありません)',
      x: '音を鳴らせません: 音/x.wav (音のデータがありません)',
    };
    // A right press would play o.wav, a wrong one x.wav; each twice.
    await driver.press(kGame, ion(bank.rightIons[0]));
    await noticeSays(says.o);
    await driver.press(kGame, ion(bank.wrongIon));
    await noticeSays(says.x);
    await driver.evaluate(() => { document.getElementById('notice').textContent = ''; });
    await driver.press(kGame, ion(bank.rightIons[1]));
    await driver.press(kGame, ion(bank.wrongIon));
    await during(driver, 1500, (p) => shown(p, kGame), 'the game went away');
    assert.equal(await notice(), '', 'a sound told of twice');

    const probe = await driver.probe();
    const refused = [fingerprint(hostile('mp3.wav')), fingerprint(hostile('header-only.wav'))];
    assert.deepEqual(probe.decodes.filter((file) => refused.includes(file)), []);
    assert.deepEqual(probe.plays.filter((play) => refused.includes(play.file)), []);
    assert.ok(probe.decodes.length >= 3, `the other sounds were not decoded: ${probe.decodes}`);
    assert.deepEqual(driver.errors, []);
  });
});

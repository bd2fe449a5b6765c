// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game's module and the check page's judge a picture or a sound alike,
// on the hostile files every front-end's tests share (tests/media): a
// picture the check page calls an error ends the game's start with the
// desktop programs' message and the same reason; a sound it says will not
// be played, the game's module refuses before the browser's decoder could
// take it (web/site/sound.js asks it), for the same reason.
//   node --no-experimental-fetch media-verdicts.test.js <site> <data> <media>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const [site, data, media] = process.argv.slice(2);
const createSoruberia = require(path.resolve(site, 'soruberia.js'));
const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
const bank = require(path.resolve(site, 'bank-files.js'));
const {measureQuestion} = require('./label-model.js');

const BASE = 'https://example.org/soruberia';

// The default content as the page hands it in, with `changes` ({page path: bytes}).
function handIn(core, changes) {
  for (const sub of ['問題', '図', '音']) {
    for (const name of fs.readdirSync(path.join(data, sub))) {
      const pagePath = `${sub}/${name}`;
      bank.putFile(core, pagePath, changes[pagePath] || fs.readFileSync(path.join(data, sub, name)));
    }
  }
}

// The check page's finding for the file, or null.
async function checkFinding(file, bytes) {
  const core = await createSoruberiaCheck();
  handIn(core, {[file]: bytes});
  globalThis.soruberiaMeasureQuestion = measureQuestion;
  const report = JSON.parse(bank.call(core, 'check', BASE));
  const found = report.findings.filter((f) => f.file === file);
  assert.ok(found.length <= 1, JSON.stringify(found));
  return found[0] || null;
}

// The game's start with the picture: its fatal message, or null once the
// game window is there.
async function gameStart(file, bytes) {
  const core = await createSoruberia();
  handIn(core, {[file]: bytes});
  const armed = new Set();  // "form\ttimer"
  const shown = new Set();  // "form\twidget"
  let fatal = null;
  let game = false;
  const apply = (json) => {
    for (const op of JSON.parse(json)) {
      if (op.op === 'fatal') fatal = op.message;
      if (op.op === 'create' && op.form === 'GameForm') game = true;
      if (op.op === 'timer') {
        if (op.ms > 0) armed.add(`${op.form}\t${op.widget}`); else armed.delete(`${op.form}\t${op.widget}`);
      }
      if (op.op === 'visible' && op.visible) shown.add(`${op.form}\t${op.widget}`);
    }
  };
  apply(bank.call(core, 'start', BASE));
  // The menu's title builds up before its start button shows.
  for (let step = 0; step < 200 && !shown.has('メニュー\tCommand3') && fatal === null; ++step) {
    for (const timer of [...armed]) apply(bank.call(core, 'ticked', ...timer.split('\t')));
  }
  apply(bank.call(core, 'pressed', 'メニュー', 'Command3'));
  assert.ok(fatal !== null || game, 'neither a message nor a game');
  return fatal;
}

// What the game's module says of a sound file: '' or why it is not played.
async function soundFault(bytes) {
  const core = await createSoruberia();
  bank.putFile(core, '音/o.wav', bytes);
  return bank.call(core, 'sound_fault', '音/o.wav');
}

const hostile = (name) => fs.readFileSync(path.join(media, name));
const fromData = (file) => fs.readFileSync(path.join(data, file));

const KEEP_PLAYING = '。ゲームはこの音を鳴らさずに続きます';
const NOT_WAV = 'WAV ファイルではありません（MP3 など別の形式のファイルは、名前を .wav にしても WAV にはなりません。' +
  'WAV 形式で書き出してください）';

const pictures = [
  {name: 'a default picture', bytes: fromData('図/ion(1).gif'), reason: null},
  {name: '58 bytes that say 20000 x 20000', bytes: hostile('lying.gif'),
   reason: '画像が大きすぎます: 20000 x 20000 px です。幅も高さも 1024 px までにしてください'},
  {name: 'a GIF cut in its image data', bytes: hostile('cut.gif'), reason: '画像のデータが壊れています'},
];

test('a picture the check page refuses ends the game\'s start, for the same reason', async (t) => {
  for (const picture of pictures) {
    await t.test(picture.name, async () => {
      const file = '図/ion(1).gif';
      const finding = await checkFinding(file, picture.bytes);
      const fatal = await gameStart(file, picture.bytes);
      if (picture.reason === null) {
        assert.equal(finding, null);
        assert.equal(fatal, null);
        return;
      }
      assert.equal(finding.kind, 'エラー');
      assert.equal(finding.message, `画像を読み込めません (${picture.reason})。ゲームはこの画像が要る場面で止まります`);
      assert.equal(fatal.split('\n')[0], `画像を読み込めません: ${BASE}/${file} (${picture.reason})`);
    });
  }
});

const sounds = [
  {name: 'a default sound', bytes: fromData('音/o.wav'), fault: '', says: null},
  {name: 'an MP3 named .wav', bytes: hostile('mp3.wav'), fault: 'WAV ファイルではありません', says: NOT_WAV + KEEP_PLAYING},
  {name: 'a WAV header with no data', bytes: hostile('header-only.wav'), fault: '音のデータがありません',
   says: '音を鳴らせません (音のデータがありません)' + KEEP_PLAYING},
];

test('a sound the check page says will not be played, the game\'s module refuses', async (t) => {
  for (const sound of sounds) {
    await t.test(sound.name, async () => {
      const finding = await checkFinding('音/o.wav', sound.bytes);
      assert.equal(finding && `${finding.kind}: ${finding.message}`, sound.says && `警告: ${sound.says}`);
      assert.equal(await soundFault(sound.bytes), sound.fault);
    });
  }
});

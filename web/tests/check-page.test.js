// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The check page's module where the page differs from a folder on disk
// (the report itself is held to the desktop checkers' by the broken copies
// table): files picked on the device or a bank folder beside the page, named
// as the game page names them; the question label measured by the page,
// shrinking a text before it cuts it; pictures and sounds judged whole, as
// the game page judges them before the browser takes them.
//   node --no-experimental-fetch check-page.test.js <site> <data>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

const [site, data] = process.argv.slice(2);
const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
const createSoruberia = require(path.resolve(site, 'soruberia.js'));
const bank = require(path.resolve(site, 'bank-files.js'));
const {measureQuestion} = require('./label-model.js');

const BASE = 'https://example.org/soruberia';
const PICKED = '選んだファイル';

function withString(core, text, use) {
  const size = core.lengthBytesUTF8(text) + 1;
  const at = core._malloc(size);
  core.stringToUTF8(text, at, size);
  try {
    return use(at);
  } finally {
    core._free(at);
  }
}

// A module handed the default content as the page hands it in, the bank in
// `bankFolder` under the names of `bankNames`, with `changes` ({page path:
// bytes, or null to leave it out}); its report below BASE.
async function pageReport({bankFolder = '問題', bankNames = {}, changes = {}, measure = measureQuestion} = {}) {
  const core = await createSoruberiaCheck();
  withString(core, bankFolder, (at) => core._soruberia_set_bank_folder(at));
  const files = {};
  for (const sub of ['問題', '図', '音']) {
    for (const name of fs.readdirSync(path.join(data, sub))) {
      const folder = sub === '問題' ? bankFolder : sub;
      files[`${folder}/${bankNames[name] || name}`] = fs.readFileSync(path.join(data, sub, name));
    }
  }
  Object.assign(files, changes);
  for (const [pagePath, bytes] of Object.entries(files)) {
    if (bytes !== null) bank.putFile(core, pagePath, bytes);
  }
  globalThis.soruberiaMeasureQuestion = measure;
  const report = JSON.parse(withString(core, BASE, (at) => core.UTF8ToString(core._soruberia_check(at))));
  const list = JSON.parse(core.UTF8ToString(core._soruberia_check_files()));
  return {report, list};
}

const findingLines = (report) => report.findings.map((f) => `${f.file}:${f.line}: ${f.kind}: ${f.message}`);

test('picked files stand in for 問題 under the picked folder\'s name, a near twin told', async () => {
  const {report, list} = await pageReport({bankFolder: PICKED, bankNames: {'mondai.txt': 'mondai.txt.txt'}});
  assert.deepEqual(list.bank, [`${PICKED}/mondai.txt`, `${PICKED}/kotae.txt`, `${PICKED}/setumei.txt`]);
  assert.equal(list.pictures.length, 26);
  assert.deepEqual(list.sounds, ['音/o.wav', '音/x.wav', '音/pan.wav', '音/dame.wav', '音/gokaku.wav']);
  assert.deepEqual(findingLines(report), [
    `${PICKED}/mondai.txt:0: エラー: ファイルがありません。ゲームはここから問題の文を読みます。フォルダーにあるのは` +
    '「mondai.txt.txt」です。拡張子が二重に付いています（Windows が既知の拡張子を隠しているため、「mondai.txt」と' +
    '入力すると起こります）。名前を「mondai.txt」に変えてください']);
  assert.equal(report.findings[0].text, `${BASE}/${report.findings[0].file}: エラー: ${report.findings[0].message}`);
  assert.equal(report.findings[0].severity, 'error');
  assert.equal(report.summary, 'エラー 1 件、警告 0 件');
  assert.equal(report.errors, true);
});

test('a bank folder beside the page is named in the report; no bank at all is a missing folder', async () => {
  const key = fs.readFileSync(path.join(data, '問題', 'kotae.txt'), 'latin1').split('\r\n');
  key[3] = '2,1,1';
  const {report} = await pageReport({
    bankFolder: 'banks/my bank', changes: {'banks/my bank/kotae.txt': Buffer.from(key.join('\r\n'), 'latin1')}});
  assert.equal(report.findings.length, 1, findingLines(report).join('\n'));
  assert.equal(report.findings[0].file, 'banks/my bank/kotae.txt');
  assert.equal(report.findings[0].line, 4);
  assert.match(report.findings[0].message, /^イオン 1（Ag⁺）が問題 4 に二度書かれています/);

  const empty = await pageReport({changes: {'問題/mondai.txt': null, '問題/kotae.txt': null, '問題/setumei.txt': null}});
  assert.deepEqual(findingLines(empty.report), [
    '問題:0: エラー: フォルダがありません。ゲームはここから mondai.txt、kotae.txt、setumei.txt を読みます']);
});

test('the page measures each question in the game page\'s Label1 and reports a shrunk or cut text', async () => {
  // Label1 as the game module's layout gives it to the game page.
  const game = await createSoruberia();
  const label1 = JSON.parse(game.UTF8ToString(game._soruberia_layout()))
    .find((form) => form.name === 'GameForm').widgets.find((widget) => widget.name === 'Label1');

  const texts = fs.readFileSync(path.join(data, '問題', 'mondai.txt'));
  const asked = [];
  const third = new TextDecoder('shift_jis').decode(texts).split('\r\n')[2].replace(/"/g, '');
  const fifth = new TextDecoder('shift_jis').decode(texts).split('\r\n')[4].replace(/"/g, '');
  const measure = (text, label) => {
    asked.push({text, label});
    if (text === third) return {fits: true, scale: 0.9, face: 'Noto Serif CJK JP'};
    if (text === fifth) {
      // Cut after its first four characters.
      return {fits: false, scale: 0.8, lines: 3, neededHeight: 58, height: 49, shownLines: 2,
        shownLength: 4, face: 'Noto Serif CJK JP'};
    }
    return {fits: true, scale: 1, face: text === '' ? '' : 'Noto Serif CJK JP'};
  };
  // The report shows the first 24 characters of what is lost.
  const rest = [...fifth].slice(4);
  const lost = rest.length > 24 ? rest.slice(0, 24).join('') + '…' : rest.join('');
  const {report} = await pageReport({measure});
  for (const {label} of asked) {
    assert.deepEqual(label, {width: label1.width, height: label1.height, font: label1.font});
  }
  assert.equal(asked.filter(({text}) => text !== '').length, 26);
  assert.deepEqual(findingLines(report), [
    '問題/mondai.txt:0: 注: ＭＳ Ｐ明朝 も、代わりになる明朝体 (IPAP明朝、ヒラギノ明朝、游明朝、Noto Serif CJK JP) も' +
    'この機器に入っていないので、問題の文はフォント「serif（ブラウザの既定のフォント）」で測っています',
    '問題/mondai.txt:3: 注: 問題 3 の文は、そのままの文字の大きさでは問題の欄（2 行）に収まらないため、文字を 90 % に' +
    '縮めて表示されます',
    '問題/mondai.txt:5: エラー: 問題 5 の文が切れています: 文字を 80 % に縮めても 3 行、高さ 58 px に折り返されますが、' +
    `問題の欄に出るのは 49 px（2 行）です。生徒には「${lost}」が見えません。文を短くしてください`,
  ]);
  assert.equal(report.summary, 'エラー 1 件、警告 0 件');
});

// Little-endian fields.
const u16 = (n) => Buffer.from([n & 255, n >> 8]);
const u32 = (n) => Buffer.from([n & 255, (n >> 8) & 255, (n >> 16) & 255, n >>> 24]);
const be16 = (n) => Buffer.from([n >> 8, n & 255]);
const be32 = (n) => Buffer.from([n >>> 24, (n >> 16) & 255, (n >> 8) & 255, n & 255]);

// The LZW codes (minimum code size 2) of `pixels` pixels of colour 0 as
// data sub-blocks: each code after the first is the next new table entry,
// one pixel longer than the last, written at the width the decoder reads
// it with.
function runOfPixels(pixels) {
  const codes = [4];  // clear
  for (let k = 1, length = 0; length < pixels; length += k, k++) codes.push(k === 1 ? 0 : k + 4);
  codes.push(5);  // end
  const packed = [];
  let bits = 0;
  let held = 0;
  let width = 3;
  let next = 6;
  codes.forEach((code, i) => {
    bits |= code << held;
    held += width;
    for (; held >= 8; held -= 8, bits >>>= 8) packed.push(bits & 255);
    if (i >= 2 && code !== 5 && next < 4096 && ++next === 1 << width && width < 12) width++;
  });
  if (held > 0) packed.push(bits & 255);
  const blocks = [];
  for (let at = 0; at < packed.length; at += 255) {
    const block = packed.slice(at, at + 255);
    blocks.push(block.length, ...block);
  }
  return Buffer.from([...blocks, 0]);
}

function gif(width, height, {extension = false, cut = false} = {}) {
  const parts = [Buffer.from('GIF89a'), u16(width), u16(height), Buffer.from([0x80, 0, 0]), Buffer.alloc(6)];
  if (extension) parts.push(Buffer.from([0x21, 0xF9, 4, 0, 0, 0, 0, 0]));
  parts.push(Buffer.from([0x2C]), u16(0), u16(0), u16(width), u16(height), Buffer.from([0, 2]));
  parts.push(cut ? Buffer.from([5, 1, 2]) : Buffer.concat([runOfPixels(width * height), Buffer.from([0x3B])]));
  return Buffer.concat(parts);
}

function crc32(bytes) {
  let crc = ~0;
  for (const byte of bytes) {
    crc ^= byte;
    for (let bit = 0; bit < 8; bit++) crc = (crc >>> 1) ^ (0xEDB88320 & -(crc & 1));
  }
  return ~crc >>> 0;
}
const pngChunk = (type, body) => Buffer.concat([
  be32(body.length), Buffer.from(type), body, be32(crc32(Buffer.concat([Buffer.from(type), body])))]);
const png = (width, height) => Buffer.concat([
  Buffer.from('\x89PNG\r\n\x1a\n', 'latin1'),
  pngChunk('IHDR', Buffer.concat([be32(width), be32(height), Buffer.from([8, 6, 0, 0, 0])])),
  pngChunk('IDAT', zlib.deflateSync(Buffer.alloc((1 + width * 4) * height))), pngChunk('IEND', Buffer.alloc(0))]);
// The segments the page's judgement walks: frame, scan, end.
const jpeg = (width, height) => Buffer.concat([
  Buffer.from([0xFF, 0xD8, 0xFF, 0xE0]), be16(16), Buffer.alloc(14),
  Buffer.from([0xFF, 0xC0]), be16(11), Buffer.from([8]), be16(height), be16(width), Buffer.from([1, 1, 0x11, 0]),
  Buffer.from([0xFF, 0xDA]), be16(8), Buffer.from([1, 1, 0, 0, 63, 0, 0x12, 0x34]), Buffer.from([0xFF, 0xD9])]);
// 24 bits a pixel, each row padded to whole 32-bit words.
const bmp = (width, height) => {
  const pixels = Buffer.alloc(Math.ceil(width * 3 / 4) * 4 * Math.abs(height));
  return Buffer.concat([
    Buffer.from('BM'), u32(54 + pixels.length), u32(0), u32(54), u32(40), u32(width), u32(height >>> 0), u16(1), u16(24),
    u32(0), u32(pixels.length), Buffer.alloc(16), pixels]);
};

function wav({tag = 1, channels = 2, rate = 44100, bits = 16, frames = 10, announced = frames, extensible = false,
  data = true} = {}) {
  const block = channels * (bits >> 3);
  const format = extensible
    ? Buffer.concat([u16(0xFFFE), u16(channels), u32(rate), u32(rate * block), u16(block), u16(bits), u16(22),
      u16(bits), u32(3), u16(tag), Buffer.alloc(14)])
    : Buffer.concat([u16(tag), u16(channels), u32(rate), u32(rate * block), u16(block), u16(bits)]);
  const parts = [Buffer.from('fmt '), u32(format.length), format];
  if (data) parts.push(Buffer.from('data'), u32(announced * block), Buffer.alloc(frames * block));
  const body = Buffer.concat(parts);
  return Buffer.concat([Buffer.from('RIFF'), u32(body.length + 4), Buffer.from('WAVE'), body]);
}

const BUTTON = 'イオンボタン (102 x 61 px) より大きいため、ゲームでは真ん中の 102 x 61 px だけが見えます';
const PICTURE = '図/ion(1).gif';
const SOUND = '音/o.wav';
const mediaCases = [
  {name: 'a GIF after an extension', file: PICTURE, bytes: gif(100, 60, {extension: true}), report: []},
  {name: 'a GIF larger than its button', file: PICTURE, bytes: gif(103, 61),
   report: [`${PICTURE}:0: 警告: 画像が 103 x 61 px で、${BUTTON}`]},
  {name: 'a GIF cut short in its image', file: PICTURE, bytes: gif(10, 10, {cut: true}),
   report: [`${PICTURE}:0: エラー: 画像を読み込めません (画像のデータが壊れています)。ゲームはこの画像が要る場面で止まります`]},
  {name: 'a PNG named .gif', file: PICTURE, bytes: png(200, 100),
   report: [`${PICTURE}:0: 警告: 画像が 200 x 100 px で、${BUTTON}`]},
  {name: 'a JPEG named .gif', file: PICTURE, bytes: jpeg(120, 40),
   report: [`${PICTURE}:0: 警告: 画像が 120 x 40 px で、${BUTTON}`]},
  {name: 'a top-down BMP named .gif', file: PICTURE, bytes: bmp(102, -62),
   report: [`${PICTURE}:0: 警告: 画像が 102 x 62 px で、${BUTTON}`]},
  {name: 'a WebP named .gif', file: PICTURE, bytes: Buffer.from('RIFF\x10\x00\x00\x00WEBPVP8 '),
   report: [`${PICTURE}:0: エラー: 画像を読み込めません (画像として認識できない形式です)。ゲームはこの画像が要る場面で止まります`]},
  {name: '24-bit PCM', file: SOUND, bytes: wav({bits: 24}), report: []},
  {name: '64-bit float in the extensible header', file: SOUND, bytes: wav({tag: 3, bits: 64, extensible: true}),
   report: []},
  {name: 'sound data cut short', file: SOUND, bytes: wav({frames: 500, announced: 1000}),
   report: [`${SOUND}:0: 警告: 音のデータが途中で終わっています: 1000 フレームのうち 500 フレームしか読めないため、音が途中で切れます`]},
  {name: 'ADPCM', file: SOUND, bytes: wav({tag: 2, bits: 4}),
   report: [`${SOUND}:0: 警告: 音を鳴らせません (対応していない音の形式です (形式 2, 4 ビット))。ゲームはこの音を鳴らさずに続きます`]},
  {name: 'no data chunk', file: SOUND, bytes: wav({data: false}),
   report: [`${SOUND}:0: 警告: 音を鳴らせません (音のデータがありません)。ゲームはこの音を鳴らさずに続きます`]},
];

test('pictures and sounds are judged whole, as the game page judges them before the browser takes them', async (t) => {
  for (const media of mediaCases) {
    await t.test(media.name, async () => {
      const {report} = await pageReport({changes: {[media.file]: media.bytes}});
      assert.deepEqual(findingLines(report), media.report);
    });
  }
});

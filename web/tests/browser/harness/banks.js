// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Teachers' question banks, written as a teacher's Notepad writes them:
// Shift-JIS (code page 932) with CRLF line ends. Node decodes Shift-JIS but
// has no encoder, so Python's cp932 codec writes the bytes.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const kQuestions = 26;

function shiftJis(text) {
  return execFileSync('python3', ['-c',
    'import sys; sys.stdout.buffer.write(sys.stdin.buffer.read().decode("utf-8").encode("cp932"))'],
  {input: Buffer.from(text, 'utf8')});
}

// The three files of a bank as bytes: texts (26 question texts, each
// written between quotes), key (for each question its correct ions) and
// the explanation line.
function bankFiles({texts, key, explanation}) {
  return {
    'mondai.txt': shiftJis(texts.map((text) => `"${text}"\r\n`).join('')),
    'kotae.txt': shiftJis(key.map((ions) => [ions.length, ...ions].join(',') + '\r\n').join('')),
    'setumei.txt': shiftJis(explanation + '\r\n'),
  };
}

function everyQuestion(make) {
  return Array.from({length: kQuestions}, (_, index) => make(index + 1));
}

// Every question answered by ions 1 to 11, so ion 12 is always a miss and
// a question without a miss is worth 11 × 100 + 500 points.
const kElevenRight = {
  texts: everyQuestion((n) => `先生の問題 ${n}：12 番のほかは全部`),
  key: everyQuestion(() => [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11]),
  explanation: '先生の説明：12 番のイオンのほかはすべて正解です。',
  rightIons: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11],
  wrongIon: 12,
  perfectQuestion: 1600,
};

// Every question answered by ion 12 alone: the default bank has no such
// question, so a right press on 12 tells this bank is in play.
const kOnlyTwelve = {
  texts: everyQuestion((n) => `選んだ問題 ${n}：答えは 12 番だけ`),
  key: everyQuestion(() => [12]),
  explanation: '選んだファイルの説明です。',
  rightIons: [12],
  wrongIon: 1,
};

// Markup and a handler in every question text and in the explanation: the
// page must show them as text.
const kMarkup = '<img src=x onerror=window.soruberiaInjected=1>&amp;<b>';
const kMarkupTexts = {
  texts: everyQuestion((n) => `${kMarkup}${n}</b>`),
  key: everyQuestion(() => [1]),
  explanation: `${kMarkup}説明</b>`,
};

// The bank written below a site copy's folder (?bank=FOLDER).
function writeBank(site, folder, bank) {
  for (const [name, bytes] of Object.entries(bankFiles(bank))) site.write(path.join(folder, name), bytes);
}

// The bank as files in a folder of their own, as a teacher picks them on
// the device: {files, remove()}.
function bankOnDisk(bank) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-picked-'));
  const files = Object.entries(bankFiles(bank)).map(([name, bytes]) => {
    const file = path.join(folder, name);
    fs.writeFileSync(file, bytes);
    return file;
  });
  return {files, remove: () => fs.rmSync(folder, {recursive: true, force: true})};
}

module.exports = {bankFiles, writeBank, bankOnDisk, kElevenRight, kOnlyTwelve, kMarkupTexts};

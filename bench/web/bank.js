// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A teacher's bank whose answers the bench knows: every question is answered
// by ions 1 to 11, so ion 12 is always a miss. Written as a teacher's
// Notepad writes it, in Shift-JIS (code page 932) with CR LF; Node has no
// Shift-JIS encoder, Python's cp932 codec writes the bytes.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const kQuestions = 26;
const kRightIons = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11];
const kWrongIon = 12;

function shiftJis(text) {
  return execFileSync('python3', ['-c',
    'import sys; sys.stdout.buffer.write(sys.stdin.buffer.read().decode("utf-8").encode("cp932"))'],
  {input: Buffer.from(text, 'utf8')});
}

// Writes the bank into a new folder and returns the folder.
function writeBank() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-bench-bank-'));
  const numbers = Array.from({length: kQuestions}, (_, index) => index + 1);
  const files = {
    'mondai.txt': numbers.map((n) => `"計測の問題 ${n}：12 番のほかは全部"\r\n`).join(''),
    'kotae.txt': numbers.map(() => [kRightIons.length, ...kRightIons].join(',') + '\r\n').join(''),
    'setumei.txt': '計測用の問題です。12 番のイオンのほかはすべて正解です。\r\n',
  };
  for (const [name, text] of Object.entries(files)) {
    fs.writeFileSync(path.join(folder, name), shiftJis(text));
  }
  return folder;
}

module.exports = {writeBank, kRightIons, kWrongIon};

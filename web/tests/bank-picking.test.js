// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// How the editor page finds a bank among the files a teacher picked: files
// picked together, or a folder picked whole, whatever it holds besides.
//   node bank-picking.test.js <site/bank-picking.js>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');

const {pickBank} = require(path.resolve(process.argv[2]));

// A picked file as the browser gives it: a name, and its path below the
// picked folder ('' when picked as a file).
const file = (relative, asFile) => ({
  name: relative.slice(relative.lastIndexOf('/') + 1),
  webkitRelativePath: asFile ? '' : relative,
  relative,
});
const picked = (paths, asFiles = false) => paths.map((p) => file(p, asFiles));

function described(result) {
  return {
    bank: Object.fromEntries([...result.bank].map(([name, f]) => [name, f.relative])),
    folder: result.folder,
    ignored: result.ignored,
  };
}

test('the bank among picked files and folders', () => {
  const cases = [
    {
      what: 'three files picked together, one in capitals, with an unrelated one',
      files: picked(['mondai.txt', 'KOTAE.TXT', 'setumei.txt', 'memo.docx'], true),
      bank: {'mondai.txt': 'mondai.txt', 'kotae.txt': 'KOTAE.TXT', 'setumei.txt': 'setumei.txt'},
      folder: '',
      ignored: ['memo.docx'],
    },
    {
      what: 'a 問題 folder picked whole',
      files: picked(['問題/mondai.txt', '問題/kotae.txt', '問題/setumei.txt', '問題/old/mondai.txt']),
      bank: {'mondai.txt': '問題/mondai.txt', 'kotae.txt': '問題/kotae.txt', 'setumei.txt': '問題/setumei.txt'},
      folder: '問題',
      ignored: [],
    },
    {
      what: "the game's folder: the bank is in 問題, beside the pictures",
      files: picked(['soruberia/index.html', 'soruberia/図/ion(1).gif', 'soruberia/問題/setumei.txt',
        'soruberia/問題/kotae.txt', 'soruberia/問題/mondai.txt', 'soruberia/kotae.txt']),
      bank: {'mondai.txt': 'soruberia/問題/mondai.txt', 'kotae.txt': 'soruberia/問題/kotae.txt',
        'setumei.txt': 'soruberia/問題/setumei.txt'},
      folder: 'soruberia/問題',
      ignored: [],
    },
    {
      what: 'two folders with as many files: the one nearer the top, then the first by name',
      files: picked(['a/b/mondai.txt', 'a/b/kotae.txt', 'z/mondai.txt', 'z/kotae.txt', 'y/mondai.txt', 'y/kotae.txt']),
      bank: {'mondai.txt': 'y/mondai.txt', 'kotae.txt': 'y/kotae.txt'},
      folder: 'y',
      ignored: [],
    },
    {
      what: 'none of the three',
      files: picked(['notes.txt'], true),
      bank: {},
      folder: '',
      ignored: ['notes.txt'],
    },
  ];
  for (const c of cases) {
    assert.deepEqual(described(pickBank(c.files)), {bank: c.bank, folder: c.folder, ignored: c.ignored}, c.what);
  }
});

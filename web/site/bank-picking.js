// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Which of the files a teacher picked on the device are the bank's: the
// three files picked together, or those in a folder picked whole (a 問題
// folder, or the game's folder with 問題 in it). Names match in any case.
// A plain script for the page (window.soruberiaBankPicking) and a CommonJS
// module for the tests in Node.
(function (global) {
  'use strict';

  const kBankNames = ['mondai.txt', 'kotae.txt', 'setumei.txt'];

  function folderOf(file) {
    const path = file.webkitRelativePath || '';
    return path.includes('/') ? path.slice(0, path.lastIndexOf('/')) : '';
  }

  // files: [{name, webkitRelativePath}] (File objects). Returns {bank: Map
  // of bank name -> file, folder: the folder they came from ('' for files
  // picked as files), ignored: names of the other files picked as files}.
  // Of a folder, the bank is the subfolder holding the most of the three
  // files, the one nearest the top on a tie, then the first by name.
  function pickBank(files) {
    const byFolder = new Map();
    for (const file of files) {
      const name = file.name.toLowerCase();
      if (!kBankNames.includes(name)) continue;
      const folder = folderOf(file);
      if (!byFolder.has(folder)) byFolder.set(folder, new Map());
      const bank = byFolder.get(folder);
      if (!bank.has(name)) bank.set(name, file);
    }
    const depth = (folder) => (folder === '' ? 0 : folder.split('/').length);
    const folders = [...byFolder.keys()].sort((a, b) =>
      byFolder.get(b).size - byFolder.get(a).size || depth(a) - depth(b) || (a < b ? -1 : a > b ? 1 : 0));
    const folder = folders.length > 0 ? folders[0] : '';
    const asFiles = files.every((file) => !file.webkitRelativePath);
    const ignored = asFiles ? files.filter((file) => !kBankNames.includes(file.name.toLowerCase()))
      .map((file) => file.name) : [];
    return {bank: byFolder.get(folder) || new Map(), folder, ignored};
  }

  const api = {pickBank, kBankNames};
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaBankPicking = api;
  }
})(this);

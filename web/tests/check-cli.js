#!/usr/bin/env -S node --no-experimental-fetch
// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The check page's module as a command, for the broken copies table
// (tests/check/broken-copies.py) that the desktop checkers are held to:
//   check-cli.js <site> <folder>
// The files of folder/問題 are handed in as a teacher picks them, each by
// its own name; the pictures and sounds as the page fetches them, by the
// names the game reads (a file by another name is not found). The report
// is printed as soruberia-check prints it, with its exit status. Question
// texts are measured by the Node model of the label (label-model.js).
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {measureQuestion} = require('./label-model.js');

async function main() {
  const [site, folder] = process.argv.slice(2);
  const createSoruberiaCheck = require(path.resolve(site, 'soruberia-check.js'));
  const bank = require(path.resolve(site, 'bank-files.js'));
  globalThis.soruberiaMeasureQuestion = measureQuestion;

  const core = await createSoruberiaCheck();
  const put = (pagePath) => bank.putFile(core, pagePath, fs.readFileSync(path.join(folder, pagePath)));
  const texts = path.join(folder, '問題');
  if (fs.existsSync(texts)) {
    for (const entry of fs.readdirSync(texts, {withFileTypes: true})) {
      if (entry.isFile()) put('問題/' + entry.name);
    }
  }
  const files = JSON.parse(core.UTF8ToString(core._soruberia_check_files()));
  for (const media of [...files.pictures, ...files.sounds]) {
    if (fs.existsSync(path.join(folder, media))) put(media);
  }

  const at = core._malloc(Buffer.byteLength(folder) + 1);
  core.stringToUTF8(folder, at, Buffer.byteLength(folder) + 1);
  const report = JSON.parse(core.UTF8ToString(core._soruberia_check(at)));
  core._free(at);
  for (const finding of report.findings) process.stdout.write(finding.text + '\n');
  process.stdout.write(`soruberia-check: ${folder}: ${report.summary}\n`);
  process.exitCode = report.errors ? 1 : 0;
}

main().catch((error) => {
  process.stderr.write(`check-cli.js: ${error.stack}\n`);
  process.exitCode = 3;
});

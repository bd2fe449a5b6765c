// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The forms' layout tables as the module gives them to the page, and the
// desktop programs' reading of a bank, as the tests' yardsticks.
'use strict';
const {execFileSync} = require('node:child_process');

// The module in a Node of its own: emscripten's output wants Node without
// its fetch, which the rest of the tests use.
function layoutTables(site) {
  const script = `
    const createSoruberia = require(${JSON.stringify(`${site}/soruberia.js`)});
    createSoruberia().then((core) => process.stdout.write(core.UTF8ToString(core._soruberia_layout())));`;
  const forms = JSON.parse(execFileSync(process.execPath, ['--no-experimental-fetch', '-e', script], {encoding: 'utf8'}));
  const byName = {};
  for (const form of forms) {
    byName[form.name] = {...form, widgets: Object.fromEntries(form.widgets.map((w) => [w.name, w]))};
  }
  return byName;
}

// The gauge in the game form's pixels: the carriage's home, width and one
// step, which brings it at level 5 to the burst balloon's left edge.
function gauge(layout) {
  const carriage = layout.GameForm.widgets.Image1;
  const balloon = layout.GameForm.widgets.Image2;
  return {home: carriage.left, width: carriage.width,
    step: (balloon.left - carriage.left - carriage.width) / 5};
}

// What the desktop programs' readers make of the bank in folder/問題:
// {questions: {texts}, answers: {key: [{count, ions}]}, explanation: {line}}.
function desktopReading(bankReport, folder) {
  return JSON.parse(execFileSync(bankReport, [folder], {encoding: 'utf8'}));
}

module.exports = {layoutTables, gauge, desktopReading};

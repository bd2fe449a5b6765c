// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Waiting for the page, as a player waits: reads it until it shows what is
// asked for, or fails naming what it showed last.
'use strict';
const assert = require('node:assert/strict');

const {summary} = require('./view');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The page once condition(page) holds; patience in ms. A machine busy with
// other builds makes everything slower, never faster: generous patience.
async function until(driver, condition, what, patience = 15000) {
  const end = Date.now() + patience;
  let page;
  for (;;) {
    page = await driver.read();
    if (condition(page)) return page;
    if (Date.now() > end) break;
    await sleep(40);
  }
  assert.fail(`${what}: not within ${patience} ms; the page shows ${summary(page)}`);
}

// Holds condition(page) true for ms; fails at the first page that breaks it.
async function during(driver, ms, condition, what) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    const page = await driver.read();
    if (!condition(page)) assert.fail(`${what}; the page shows ${summary(page)}`);
    await sleep(40);
  }
}

module.exports = {sleep, until, during};

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// One test's world: a copy of the built site served on a port of its own,
// a fresh browser with a profile of its own, both gone afterwards.
//   node <test>.test.js <built site> <soruberia-bank-report>
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const {servedCopy} = require('./site');

function testArguments() {
  const [site, bankReport] = process.argv.slice(2);
  if (!site || !fs.existsSync(path.join(site, 'index.html'))) {
    throw new Error('usage: node <test>.test.js <built site folder> <soruberia-bank-report>');
  }
  return {site: path.resolve(site), bankReport};
}

// Runs body({site, driver}) with a served copy of builtSite, changed by
// prepare(site) first, and a browser of kind 'chromium', 'firefox' or
// 'webkit'; what the page reported as errors is added to a failure.
// servedBelow: a folder of the server to serve the site from.
async function inBrowser(kind, builtSite, {prepare, servedBelow, ...options}, body) {
  const site = await servedCopy(builtSite, servedBelow);
  let driver;
  try {
    if (prepare) await prepare(site);
    if (kind === 'webkit') {
      driver = await require('./webdriver').launchWebKit(options);
    } else {
      driver = await require('./puppeteer-driver').launch(kind, options);
    }
    await body({site, driver});
  } catch (error) {
    if (driver && driver.errors.length) error.message += `\nthe page's errors:\n${driver.errors.join('\n')}`;
    throw error;
  } finally {
    if (driver) await driver.close();
    await site.close();
  }
}

module.exports = {testArguments, inBrowser};

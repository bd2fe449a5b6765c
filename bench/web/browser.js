// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Headless Chromium for the bench, in a profile folder of its own that is
// removed afterwards. As root Chromium runs only without its sandbox.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

// A Chromebook's screen at one device pixel per CSS pixel: the forms are
// scaled up, so the page shows the pictures of twice the pixels.
const kViewport = {width: 1366, height: 768, deviceScaleFactor: 1};

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-bench-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: kViewport,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required',
    ],
  });
  return {
    browser,
    version: await browser.version(),
    async close() {
      await browser.close();
      fs.rmSync(profile, {recursive: true, force: true});
    },
  };
}

// A page in a browser context of its own: no cache, cookies or connections
// shared with an earlier load.
async function freshPage(browser) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  return {page, close: () => context.close()};
}

module.exports = {launch, freshPage, kViewport};

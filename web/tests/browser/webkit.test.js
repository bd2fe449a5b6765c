// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The page in WebKitGTK (MiniBrowser under WebKitWebDriver, on an X server
// of the test's own): the menu, 開始, a right press, a teacher's bank
// picked as files; in the bank editor one question edited and saved, and
// only its lines of the saved files changed; a bank link made in Chromium
// opened and played.
//   node webkit.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');

const {testArguments, inBrowser} = require('./harness/session');
const {firstGame, pickedBank} = require('./harness/smoke');
const {editOneQuestionAndSave} = require('./harness/editor');
const {linkMadeInChromium, playsLink} = require('./harness/links');

const {site: builtSite, bankReport} = testArguments();

test('WebKitGTK: menu, start, a right press, a bank from files, one question edited and saved in the editor, a link from Chromium', async () => {
  await inBrowser('webkit', builtSite, {}, async ({site, driver}) => {
    await firstGame(driver, site, bankReport);
    await pickedBank(driver, site);
    await editOneQuestionAndSave(driver, site);
    await playsLink(driver, bankReport, await linkMadeInChromium(site, 'WebKit で開くリンクの問題です'));
  });
});

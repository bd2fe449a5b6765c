// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Pictures of the question bank editor for people to look at, not a test:
// a question being written (a character the files cannot hold, a text too
// long for the panel, ions the table disagrees with, the table helper with
// the table open), the checker's report on a draft with faults, the
// characters that keep a save back, the links after saving, the draft
// played in the game page, and the draft shared by link (the dialog, its
// QR code full-window, the printed sheet); on a laptop (1366 × 768), a tablet on its side
// (1024 × 768) and upright (820 × 1180), and a phone (390 × 844), as PNG
// files in the folder SORUBERIA_WEB_SHOTS names.
//   SORUBERIA_WEB_SHOTS=/tmp/shots node editor-screenshots.js <built site>
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const {inBrowser} = require('./harness/session');

const kScreens = [
  {name: 'laptop', width: 1366, height: 768, deviceScaleFactor: 1},
  {name: 'tablet', width: 1024, height: 768, deviceScaleFactor: 1, hasTouch: true},
  {name: 'tablet-upright', width: 820, height: 1180, deviceScaleFactor: 1, hasTouch: true},
  {name: 'phone', width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true},
];

const row = (question) => `[data-question="${question}"]`;

async function reportSettled(page) {
  await page.waitForFunction(() => document.querySelector('#report').getAttribute('aria-busy') === 'false');
}

async function rewrite(page, question, text) {
  await page.click(`${row(question)} textarea`);
  await page.evaluate((selector) => document.querySelector(selector).select(), `${row(question)} textarea`);
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
}

async function shoot(builtSite, folder, screen) {
  const picture = (page, what) => page.screenshot({path: path.join(folder, `${screen.name}-${what}.png`)});
  const options = {width: screen.width, height: screen.height, probe: false};
  await inBrowser('chromium', builtSite, options, async ({site, driver}) => {
    const page = driver.page;
    await page.setViewport(screen);
    await page.goto(`${site.url}editor.html`);
    await page.waitForFunction(() => document.documentElement.dataset.editor === 'ready');
    await reportSettled(page);
    await picture(page, 'opened');

    // Writing question 3: too long for the panel, with a superscript the
    // files cannot hold, its ions not the table's answer.
    await rewrite(page, 3, '希塩酸を加えると白色沈殿を生じるイオンは？ Ag⁺ のほかにもう一つあります。表を見て考えてみましょう。');
    await page.click(`${row(3)} [data-ion="5"]`);
    await page.select('#reagent', '3');
    await page.click('#hint-table-box summary');
    await page.evaluate((selector) => document.querySelector(selector).scrollIntoView({block: 'start'}), row(3));
    await reportSettled(page);
    await picture(page, 'writing');

    // A draft with faults the checker reports: no ions for question 2.
    await page.click('#hint-table-box summary');
    await page.click(`${row(3)} [data-replace]`);
    await page.evaluate((selector) => document.querySelector(selector).scrollIntoView({block: 'start'}), row(2));
    for (const ion of await page.$$eval(`${row(2)} [aria-pressed="true"]`, (pressed) => pressed.map((b) => b.dataset.ion))) {
      await page.click(`${row(2)} [data-ion="${ion}"]`);
    }
    await reportSettled(page);
    await picture(page, 'report');

    // Saving with a character the files cannot hold, then saving.
    await page.click(`${row(2)} textarea`);
    await page.keyboard.press('End');
    await page.keyboard.type('（Cu²⁺）');
    await page.click('#save-files');
    await page.waitForSelector('#save-problems[open]');
    await picture(page, 'save-problems');
    await page.click('#replace-all');
    await page.click('#save-zip');
    // The draft still has the checker's errors: saved only when asked.
    await page.waitForSelector('#save-errors[open]');
    await page.click('#save-anyway');
    await page.waitForSelector('#downloads a[download]');
    await reportSettled(page);
    await picture(page, 'saved');

    // Playing the draft: the menu, then its first question.
    await page.click('#play');
    const frame = await (await page.waitForSelector('#play-dialog[open] #play-frame')).contentFrame();
    const start = '[data-form="メニュー"] [data-widget="Command3"]:not([hidden])';
    await frame.waitForSelector(start, {timeout: 20000});
    await frame.click(start);
    await frame.waitForSelector('[data-form="GameForm"]:not([hidden]) [data-widget="Label1"]');
    await frame.waitForFunction(() => document.querySelector('[data-form="GameForm"] [data-widget="Label1"]').textContent);
    await new Promise((resolve) => setTimeout(resolve, 500));
    await picture(page, 'play');

    // リンクで配る: the dialog (here with its warning: the page is served
    // from this machine), the code filling the window, the printed sheet.
    await page.click('#close-play');
    await page.click('#share-link');
    await page.waitForSelector('#save-errors[open]');
    await page.click('#save-anyway');
    await page.waitForSelector('#share-dialog[open] #share-qr svg');
    await picture(page, 'share');
    await page.click('#share-project');
    await page.waitForSelector('#share-projected[open] svg');
    await picture(page, 'share-projected');
    await page.click('#share-unproject');
    await page.emulateMediaType('print');
    await picture(page, 'share-print');
    await page.emulateMediaType('screen');
  });
}

async function main() {
  const [builtSite] = process.argv.slice(2);
  const folder = process.env.SORUBERIA_WEB_SHOTS;
  if (!builtSite || !folder) {
    console.error('usage: SORUBERIA_WEB_SHOTS=<folder> node editor-screenshots.js <built site>');
    process.exit(2);
  }
  fs.mkdirSync(folder, {recursive: true});
  for (const screen of kScreens) await shoot(path.resolve(builtSite), folder, screen);
  console.log(`pictures of the editor in ${folder}`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

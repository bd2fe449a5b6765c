// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Pictures of the page for people to look at, not a test: the menu, the
// explanation, a question with a mark, the hint and a fatal message, each
// on a phone (390 × 844, touch, three device pixels to one) and on a
// projector (1920 × 1080), as PNG files in the folder SORUBERIA_WEB_SHOTS
// names; in Chromium, or in Firefox or WebKit (there at one device pixel
// to one, as their drivers size windows, not devices).
//   SORUBERIA_WEB_SHOTS=/tmp/shots node screenshots.js <built site> [chromium|firefox|webkit]
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const {inBrowser} = require('./harness/session');
const {writeBank, kElevenRight} = require('./harness/banks');
const {until} = require('./harness/wait');
const {startAtMenu, startGame} = require('./harness/play');
const {shown, kGame, kMenu, kHint, ion} = require('./harness/view');

const kScreens = [
  {name: 'phone', width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true},
  {name: 'projector', width: 1920, height: 1080, deviceScaleFactor: 1, isMobile: false, hasTouch: false},
];

async function shoot(builtSite, folder, screen, kind) {
  const picture = (driver, what) => driver.screenshot(path.join(folder, `${kind}-${screen.name}-${what}.png`));
  const options = {width: screen.width, height: screen.height, probe: false};
  const fit = async (driver) => {
    if (kind === 'chromium') await driver.page.setViewport(screen);
    if (kind === 'firefox') await driver.page.setViewport({width: screen.width, height: screen.height});
  };
  await inBrowser(kind, builtSite, options, async ({site, driver}) => {
    await fit(driver);
    await startAtMenu(driver, site.url);
    await picture(driver, 'menu');
    await driver.press(kMenu, 'Command2');
    await until(driver, (p) => shown(p, kMenu, 'Command4'), 'the explanation');
    await picture(driver, 'explanation');
    await driver.press(kMenu, 'Command4');
    await until(driver, (p) => shown(p, kMenu, 'Command3'), 'the menu again');
    await startGame(driver);
    await driver.press(kGame, ion(kElevenRight.wrongIon));
    await until(driver, (p) => shown(p, kGame, 'Image3'), 'the mark');
    await picture(driver, 'game');
    await driver.press(kGame, 'Command3');
    await until(driver, (p) => shown(p, kHint, 'Command1'), 'the hint');
    await picture(driver, 'hint');
  });
  // A teacher's bank with a fault: the message in place of the forms.
  const broken = (site) => {
    writeBank(site, '壊れた', kElevenRight);
    site.write('壊れた/kotae.txt', '13,1,2,3,4,5,6,7,8,9,10,11,12,1\r\n');
  };
  await inBrowser(kind, builtSite, {...options, prepare: broken}, async ({site, driver}) => {
    await fit(driver);
    await startAtMenu(driver, `${site.url}?bank=${encodeURIComponent('壊れた')}`);
    await driver.press(kMenu, 'Command3');
    await until(driver, (p) => p.message !== null, 'the message');
    await picture(driver, 'message');
  });
}

async function main() {
  const [builtSite, kind = 'chromium'] = process.argv.slice(2);
  const folder = process.env.SORUBERIA_WEB_SHOTS;
  if (!builtSite || !folder) {
    console.error('usage: SORUBERIA_WEB_SHOTS=<folder> node screenshots.js <built site>');
    process.exit(2);
  }
  fs.mkdirSync(folder, {recursive: true});
  for (const screen of kScreens) await shoot(path.resolve(builtSite), folder, screen, kind);
  console.log(`pictures of the page in ${folder}`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

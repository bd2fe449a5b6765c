// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The page in Firefox ESR (headless, over WebDriver BiDi), playing to a
// sound server of the test's own: the menu, 開始, a right press whose
// sound reaches the speakers whole at −6 dB, a teacher's bank picked as
// files; in the bank editor one question edited and saved, and only its
// lines of the saved files changed; a bank link made in Chromium opened
// and played.
//   node firefox.test.js <built site> <soruberia-bank-report>
'use strict';
const {test} = require('node:test');

const {testArguments, inBrowser} = require('./harness/session');
const {siteSounds} = require('./harness/sounds');
const {heardInOrder, heardAtHalf} = require('./harness/sound-checks');
const {startPulse} = require('./harness/pulse');
const {sleep} = require('./harness/wait');
const {firstGame, pickedBank} = require('./harness/smoke');
const {editOneQuestionAndSave} = require('./harness/editor');
const {linkMadeInChromium, playsLink} = require('./harness/links');

const {site: builtSite, bankReport} = testArguments();

test('Firefox ESR: menu, start, a right press heard whole at −6 dB, a bank from files, one question edited and saved in the editor, a link from Chromium', async (t) => {
  const sounds = siteSounds(builtSite);
  const pulse = startPulse();
  try {
    await inBrowser('firefox', builtSite, {env: {PULSE_SERVER: pulse.address}}, async ({site, driver}) => {
      const recording = await pulse.record();
      const from = recording.frames();
      await firstGame(driver, site, bankReport);
      // As the page played it, and as the sound server received it.
      await heardInOrder(driver, sounds, 0, ['o.wav']);
      await sleep(300);
      const heard = heardAtHalf(await recording.stop(from), pulse.rate, sounds['o.wav']);
      t.diagnostic(`o.wav reached the sound server for ${heard.seconds.toFixed(3)} s at ` +
        `${heard.level.toFixed(2)} dB (peak ${heard.peak.toFixed(2)} dB) of the file`);
      await pickedBank(driver, site);
      await editOneQuestionAndSave(driver, site);
      await playsLink(driver, bankReport, await linkMadeInChromium(site, 'Firefox で開くリンクの問題です'));
    });
  } finally {
    pulse.stop();
  }
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Chromium and Firefox ESR driven by puppeteer-core (Chromium over the
// DevTools protocol, Firefox over WebDriver BiDi), each with a profile of
// its own made for the test and removed after it, and a home folder of its
// own so that nothing lands in the user's. Presses are real mouse clicks,
// so the page sees user gestures.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (error) {
  throw new Error('puppeteer-core is not installed beside the tests: scripts/install-deps.sh test (npm ci)');
}

const {installProbe} = require('./probe');
const {readPage} = require('./view');

const kChromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  // Nothing but the test's own page; a first-run tab would steal focus.
  '--no-default-browser-check', '--disable-extensions',
  // No name is looked up: the site is served at 127.0.0.1, and the
  // browser's own services have nowhere to go.
  '--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1',
];

// Firefox's own services look names up too; the site needs no name.
const kFirefoxPreferences = {
  'network.dns.disabled': true,
  'network.trr.mode': 5,
};

const kBrowsers = {
  chromium: {executablePath: '/usr/bin/chromium', browser: 'chrome', args: kChromiumFlags},
  firefox: {executablePath: '/usr/bin/firefox-esr', browser: 'firefox', args: []},
};

function selector(form, widget) {
  return `[data-form=${JSON.stringify(form)}] [data-widget=${JSON.stringify(widget)}]`;
}

class PuppeteerDriver {
  constructor(browser, page, home) {
    this.browser = browser;
    this.page = page;
    this.home = home;
    this.errors = [];
    page.on('pageerror', (error) => this.errors.push(String(error)));
    page.on('console', (message) => {
      if (message.type() === 'error') this.errors.push(message.text());
    });
  }

  async open(url) {
    await this.page.goto(url, {waitUntil: 'load'});
  }

  read() {
    return this.page.evaluate(readPage);
  }

  async press(form, widget) {
    const element = await this.page.$(selector(form, widget));
    if (!element) throw new Error(`no ${widget} in ${form}`);
    await element.click();
    await element.dispose();
  }

  // A click at a point of the page, in CSS pixels of the viewport.
  async clickAt(x, y) {
    await this.page.mouse.click(x, y);
  }

  // Picks files with the page's bank picker (or the file input css), as
  // the file chooser does.
  async pick(files, css = 'input[type=file][data-bank-picker]') {
    const input = await this.page.$(css);
    if (!input) throw new Error(`no ${css} on the page`);
    await input.uploadFile(...files);
    await input.dispose();
  }

  async element(css) {
    const element = await this.page.$(css);
    if (!element) throw new Error(`no ${css} on the page`);
    return element;
  }

  // A click in the middle of the element css, scrolled into view.
  async click(css) {
    const element = await this.element(css);
    await element.click();
    await element.dispose();
  }

  // The text of the field css replaced by text typed on the keyboard:
  // clicked into, all of it selected, then typed key by key.
  async type(css, text) {
    const element = await this.element(css);
    await element.click();
    await element.evaluate((field) => field.select());
    await element.type(text);
    await element.dispose();
  }

  probe() {
    return this.page.evaluate(() => JSON.parse(JSON.stringify(window.soruberiaProbe || null)));
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  // The resident memory of the browser's renderer processes, in bytes.
  rendererMemory() {
    const children = (pid) => {
      const tasks = fs.readdirSync(`/proc/${pid}/task`);
      return tasks.flatMap((task) => {
        try {
          return fs.readFileSync(`/proc/${pid}/task/${task}/children`, 'utf8').split(' ').filter(Boolean);
        } catch {
          return [];
        }
      });
    };
    let total = 0;
    const pending = [String(this.browser.process().pid)];
    while (pending.length > 0) {
      const pid = pending.pop();
      try {
        const command = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
        if (command.includes('--type=renderer')) {
          const rss = /VmRSS:\s+(\d+) kB/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'));
          if (rss) total += Number(rss[1]) * 1024;
        }
        pending.push(...children(pid));
      } catch {
        // Gone meanwhile.
      }
    }
    return total;
  }

  // The window resized to width × height CSS pixels.
  async resize(width, height) {
    await this.page.setViewport({width, height});
  }

  // The page as printed (CSS media print) or as on screen.
  async media(type) {
    await this.page.emulateMediaType(type);
  }

  // The page as shown, as a PNG file.
  async screenshot(file) {
    await this.page.screenshot({path: file});
  }

  async close() {
    try {
      await this.browser.close();
    } finally {
      fs.rmSync(this.home, {recursive: true, force: true});
    }
  }
}

// A fresh browser of kind 'chromium' or 'firefox' with one page of the
// given size, the probe installed in it unless probe is false; env adds to
// the browser's environment (PULSE_SERVER: a sound server to play to).
async function launch(kind, {width = 1280, height = 900, probe = true, env: extra = {}} = {}) {
  const {executablePath, browser, args} = kBrowsers[kind];
  const home = fs.mkdtempSync(path.join(os.tmpdir(), `soruberia-${kind}-`));
  const profile = path.join(home, 'profile');
  fs.mkdirSync(profile);
  const env = {
    ...process.env,
    HOME: home,
    XDG_CONFIG_HOME: path.join(home, '.config'),
    XDG_CACHE_HOME: path.join(home, '.cache'),
    XDG_DATA_HOME: path.join(home, '.local', 'share'),
    ...extra,
  };
  delete env.DISPLAY;
  let instance;
  try {
    instance = await puppeteer.launch({
      browser, executablePath, headless: true, userDataDir: profile, env,
      args: [...args, `--window-size=${width},${height}`],
      defaultViewport: {width, height},
      protocolTimeout: 60000,
      extraPrefsFirefox: kFirefoxPreferences,
    });
    const [page] = await instance.pages();
    const tab = page || await instance.newPage();
    if (probe) await tab.evaluateOnNewDocument(installProbe);
    return new PuppeteerDriver(instance, tab, home);
  } catch (error) {
    if (instance) await instance.close().catch(() => {});
    fs.rmSync(home, {recursive: true, force: true});
    throw error;
  }
}

module.exports = {launch, selector};

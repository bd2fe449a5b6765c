// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// WebKitGTK driven over W3C WebDriver: an X server of the test's own
// (Xvfb, -displayfd), WebKitWebDriver on a port of its own, MiniBrowser as
// the browser, and a client of the few commands the tests use.
'use strict';
const {execFileSync, spawn} = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');

const {readPage} = require('./view');
const {sleep} = require('./wait');

const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
// The W3C WebDriver key of an element in a command's answer.
const kElement = 'element-6066-11e4-a52e-4f735466cecf';

function stopped(child) {
  return new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) resolve();
    else child.once('exit', () => resolve());
  });
}

async function stop(child) {
  if (child.exitCode === null && child.signalCode === null) child.kill('SIGTERM');
  const killed = setTimeout(() => child.kill('SIGKILL'), 5000);
  await stopped(child);
  clearTimeout(killed);
}

// An X server on the first free display, which it names once ready.
async function startXvfb(width, height) {
  const x = spawn('Xvfb', ['-displayfd', '3', '-noreset', '-nolisten', 'tcp',
    '-screen', '0', `${width}x${height}x24`], {stdio: ['ignore', 'ignore', 'pipe', 'pipe']});
  let errors = '';
  x.stderr.on('data', (chunk) => { errors += chunk; });
  const display = await new Promise((resolve, reject) => {
    let said = '';
    x.stdio[3].on('data', (chunk) => {
      said += chunk;
      if (said.includes('\n')) resolve(`:${said.trim()}`);
    });
    x.once('exit', (code) => reject(new Error(`Xvfb ended (${code}): ${errors}`)));
  });
  return {display, process: x};
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

class WebDriverError extends Error {}

class WebKitDriver {
  constructor(base, session, processes, home, display) {
    this.base = base;
    this.display = display;
    this.session = session;
    this.processes = processes;
    this.home = home;
    this.errors = [];
  }

  async command(method, route, body) {
    const response = await fetch(`${this.base}/session/${this.session}${route}`, {
      method,
      headers: body ? {'Content-Type': 'application/json'} : undefined,
      body: body ? JSON.stringify(body) : undefined,
    });
    const answer = await response.json();
    if (!response.ok) {
      throw new WebDriverError(`${method} ${route}: ${answer.value.error}: ${answer.value.message}`);
    }
    return answer.value;
  }

  async open(url) {
    await this.command('POST', '/url', {url});
  }

  // Runs fn (a function's source) in the page with args; returns its value.
  evaluate(fn, ...args) {
    return this.command('POST', '/execute/sync', {script: `return (${fn}).apply(null, arguments);`, args});
  }

  read() {
    return this.evaluate(readPage);
  }

  // The window as shown, as a PNG file, taken from its X server
  // (ImageMagick's import): WebKitWebDriver's own screenshot never answers
  // under a bare Xvfb.
  async screenshot(file) {
    const {x, y, width, height} = await this.command('GET', '/window/rect');
    execFileSync('import', ['-display', this.display, '-window', 'root',
      '-crop', `${width}x${height}+${x}+${y}`, file]);
  }

  async find(css) {
    const found = await this.command('POST', '/element', {using: 'css selector', value: css});
    return found[kElement];
  }

  async press(form, widget) {
    const id = await this.find(`[data-form=${JSON.stringify(form)}] [data-widget=${JSON.stringify(widget)}]`);
    await this.command('POST', `/element/${id}/click`, {});
  }

  // Several files to one input: their paths, one to a line.
  async pick(files, css = 'input[type=file][data-bank-picker]') {
    const id = await this.find(css);
    await this.command('POST', `/element/${id}/value`, {text: files.join('\n')});
  }

  // WebKitWebDriver clicks only what is in view already: brought there first.
  async click(css) {
    const id = await this.find(css);
    await this.command('POST', '/execute/sync', {script: 'arguments[0].scrollIntoView({block: "center"});',
      args: [{[kElement]: id}]});
    await this.command('POST', `/element/${id}/click`, {});
  }

  // The field's text emptied, then text typed into it.
  async type(css, text) {
    const id = await this.find(css);
    await this.command('POST', `/element/${id}/clear`, {});
    await this.command('POST', `/element/${id}/value`, {text});
  }

  async probe() {
    return null;
  }

  async close() {
    try {
      await this.command('DELETE', '', undefined).catch(() => {});
    } finally {
      for (const child of this.processes) await stop(child);
      fs.rmSync(this.home, {recursive: true, force: true});
    }
  }
}

async function startDriver(env) {
  let lastError;
  for (let attempt = 0; attempt < 3; ++attempt) {
    const port = await freePort();
    const driver = spawn('WebKitWebDriver', [`--port=${port}`, '--host=local'], {env, stdio: ['ignore', 'ignore', 'pipe']});
    let errors = '';
    driver.stderr.on('data', (chunk) => { errors += chunk; });
    const base = `http://127.0.0.1:${port}`;
    for (let wait = 0; wait < 100 && driver.exitCode === null; ++wait) {
      try {
        const status = await (await fetch(`${base}/status`)).json();
        if (status.value && status.value.ready !== undefined) return {driver, base};
      } catch {
        // Not listening yet.
      }
      await sleep(100);
    }
    lastError = new Error(`WebKitWebDriver did not start on ${port}: ${errors}`);
    await stop(driver);
  }
  throw lastError;
}

// A fresh MiniBrowser under WebKitWebDriver on an X server of its own.
async function launchWebKit({width = 1280, height = 900} = {}) {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-webkit-'));
  const processes = [];
  try {
    const x = await startXvfb(1920, 1080);
    processes.push(x.process);
    const env = {
      ...process.env,
      DISPLAY: x.display,
      GDK_BACKEND: 'x11',
      HOME: home,
      XDG_CONFIG_HOME: path.join(home, '.config'),
      XDG_CACHE_HOME: path.join(home, '.cache'),
      XDG_DATA_HOME: path.join(home, '.local', 'share'),
      XDG_RUNTIME_DIR: home,
      // No accessibility bus to look for, no GPU to composite with.
      NO_AT_BRIDGE: '1',
      WEBKIT_DISABLE_COMPOSITING_MODE: '1',
    };
    delete env.DBUS_SESSION_BUS_ADDRESS;
    const {driver, base} = await startDriver(env);
    processes.unshift(driver);
    const response = await fetch(`${base}/session`, {
      method: 'POST',
      headers: {'Content-Type': 'application/json'},
      body: JSON.stringify({capabilities: {alwaysMatch: {
        'webkitgtk:browserOptions': {binary: kMiniBrowser, args: ['--automation']},
      }}}),
    });
    const answer = await response.json();
    if (!response.ok) throw new WebDriverError(`no session: ${JSON.stringify(answer.value)}`);
    const session = new WebKitDriver(base, answer.value.sessionId, processes, home, x.display);
    await session.command('POST', '/window/rect', {x: 0, y: 0, width, height}).catch(() => {});
    return session;
  } catch (error) {
    for (const child of processes) await stop(child);
    fs.rmSync(home, {recursive: true, force: true});
    throw error;
  }
}

module.exports = {launchWebKit};

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A game in the page with the bench's bank: presses on the ion buttons, each
// timed from the click to the frame that shows its result, and the memory
// the page holds meanwhile.
'use strict';
const {freshPage} = require('./browser');
const {kRightIons, kWrongIon} = require('./bank');

const kMenu = 'section[data-form="メニュー"]';
const kGame = 'section[data-form="GameForm"]';

// Runs in the page once the game is open. For each click on an ion button:
// at, the click's time stamp (when the browser took the input); started,
// when the page's first listener ran; changed, the first change of the
// game's form; drawn, the animation frame after that change, the frame that
// draws it, and inFirstFrame, whether that was the first frame after the
// click; mark, the first animation frame that finds the judgement mark
// shown with its picture loaded.
function pressProbe(gameSelector) {
  const form = document.querySelector(gameSelector);
  const mark = form.querySelector('[data-widget="Image3"]');
  const markPicture = mark.querySelector('img');
  const presses = [];
  let current = null;
  window.soruberiaPresses = presses;
  document.addEventListener('click', (event) => {
    const button = event.target.closest('[data-widget^="Command1_"]');
    if (!button || !form.contains(button)) return;
    const press = {widget: button.dataset.widget, at: event.timeStamp, started: performance.now(),
      changed: null, drawn: null, inFirstFrame: null, mark: null, firstFrame: null};
    requestAnimationFrame((frameStart) => { press.firstFrame = frameStart; });
    current = press;
    presses.push(press);
  }, true);
  const markShown = () => !mark.hidden && markPicture.complete && markPicture.naturalWidth > 0 &&
    markPicture.checkVisibility();
  new MutationObserver(() => {
    const press = current;
    if (!press || press.changed !== null) return;
    press.changed = performance.now();
    requestAnimationFrame((frameStart) => {
      press.drawn = performance.now();
      press.inFirstFrame = frameStart === press.firstFrame;
    });
    const watchMark = () => {
      if (markShown()) press.mark = performance.now();
      else requestAnimationFrame(watchMark);
    };
    requestAnimationFrame(watchMark);
  }).observe(form, {subtree: true, childList: true, attributes: true, characterData: true});
}

async function openGame(page, url) {
  await page.goto(url, {waitUntil: 'domcontentloaded'});
  const start = `${kMenu} [data-widget="Command3"]`;
  await page.waitForFunction((selector) => {
    const button = document.querySelector(selector);
    return button && button.checkVisibility();
  }, {polling: 100, timeout: 30000}, start);
  await page.click(start);
  await questionOpen(page);
}

// A question is open when every ion button shows its plain picture, loaded,
// and no judgement mark is up.
async function questionOpen(page) {
  await page.waitForFunction((gameSelector) => {
    const form = document.querySelector(gameSelector);
    if (!form || !form.checkVisibility()) return false;
    const mark = form.querySelector('[data-widget="Image3"]');
    const ions = [...form.querySelectorAll('[data-widget^="Command1_"]')];
    return ions.length === 12 && mark.hidden && ions.every((button) => {
      const img = button.querySelector('img');
      return !/'\(/.test(button.dataset.picture || "'(") && img.complete && img.naturalWidth > 0;
    });
  }, {polling: 50, timeout: 30000}, kGame);
}

async function press(page, ion) {
  const count = await page.evaluate(() => window.soruberiaPresses.length);
  await page.click(`${kGame} [data-widget="Command1_${ion}"]`);
  await page.waitForFunction((index) => {
    const press = window.soruberiaPresses[index];
    return press && press.drawn !== null && press.mark !== null;
  }, {polling: 20, timeout: 10000}, count);
}

// Runs in the page before its own scripts: notes every WebAssembly.Memory
// that a module instantiated in the page exports or imports. (The
// inspector's Runtime.queryObjects would find them without this, but it
// never answers on this Chromium.)
function memoryProbe() {
  const memories = [];
  window.soruberiaMemories = memories;
  const note = (values) => {
    for (const value of Object.values(values || {})) {
      if (value instanceof WebAssembly.Memory && !memories.includes(value)) memories.push(value);
    }
  };
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async function (source, imports) {
    const result = await instantiate.call(this, source, imports);
    note((result.instance || result).exports);
    for (const module of Object.values(imports || {})) note(module);
    return result;
  };
  const streaming = WebAssembly.instantiateStreaming;
  if (streaming) {
    WebAssembly.instantiateStreaming = async function (source, imports) {
      const result = await streaming.call(this, source, imports);
      note(result.instance.exports);
      for (const module of Object.values(imports || {})) note(module);
      return result;
    };
  }
}

// The JS heap as Chromium counts it, and the wasm module's memory.
async function memoryOf(page) {
  const session = await page.createCDPSession();
  try {
    await session.send('Performance.enable');
    const {metrics} = await session.send('Performance.getMetrics');
    const metric = (name) => metrics.find((entry) => entry.name === name).value;
    // Of the module's memory, how far up anything was ever written: the
    // rest is reserved, untouched since the module took its initial memory.
    const {wasm, written} = await page.evaluate(() => {
      const memories = window.soruberiaMemories || [];
      const top = (memory) => {
        const words = new Uint32Array(memory.buffer);
        let at = words.length;
        while (at > 0 && words[at - 1] === 0) at -= 1;
        return at * 4;
      };
      return {
        wasm: memories.reduce((sum, memory) => sum + memory.buffer.byteLength, 0),
        written: memories.reduce((sum, memory) => sum + top(memory), 0),
      };
    });
    return {jsHeapUsed: metric('JSHeapUsedSize'), jsHeapTotal: metric('JSHeapTotalSize'), wasm, written};
  } finally {
    await session.detach();
  }
}

async function collectGarbage(page) {
  const session = await page.createCDPSession();
  try {
    await session.send('HeapProfiler.collectGarbage');
  } finally {
    await session.detach();
  }
}

// Plays until count presses are timed: per question the wrong ion first,
// then the right ones, then the next question. Returns the presses and the
// memory before and after a garbage collection.
async function playGame(browser, url, count) {
  const {page, close} = await freshPage(browser);
  try {
    await page.evaluateOnNewDocument(memoryProbe);
    await openGame(page, url);
    await page.evaluate(pressProbe, kGame);
    let pressed = 0;
    while (pressed < count) {
      const ions = [kWrongIon, ...kRightIons].slice(0, count - pressed);
      for (const ion of ions) await press(page, ion);
      pressed += ions.length;
      if (pressed < count) await questionOpen(page);
    }
    const presses = await page.evaluate(() => window.soruberiaPresses);
    const memory = await memoryOf(page);
    await collectGarbage(page);
    const collected = await memoryOf(page);
    return {presses, memory, collected};
  } finally {
    await close();
  }
}

// The floor's memory, for comparison.
async function floorMemory(browser, url) {
  const {page, close} = await freshPage(browser);
  try {
    await page.evaluateOnNewDocument(memoryProbe);
    await page.goto(url, {waitUntil: 'load'});
    await collectGarbage(page);
    return await memoryOf(page);
  } finally {
    await close();
  }
}

module.exports = {playGame, floorMemory};

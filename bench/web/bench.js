// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The browser program's benchmarks, in headless Chromium, the site served
// from 127.0.0.1:
//   node bench.js SITE [LOADS] [PRESSES]
// sizes of what the site sends, time from navigation to the menu beside a
// floor page, presses to the frame that shows them, memory during a game.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {launch, kViewport} = require('./browser');
const {writeBank} = require('./bank');
const {serve} = require('../../web/tests/browser/harness/server');
const {siteSizes} = require('./sizes');
const {measureLoad, menuGeometry, floorPage} = require('./loads');
const {playGame, floorMemory} = require('./game');
const {median, min, max} = require('./stats');

const kFrameMs = 1000 / 60;
const kBankFolder = 'bench-bank';

const ms = (value) => (value === null || Number.isNaN(value) ? '–' : value.toFixed(1) + ' ms');
const kb = (bytes) => (bytes / 1000).toFixed(1) + ' KB';
const mb = (bytes) => (bytes / 1e6).toFixed(1) + ' MB';
const verdict = (met) => (met ? 'met' : 'not met');

function table(header, rows) {
  const lines = [header, header.map(() => '---'), ...rows];
  console.log(lines.map((cells) => '| ' + cells.join(' | ') + ' |').join('\n'));
  console.log();
}

function printSizes(sizes) {
  console.log('Sizes of the site (each file compressed on its own: gzip -9, brotli 11)');
  console.log();
  const row = (size) => [size.name, kb(size.raw), kb(size.gzip), kb(size.brotli)];
  table(['File', 'As is', 'gzip', 'brotli'], [
    row(sizes.wasm), row(sizes.loader), ...sizes.scripts.map(row),
    row(sizes.pageScripts), row(sizes.allScripts), row(sizes.markup)]);
  console.log(`wasm gzipped ${kb(sizes.wasm.gzip)}, aim ≤ 80 KB: ${verdict(sizes.wasm.gzip <= 80000)}`);
  console.log(`page's own scripts gzipped ${kb(sizes.pageScripts.gzip)}, aim ≤ 30 KB: ` +
    `${verdict(sizes.pageScripts.gzip <= 30000)} (with emscripten's soruberia.js: ` +
    `${kb(sizes.allScripts.gzip)}, ${verdict(sizes.allScripts.gzip <= 30000)})`);
  console.log();
}

// What one load of the page fetched from the server until its first tile,
// by folder, in the order of each folder's first request.
function printFetched(site, fetched) {
  const groups = new Map();
  for (const [name, count] of fetched) {
    const folder = name.includes('/') ? name.slice(0, name.lastIndexOf('/')) + '/' : name;
    const group = groups.get(folder) || {files: 0, requests: 0, bytes: 0};
    let size = 0;
    try {
      size = fs.statSync(path.join(site, name)).size;
    } catch {
      size = 0;  // the bench's bank, served from elsewhere
    }
    group.files += 1;
    group.requests += count;
    group.bytes += size * count;
    groups.set(folder, group);
  }
  console.log('Fetched by one load of the page until its first title tile is drawn, in order of first request');
  console.log();
  table(['Path', 'Files', 'Requests', 'Bytes'], [...groups].map(([folder, group]) =>
    [folder, String(group.files), String(group.requests), kb(group.bytes)]));
}

function printLoads(pages, floors) {
  const stats = (values) => {
    const known = values.filter((value) => value !== null);
    return known.length ? [ms(median(known)), ms(min(known)), ms(max(known))] : ['–', '–', '–'];
  };
  console.log(`From navigation to the menu (${pages.length} loads of each page, alternating; ` +
    '"drawn": the animation frame that first shows the picture loaded; ' +
    '"presented": element timing\'s render time of that picture)');
  console.log();
  const floorDrawn = floors.map((load) => Math.max(load.ground.drawn, load.tile.drawn));
  const floorPresented = floors.map((load) =>
    (load.ground.painted === null || load.tile.painted === null ? null
      : Math.max(load.ground.painted, load.tile.painted)));
  const menuReady = pages.map((load) => load.ground.drawn);
  table(['Moment', 'Median', 'Fastest', 'Slowest'], [
    ['page: soruberia.wasm fetched', ...stats(pages.map((load) => load.wasmFetched))],
    ['page: menu form created', ...stats(pages.map((load) => load.created))],
    ['page: background picture asked for', ...stats(pages.map((load) => load.groundFetch && load.groundFetch.asked))],
    ['page: its request sent', ...stats(pages.map((load) => load.groundFetch && load.groundFetch.sent))],
    ['page: its bytes received', ...stats(pages.map((load) => load.groundFetch && load.groundFetch.received))],
    ['page: menu ready (its background drawn)', ...stats(menuReady)],
    ['page: menu ready, presented', ...stats(pages.map((load) => load.ground.painted))],
    ['page: first title tile drawn', ...stats(pages.map((load) => load.tile.drawn))],
    ['page: first title tile, presented', ...stats(pages.map((load) => load.tile.painted))],
    ['floor: background and tile drawn', ...stats(floorDrawn)],
    ['floor: background and tile, presented', ...stats(floorPresented)],
  ]);
  const ratio = median(menuReady) / median(floorDrawn);
  const fastest = min(menuReady) / min(floorDrawn);
  const after = (moment) => ms(median(pages.map((load) => moment(load) - load.created)));
  console.log(`menu ready / floor: ${ratio.toFixed(2)} (fastest runs ${fastest.toFixed(2)}), ` +
    `aim ≤ 1.3: ${verdict(ratio <= 1.3)}`);
  console.log(`first tile / floor: ${(median(pages.map((load) => load.tile.drawn)) / median(floorDrawn)).toFixed(2)}`);
  console.log(`after the menu form is created: its background drawn ${after((load) => load.ground.drawn)}, ` +
    `the first tile drawn ${after((load) => load.tile.drawn)} (the title's first tick is 500 ms after it)`);
  console.log();
}

function printPresses(presses) {
  const row = (name, values) => [name, ms(median(values)), ms(max(values))];
  const since = (key) => presses.map((press) => press[key] - press.at);
  const first = presses.filter((press) => press.inFirstFrame).length;
  console.log(`Presses on the ion buttons (${presses.length} clicks through the inspector's mouse, ` +
    'times from the click event\'s time stamp)');
  console.log();
  table(['Interval', 'Median', 'Worst'], [
    row('click → the page\'s listener runs', since('started')),
    row('the page\'s work: listener → game form changed',
      presses.map((press) => press.changed - press.started)),
    row('click → game form changed', since('changed')),
    row('click → animation frame that draws the change', since('drawn')),
    row('click → animation frame that draws the judgement mark', since('mark')),
  ]);
  const drawn = since('drawn');
  console.log(`${first} of ${presses.length} changes drawn in the first frame after their click`);
  console.log(`click → frame, aim ≤ ${kFrameMs.toFixed(1)} ms: median ${ms(median(drawn))} ` +
    `${verdict(median(drawn) <= kFrameMs)}, worst ${ms(max(drawn))} ${verdict(max(drawn) <= kFrameMs)}`);
  console.log();
}

function printMemory(game, floor) {
  const sum = (memory) => memory.jsHeapUsed + memory.wasm;
  console.log('Memory during a game (after the presses; inspector: Performance.getMetrics, ' +
    'WebAssembly.Memory objects of the page)');
  console.log();
  table(['Memory', 'Game', 'Game, after GC', 'Floor, after GC'], [
    ['JS heap used', mb(game.memory.jsHeapUsed), mb(game.collected.jsHeapUsed), mb(floor.jsHeapUsed)],
    ['JS heap allocated', mb(game.memory.jsHeapTotal), mb(game.collected.jsHeapTotal), mb(floor.jsHeapTotal)],
    ['wasm memory', mb(game.memory.wasm), mb(game.collected.wasm), mb(floor.wasm)],
    ['wasm memory, written up to', mb(game.memory.written), mb(game.collected.written), mb(floor.written)],
    ['JS heap used + wasm memory', mb(sum(game.memory)), mb(sum(game.collected)), mb(sum(floor))],
  ]);
  console.log(`JS heap used + wasm memory in a game ${mb(sum(game.memory))}, aim ≤ 20 MB: ` +
    `${verdict(sum(game.memory) <= 20e6)}`);
  console.log();
}

async function main() {
  const site = path.resolve(process.argv[2] || 'build-web/site');
  const loads = Number(process.argv[3] || 15);
  const pressCount = Number(process.argv[4] || 50);
  const bank = writeBank();
  const extra = {[`/${kBankFolder}`]: bank};
  const server = await serve(site, extra);
  const chromium = await launch();
  const finish = async () => {
    await chromium.close();
    await server.close();
    fs.rmSync(bank, {recursive: true, force: true});
  };
  for (const signal of ['SIGINT', 'SIGTERM']) {
    process.once(signal, () => finish().finally(() => process.exit(1)));
  }
  try {
    console.log(`Browser program: ${chromium.version}, headless, viewport ` +
      `${kViewport.width} × ${kViewport.height} at ${kViewport.deviceScaleFactor} device pixel per CSS pixel`);
    console.log();
    printSizes(siteSizes(site));

    const pageUrl = server.url + 'index.html';
    const floorUrl = server.url + 'floor.html';
    // One load unmeasured, to lay the floor out as the page lays out the menu.
    const before = server.requests.length;
    const geometry = await menuGeometry(chromium.browser, pageUrl);
    const fetched = new Map();
    for (const name of server.requests.slice(before)) {
      fetched.set(name.slice(1), (fetched.get(name.slice(1)) || 0) + 1);
    }
    printFetched(site, fetched);
    extra['/floor.html'] = floorPage(geometry);
    await measureLoad(chromium.browser, floorUrl);

    const pages = [];
    const floors = [];
    for (let run = 0; run < loads; run += 1) {
      // Turn about, so that neither page always comes first.
      if (run % 2 === 0) {
        pages.push(await measureLoad(chromium.browser, pageUrl));
        floors.push(await measureLoad(chromium.browser, floorUrl));
      } else {
        floors.push(await measureLoad(chromium.browser, floorUrl));
        pages.push(await measureLoad(chromium.browser, pageUrl));
      }
    }
    printLoads(pages, floors);

    const game = await playGame(chromium.browser, `${pageUrl}?bank=${kBankFolder}`, pressCount);
    printPresses(game.presses);
    printMemory(game, await floorMemory(chromium.browser, floorUrl));
  } finally {
    await finish();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// From navigation to the menu on screen, the page against a floor: a plain
// HTML page without script or wasm that shows the same two pictures (the
// menu's background and its first title tile) at the same place and size,
// from the same server.
'use strict';
const {freshPage} = require('./browser');

const kMenu = 'section[data-form="メニュー"]';

// Runs in every page before its own scripts. A picture is drawn in the
// first animation frame that finds it shown with its current picture
// loaded: its time is that frame's callback, after which the frame is
// painted. Element timing gives the time at which that frame was
// presented, for comparison.
function loadProbe(menuSelector) {
  const marks = {};
  const painted = [];
  window.soruberiaBench = {marks, painted};
  const watched = {
    ground: menuSelector + ' > img.ground',
    tile: menuSelector + ' > [data-widget="Image1_0"] > img',
  };
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      painted.push({id: entry.identifier, url: entry.url, at: entry.renderTime || entry.loadTime});
    }
  }).observe({type: 'element', buffered: true});
  new MutationObserver(() => {
    for (const img of document.querySelectorAll(menuSelector + ' img:not([elementtiming])')) {
      const owner = img.closest('[data-widget]');
      img.setAttribute('elementtiming', owner ? owner.dataset.widget : 'ground');
    }
    if (marks.created === undefined && document.querySelector(menuSelector)) {
      marks.created = performance.now();
    }
  }).observe(document, {subtree: true, childList: true});
  const onScreen = (img) => img && img.complete && img.naturalWidth > 0 && img.checkVisibility();
  function frame() {
    const now = performance.now();
    for (const [name, selector] of Object.entries(watched)) {
      const img = document.querySelector(selector);
      if (!marks[name] && onScreen(img)) marks[name] = {drawn: now, url: img.currentSrc};
    }
    if (!(marks.ground && marks.tile)) requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
}

// Loads url with the probe and waits until both pictures are drawn.
async function loadMenu(page, url) {
  await page.evaluateOnNewDocument(loadProbe, kMenu);
  await page.goto(url, {waitUntil: 'domcontentloaded'});
  await page.waitForFunction(() => {
    const {marks} = window.soruberiaBench;
    return marks.ground && marks.tile;
  }, {polling: 100, timeout: 30000});
}

// One load of url in a fresh context: the marks, in ms from navigation.
async function measureLoad(browser, url) {
  const {page, close} = await freshPage(browser);
  try {
    await loadMenu(page, url);
    // Element timing reports a moment after the frame; wait for it a little.
    await page.waitForFunction(() => {
      const {marks, painted} = window.soruberiaBench;
      return [marks.ground, marks.tile].every((mark) => painted.some((entry) => entry.url === mark.url));
    }, {polling: 50, timeout: 2000}).catch(() => {});
    return await page.evaluate(() => {
      const {marks, painted} = window.soruberiaBench;
      const paintOf = (mark) => {
        const entry = painted.find((candidate) => candidate.url === mark.url);
        return entry ? entry.at : null;
      };
      const resources = performance.getEntriesByType('resource');
      const wasm = resources.find((entry) => entry.name.endsWith('.wasm'));
      const ground = resources.find((entry) => entry.name === marks.ground.url);
      return {
        created: marks.created === undefined ? null : marks.created,
        wasmFetched: wasm ? wasm.responseEnd : null,
        groundFetch: ground ? {asked: ground.startTime, sent: ground.requestStart, received: ground.responseEnd}
          : null,
        ground: {drawn: marks.ground.drawn, painted: paintOf(marks.ground)},
        tile: {drawn: marks.tile.drawn, painted: paintOf(marks.tile)},
      };
    });
  } finally {
    await close();
  }
}

// Where the page shows the two pictures, in CSS pixels of the viewport.
async function menuGeometry(browser, url) {
  const {page, close} = await freshPage(browser);
  try {
    await loadMenu(page, url);
    return await page.evaluate((menuSelector) => {
      const menu = document.querySelector(menuSelector);
      const origin = menu.getBoundingClientRect();
      const place = (img) => {
        const box = img.getBoundingClientRect();
        return {left: box.left - origin.left, top: box.top - origin.top, width: box.width,
          height: box.height, src: new URL(img.currentSrc).pathname.slice(1)};
      };
      return {
        menu: {left: origin.left, top: origin.top, width: origin.width, height: origin.height},
        ground: place(menu.querySelector(':scope > img.ground')),
        tile: place(menu.querySelector(':scope > [data-widget="Image1_0"] > img')),
      };
    }, kMenu);
  } finally {
    await close();
  }
}

// The floor page for that geometry: the same picture files, no script.
function floorPage(geometry) {
  const px = (box) => `left:${box.left}px;top:${box.top}px;width:${box.width}px;height:${box.height}px`;
  return Buffer.from(`<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>floor</title>
<style>
html, body { margin: 0; height: 100%; background: #1e2a2a; }
section, img { position: absolute; }
section { overflow: hidden; }
</style>
</head>
<body>
<section data-form="メニュー" style="${px(geometry.menu)}">
<img class="ground" alt="" src="${geometry.ground.src}" style="${px(geometry.ground)}">
<div data-widget="Image1_0"><img alt="" src="${geometry.tile.src}" style="${px(geometry.tile)}"></div>
</section>
</body>
</html>
`);
}

module.exports = {measureLoad, menuGeometry, floorPage};

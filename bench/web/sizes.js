// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the site sends: each file as it is and compressed as a web server
// compresses it, each on its own (gzip at level 9, brotli at its best).
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

// The module's loader is emscripten's; every other script the page loads
// is the page's own.
const kLoader = 'soruberia.js';

function pageScripts(site) {
  const html = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
  return [...html.matchAll(/<script src="([^"]+)"/g)].map((match) => match[1]).filter((name) => name !== kLoader);
}

function sizeOf(site, name) {
  const bytes = fs.readFileSync(path.join(site, name));
  return {
    name,
    raw: bytes.length,
    gzip: zlib.gzipSync(bytes, {level: 9}).length,
    brotli: zlib.brotliCompressSync(bytes, {
      params: {[zlib.constants.BROTLI_PARAM_QUALITY]: zlib.constants.BROTLI_MAX_QUALITY},
    }).length,
  };
}

function total(name, sizes) {
  const sum = (key) => sizes.reduce((all, size) => all + size[key], 0);
  return {name, raw: sum('raw'), gzip: sum('gzip'), brotli: sum('brotli')};
}

function siteSizes(site) {
  const wasm = sizeOf(site, 'soruberia.wasm');
  const loader = sizeOf(site, kLoader);
  const names = pageScripts(site);
  const scripts = names.map((name) => sizeOf(site, name));
  return {
    wasm,
    loader,
    scripts,
    pageScripts: total(names.join(' + '), scripts),
    allScripts: total('every script', [...scripts, loader]),
    markup: total('index.html + page.css', ['index.html', 'page.css'].map((name) => sizeOf(site, name))),
  };
}

module.exports = {siteSizes};

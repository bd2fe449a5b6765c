// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The question bank's way into the module: the page fetches the bank's
// files beside itself and hands their bytes in; the module's readers do the
// rest. A plain script for the page (window.soruberiaBank) and a CommonJS
// module for the tests in Node.
(function (global) {
  'use strict';

  // The bank's files as the module names them, relative to the page.
  function bankFiles(core) {
    return core.UTF8ToString(core._soruberia_bank_files()).split('\n');
  }

  function allocateString(core, text) {
    const size = core.lengthBytesUTF8(text) + 1;
    const at = core._malloc(size);
    core.stringToUTF8(text, at, size);
    return at;
  }

  // Calls the module's soruberia_<name>: strings go in as UTF-8 copies that
  // live for the call, numbers as they are. Returns the string the function
  // returns ('' for none).
  function call(core, name, ...args) {
    const copies = [];
    const passed = args.map((arg) => {
      if (typeof arg !== 'string') return arg;
      const at = allocateString(core, arg);
      copies.push(at);
      return at;
    });
    try {
      const result = core['_soruberia_' + name](...passed);
      return typeof result === 'number' && result !== 0 ? core.UTF8ToString(result) : '';
    } finally {
      copies.forEach((at) => core._free(at));
    }
  }

  // ?bank=FOLDER in a page's query: a folder below the page's own (pageUrl,
  // ending in '/'), on the same server. Returns the folder relative to the
  // page, null when no bank is asked for, undefined when it lies elsewhere.
  function bankFolder(search, pageUrl) {
    const folder = new URLSearchParams(search).get('bank');
    if (folder === null) return null;
    const page = new URL(pageUrl);
    const url = new URL(folder.replace(/\/*$/, '/'), page);
    const inside = url.origin === page.origin && url.href.startsWith(page.href) &&
      url.href !== page.href && !url.search && !url.hash;
    if (!inside) return undefined;
    return decodeURIComponent(url.href.slice(page.href.length)).replace(/\/$/, '');
  }

  // Hands in one file's bytes (a Uint8Array); the module keeps a copy.
  function putFile(core, path, bytes) {
    const name = allocateString(core, path);
    const data = core._malloc(Math.max(bytes.length, 1));
    core.HEAPU8.set(bytes, data);  // after _malloc, which may grow the memory
    core._soruberia_put_file(name, data, bytes.length);
    core._free(data);
    core._free(name);
  }

  // What the module's readers make of the files handed in, each named below
  // basePath: {explanation: {line} | {error}, questions: {texts} | {error},
  // answers: {key: [{count, ions}]} | {error}}.
  function bankReport(core, basePath) {
    return JSON.parse(call(core, 'bank_report', basePath));
  }

  // A file relative to pageUrl as bytes, fetched anew every time (a
  // teacher changes files between loads); null when it cannot be fetched:
  // missing, as a 404 is, or unreachable.
  async function fetchBytes(path, pageUrl) {
    try {
      const response = await fetch(new URL(path, pageUrl), {cache: 'no-cache'});
      return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
    } catch (error) {
      return null;
    }
  }

  // Fetches the bank's files relative to pageUrl and hands them in. A file
  // that cannot be fetched is not handed in: the readers report it missing.
  async function fetchBank(core, pageUrl) {
    await Promise.all(bankFiles(core).map(async (path) => {
      const bytes = await fetchBytes(path, pageUrl);
      if (bytes) putFile(core, path, bytes);
    }));
  }

  const api = {bankFiles, putFile, bankReport, fetchBytes, fetchBank, call, bankFolder};
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaBank = api;
  }
})(this);

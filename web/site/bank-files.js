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
    const base = allocateString(core, basePath);
    try {
      return JSON.parse(core.UTF8ToString(core._soruberia_bank_report(base)));
    } finally {
      core._free(base);
    }
  }

  // Fetches the bank's files relative to pageUrl and hands them in. A file
  // that cannot be fetched is not handed in: the readers report it missing.
  async function fetchBank(core, pageUrl) {
    await Promise.all(bankFiles(core).map(async (path) => {
      try {
        const response = await fetch(new URL(path, pageUrl));
        if (response.ok) putFile(core, path, new Uint8Array(await response.arrayBuffer()));
      } catch (error) {
        // Unreachable: missing, as a 404 is.
      }
    }));
  }

  const api = {bankFiles, putFile, bankReport, fetchBank};
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaBank = api;
  }
})(this);

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

  // Said when the module has no room left: the page stays usable, and a
  // smaller bank can be opened.
  const kNoMemory = 'メモリが足りません。ページを開き直すか、小さなファイルを選んでください。';

  // A file larger than the module takes: measured, never read.
  const TOO_LARGE = Object.freeze({tooLarge: true});

  // Memory in the module, or an Error in words the page can show.
  function allocate(core, size) {
    const at = core._malloc(size);
    if (!at) throw new Error(kNoMemory);
    return at;
  }

  function allocateString(core, text) {
    const size = core.lengthBytesUTF8(text) + 1;
    const at = allocate(core, size);
    core.stringToUTF8(text, at, size);
    return at;
  }

  // What the module threw, as an Error with words (a C++ exception reaches
  // JavaScript as a bare WebAssembly.Exception).
  function asError(error) {
    return error instanceof Error ? error : new Error(kNoMemory);
  }

  // Calls the module's soruberia_<name>: strings go in as UTF-8 copies that
  // live for the call, numbers as they are. Returns the string the function
  // returns ('' for none).
  function call(core, name, ...args) {
    const copies = [];
    try {
      const passed = args.map((arg) => {
        if (typeof arg !== 'string') return arg;
        const at = allocateString(core, arg);
        copies.push(at);
        return at;
      });
      const result = core['_soruberia_' + name](...passed);
      return typeof result === 'number' && result !== 0 ? core.UTF8ToString(result) : '';
    } catch (error) {
      throw asError(error);
    } finally {
      copies.forEach((at) => core._free(at));
    }
  }

  // ?bank=FOLDER in a page's query (location.search), by the module's one
  // rule: the folder's name relative to the page, null when no bank is
  // asked for, undefined when the value names no folder below the page.
  function bankFolder(core, search) {
    const query = JSON.parse(call(core, 'bank_query', search));
    if (query.kind === 'none') return null;
    return query.kind === 'folder' ? query.name : undefined;
  }

  // A path relative to the page ("問題/mondai.txt", or a checked ?bank=
  // folder's) as an address: every segment encoded, so that no character
  // of a name can lead elsewhere.
  function pageAddress(path) {
    return path.split('/').map(encodeURIComponent).join('/');
  }

  // The most bytes the module takes of the file at a path relative to the
  // page.
  function fileLimit(core, path) {
    const name = allocateString(core, path);
    try {
      return core._soruberia_file_limit(name);
    } finally {
      core._free(name);
    }
  }

  // Hands in one file's bytes (a Uint8Array), or TOO_LARGE for one measured
  // and left unread; the module keeps a copy. Throws an Error with words
  // when the module has no room, having freed what it took.
  function putFile(core, path, bytes) {
    const name = allocateString(core, path);
    let data = 0;
    try {
      if (bytes === TOO_LARGE) {
        core._soruberia_put_too_large(name);
        return;
      }
      data = allocate(core, Math.max(bytes.length, 1));
      core.HEAPU8.set(bytes, data);  // after _malloc, which may grow the memory
      if (!core._soruberia_put_file(name, data, bytes.length)) throw new Error(kNoMemory);
    } catch (error) {
      throw asError(error);
    } finally {
      if (data) core._free(data);
      core._free(name);
    }
  }

  // A picked file's bytes (a File or Blob), or TOO_LARGE, measured before
  // anything of it is read.
  async function pickedBytes(file, limit) {
    if (file.size > limit) return TOO_LARGE;
    return new Uint8Array(await file.arrayBuffer());
  }

  // A response's body, or TOO_LARGE as soon as it says or shows that it is
  // larger than limit. A length is the body's own only where nothing was
  // compressed on the way (a small gzip can unpack to any size): there the
  // body is read whole, else counted as it streams.
  async function limitedBody(response, limit) {
    const header = (name) => (response.headers ? response.headers.get(name) : null);
    const length = header('content-length');
    const declared = length === null ? NaN : Number(length);
    if (declared > limit) {
      if (response.body) response.body.cancel().catch(() => {});
      return TOO_LARGE;
    }
    const exact = declared >= 0 && !header('content-encoding');
    if (exact || !response.body || !response.body.getReader) {
      const whole = new Uint8Array(await response.arrayBuffer());
      return whole.length > limit ? TOO_LARGE : whole;
    }
    const reader = response.body.getReader();
    const chunks = [];
    let total = 0;
    for (;;) {
      const {done, value} = await reader.read();
      if (done) break;
      total += value.length;
      if (total > limit) {
        reader.cancel().catch(() => {});
        return TOO_LARGE;
      }
      chunks.push(value);
    }
    const bytes = new Uint8Array(total);
    let at = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, at);
      at += chunk.length;
    }
    return bytes;
  }

  // What the module's readers make of the files handed in, each named below
  // basePath: {explanation: {line} | {error}, questions: {texts} | {error},
  // answers: {key: [{count, ions}]} | {error}}.
  function bankReport(core, basePath) {
    return JSON.parse(call(core, 'bank_report', basePath));
  }

  // A file relative to pageUrl as bytes, fetched anew every time (a
  // teacher changes files between loads): null when it cannot be fetched
  // (missing, as a 404 is, or unreachable), TOO_LARGE past limit.
  async function fetchBytes(path, pageUrl, limit = Infinity) {
    try {
      const response = await fetch(new URL(pageAddress(path), pageUrl), {cache: 'no-cache'});
      return response.ok ? await limitedBody(response, limit) : null;
    } catch (error) {
      return null;
    }
  }

  // Fetches the bank's files relative to pageUrl and hands them in. A file
  // that cannot be fetched is not handed in: the readers report it missing.
  async function fetchBank(core, pageUrl) {
    await Promise.all(bankFiles(core).map(async (path) => {
      const bytes = await fetchBytes(path, pageUrl, fileLimit(core, path));
      if (bytes) putFile(core, path, bytes);
    }));
  }

  const api = {
    bankFiles, putFile, bankReport, fetchBytes, fetchBank, call, bankFolder, pageAddress, fileLimit,
    pickedBytes, TOO_LARGE,
  };
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaBank = api;
  }
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A question bank in a link: the module writes and reads the link's form,
// the browser's own raw DEFLATE (CompressionStream) compresses. What
// follows the '#' is never sent to any server. A plain script for the
// pages (window.soruberiaBankLink) and a CommonJS module for the tests.
(function (global) {
  'use strict';

  const bankFiles = global.soruberiaBank || (typeof require === 'function' && require('./bank-files.js'));

  // What the module holds at soruberia_link_bytes, copied out.
  function moduleBytes(core) {
    const at = core._soruberia_link_bytes();
    return core.HEAPU8.slice(at, at + core._soruberia_link_bytes_size());
  }

  // Calls the module with bytes copied into it for the call: fn(at, size).
  function withBytes(core, bytes, fn) {
    const at = core._malloc(Math.max(bytes.length, 1));
    if (!at) throw new Error('メモリが足りません。');
    try {
      core.HEAPU8.set(bytes, at);
      return fn(at, bytes.length);
    } finally {
      core._free(at);
    }
  }

  async function streamed(bytes, transform, limit) {
    const reader = new Blob([bytes]).stream().pipeThrough(transform).getReader();
    const chunks = [];
    let total = 0;
    try {
      for (;;) {
        const {done, value} = await reader.read();
        if (done) break;
        chunks.push(value);
        total += value.length;
        // One byte past the limit is enough for the module to see a lie.
        if (total > limit) {
          reader.cancel().catch(() => {});
          break;
        }
      }
    } catch (error) {
      return null;  // not raw DEFLATE, or it ended before its last block
    }
    const out = new Uint8Array(Math.min(total, limit + 1));
    let at = 0;
    for (const chunk of chunks) {
      const part = chunk.subarray(0, out.length - at);
      out.set(part, at);
      at += part.length;
      if (at === out.length) break;
    }
    return out;
  }

  const deflateRaw = (bytes) => streamed(bytes, new CompressionStream('deflate-raw'), Infinity);
  const inflateRaw = (bytes, limit) => streamed(bytes, new DecompressionStream('deflate-raw'), limit);

  // Whether an address (or its fragment, '#' and all) holds a bank link.
  function isLink(text) {
    const hash = text.indexOf('#');
    return (hash < 0 ? text : text.slice(hash + 1)).startsWith('b=');
  }

  // Reads a link into the module: its three files into `folder`, all or
  // none. {ok: true}, or {fault, message} saying what is wrong with it.
  async function openLink(core, link, folder) {
    const opened = JSON.parse(bankFiles.call(core, 'link_open', link));
    if (opened.fault) return opened;
    const payload = await inflateRaw(moduleBytes(core), opened.payload);
    if (!payload) return {fault: 'changed', message: changedMessage(core)};
    return JSON.parse(withString(core, folder, (at) =>
      withBytes(core, payload, (bytes, size) => core.UTF8ToString(core._soruberia_link_unseal(at, bytes, size)))));
  }

  // The module's words for a link whose characters changed.
  function changedMessage(core) {
    // A link whose payload is no DEFLATE stream reads as changed: open one
    // with a character outside the alphabet to have the module say so.
    return JSON.parse(bankFiles.call(core, 'link_open', 'b=!')).message;
  }

  function withString(core, text, fn) {
    const size = core.lengthBytesUTF8(text) + 1;
    const at = core._malloc(size);
    if (!at) throw new Error('メモリが足りません。');
    try {
      core.stringToUTF8(text, at, size);
      return fn(at);
    } finally {
      core._free(at);
    }
  }

  // The link to pageUrl (its '#…' dropped) carrying the bank in `folder`
  // (its three files handed to the module); null for a folder without them.
  async function makeLink(core, folder, pageUrl) {
    const ready = withString(core, folder, (at) => core._soruberia_link_payload(at));
    if (!ready) return null;
    const compressed = await deflateRaw(moduleBytes(core));
    const fragment = withString(core, folder, (at) =>
      withBytes(core, compressed, (bytes, size) => core.UTF8ToString(core._soruberia_link_fragment(at, bytes, size))));
    const page = new URL(pageUrl);
    page.hash = '';
    return page.href + '#' + fragment;
  }

  const api = {openLink, makeLink, isLink, deflateRaw, inflateRaw};
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaBankLink = api;
  }
})(this);

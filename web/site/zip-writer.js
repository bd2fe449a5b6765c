// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A zip archive of a few small files, stored as they are (no compression):
// the editor's 問題.zip. Names are UTF-8, marked so (flag bit 11), which
// the unzip tools of Windows, macOS, iPadOS and ChromeOS read. A plain
// script for the page (window.soruberiaZip) and a CommonJS module for the
// tests in Node.
(function (global) {
  'use strict';

  let crcTable = null;
  function crc32(bytes) {
    if (!crcTable) {
      crcTable = new Uint32Array(256);
      for (let n = 0; n < 256; ++n) {
        let c = n;
        for (let k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
        crcTable[n] = c >>> 0;
      }
    }
    let crc = 0xFFFFFFFF;
    for (let i = 0; i < bytes.length; ++i) crc = crcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >>> 8);
    return (crc ^ 0xFFFFFFFF) >>> 0;
  }

  // MS-DOS time and date of a local time, as zip keeps them (two-second
  // steps; years from 1980).
  function dosDateTime(date) {
    const year = Math.min(Math.max(date.getFullYear(), 1980), 2107);
    return {
      time: (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1),
      date: ((year - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate(),
    };
  }

  const kUtf8Names = 0x0800;
  const kVersion = 20;  // 2.0: folders
  const kMadeByUnix = 3 << 8;
  const kFolderAttributes = ((0o40755 << 16) | 0x10) >>> 0;
  const kFileAttributes = (0o100644 << 16) >>> 0;

  // entries: [{name: "問題/mondai.txt", bytes: Uint8Array}] or a folder
  // {name: "問題/"}; date: the time every entry carries. Returns the
  // archive's bytes.
  function zip(entries, date = new Date()) {
    const encoder = new TextEncoder();
    const when = dosDateTime(date);
    const parts = [];
    const central = [];
    let offset = 0;
    for (const entry of entries) {
      const name = encoder.encode(entry.name);
      const folder = entry.name.endsWith('/');
      const bytes = folder ? new Uint8Array(0) : entry.bytes;
      const crc = crc32(bytes);
      const local = new DataView(new ArrayBuffer(30));
      local.setUint32(0, 0x04034B50, true);
      local.setUint16(4, kVersion, true);
      local.setUint16(6, kUtf8Names, true);
      local.setUint16(8, 0, true);  // stored
      local.setUint16(10, when.time, true);
      local.setUint16(12, when.date, true);
      local.setUint32(14, crc, true);
      local.setUint32(18, bytes.length, true);
      local.setUint32(22, bytes.length, true);
      local.setUint16(26, name.length, true);
      local.setUint16(28, 0, true);
      parts.push(new Uint8Array(local.buffer), name, bytes);

      const record = new DataView(new ArrayBuffer(46));
      record.setUint32(0, 0x02014B50, true);
      record.setUint16(4, kMadeByUnix | kVersion, true);
      record.setUint16(6, kVersion, true);
      record.setUint16(8, kUtf8Names, true);
      record.setUint16(10, 0, true);
      record.setUint16(12, when.time, true);
      record.setUint16(14, when.date, true);
      record.setUint32(16, crc, true);
      record.setUint32(20, bytes.length, true);
      record.setUint32(24, bytes.length, true);
      record.setUint16(28, name.length, true);
      // extra, comment, disk, internal attributes: none
      record.setUint32(38, folder ? kFolderAttributes : kFileAttributes, true);
      record.setUint32(42, offset, true);
      central.push(new Uint8Array(record.buffer), name);
      offset += 30 + name.length + bytes.length;
    }
    const centralSize = central.reduce((sum, part) => sum + part.length, 0);
    const end = new DataView(new ArrayBuffer(22));
    end.setUint32(0, 0x06054B50, true);
    end.setUint16(8, entries.length, true);
    end.setUint16(10, entries.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);

    const all = [...parts, ...central, new Uint8Array(end.buffer)];
    const out = new Uint8Array(all.reduce((sum, part) => sum + part.length, 0));
    let at = 0;
    for (const part of all) {
      out.set(part, at);
      at += part.length;
    }
    return out;
  }

  const api = {zip, crc32};
  if (typeof module === 'object' && module.exports) {
    module.exports = api;
  } else {
    global.soruberiaZip = api;
  }
})(this);

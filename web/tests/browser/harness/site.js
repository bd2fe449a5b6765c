// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A copy of the built site in a folder of the test's own, which the test
// may spoil or add a teacher's bank to, served for that test alone.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {serve} = require('./server');

// A copy of builtSite, served: {folder, url, requests, write, remove,
// close}. write takes a path below the site and bytes. With below, the
// site is served from that folder of the server, and beside(relative,
// bytes) writes a file next to it, outside the page's folder.
async function servedCopy(builtSite, below = '') {
  const temporary = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-site-'));
  const root = path.join(temporary, 'site');
  const folder = below ? path.join(root, below) : root;
  fs.cpSync(builtSite, folder, {recursive: true});
  const server = await serve(root);
  return {
    folder,
    url: below ? `${server.url}${encodeURIComponent(below)}/` : server.url,
    requests: server.requests,
    beside(relative, bytes) {
      const file = path.join(root, relative);
      fs.mkdirSync(path.dirname(file), {recursive: true});
      fs.writeFileSync(file, bytes);
    },
    write(relative, bytes) {
      const file = path.join(folder, relative);
      fs.mkdirSync(path.dirname(file), {recursive: true});
      fs.writeFileSync(file, bytes);
      return file;
    },
    remove(relative) {
      fs.rmSync(path.join(folder, relative), {recursive: true, force: true});
    },
    async close() {
      await server.close();
      fs.rmSync(temporary, {recursive: true, force: true});
    },
  };
}

module.exports = {servedCopy};

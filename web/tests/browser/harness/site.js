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
// close}. write takes a path below the site and bytes.
async function servedCopy(builtSite) {
  const temporary = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-site-'));
  const folder = path.join(temporary, 'site');
  fs.cpSync(builtSite, folder, {recursive: true});
  const server = await serve(folder);
  return {
    folder,
    url: server.url,
    requests: server.requests,
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

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A static server on 127.0.0.1 for the bench: the site folder, and beside
// it pages and folders of the bench's own (the floor page, a teacher's
// bank) laid over the site's paths without copying the site. Nothing is
// cached, so every load fetches anew as a first visit does. It counts the
// requests per path.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.wav': 'audio/wav',
  '.txt': 'text/plain; charset=Shift_JIS',
};

// root: the site folder; extra: {'/path': bytes or a folder} served first.
async function serve(root, extra = {}) {
  const requests = new Map();  // path -> count
  function locate(relative) {
    for (const [at, what] of Object.entries(extra)) {
      if (relative === at) return {bytes: what};
      if (typeof what === 'string' && relative.startsWith(at + '/')) {
        return {file: path.join(what, relative.slice(at.length + 1))};
      }
    }
    const file = path.join(root, relative);
    if (file !== root && !file.startsWith(root + path.sep)) return null;
    return {file: relative.endsWith('/') ? path.join(file, 'index.html') : file};
  }
  const server = http.createServer((request, response) => {
    let relative;
    try {
      relative = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    requests.set(relative, (requests.get(relative) || 0) + 1);
    const found = locate(relative);
    const send = (bytes, name) => {
      response.writeHead(200, {
        'Content-Type': kTypes[path.extname(name).toLowerCase()] || 'application/octet-stream',
        'Content-Length': bytes.length,
        'Cache-Control': 'no-store',
      });
      response.end(bytes);
    };
    if (!found) {
      response.writeHead(403).end();
    } else if (found.bytes) {
      send(found.bytes, relative);
    } else {
      fs.readFile(found.file, (error, bytes) => {
        if (error) response.writeHead(404).end();
        else send(bytes, found.file);
      });
    }
  });
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    async close() {
      server.closeAllConnections();
      await new Promise((resolve) => server.close(resolve));
    },
  };
}

module.exports = {serve};

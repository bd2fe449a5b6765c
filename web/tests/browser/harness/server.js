// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A static server of one folder for one test, as any web host serves the
// site: on 127.0.0.1 at a port of its own, with the types browsers insist
// on (application/wasm for streaming compilation). It notes every request.
// The bench lays pages and folders of its own over the site's paths
// (overlay), without copying the site.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.gif': 'image/gif',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.ico': 'image/vnd.microsoft.icon',
  '.wav': 'audio/wav',
  // The bank's files are Shift-JIS; the page reads them as bytes.
  '.txt': 'text/plain; charset=Shift_JIS',
};

function typeOf(file) {
  return kTypes[path.extname(file).toLowerCase()] || 'application/octet-stream';
}

// Serves root until close(); requests lists the paths asked for, decoded.
// overlay: {'/path': bytes or a folder}, served before root, looked up at
// every request.
async function serve(root, overlay = {}) {
  const requests = [];
  function locate(relative) {
    for (const [at, what] of Object.entries(overlay)) {
      if (relative === at && typeof what !== 'string') return {bytes: what, name: at};
      if (typeof what === 'string' && relative.startsWith(at + '/')) {
        return {file: path.join(what, relative.slice(at.length + 1))};
      }
    }
    const file = path.join(root, relative);
    if (file !== root && !file.startsWith(root + path.sep)) return null;
    if (fs.existsSync(file) && fs.statSync(file).isDirectory()) return {file: path.join(file, 'index.html')};
    return {file};
  }
  const server = http.createServer((request, response) => {
    let relative;
    try {
      relative = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    requests.push(relative);
    const found = locate(relative);
    if (!found) {
      response.writeHead(403).end();
      return;
    }
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, {Allow: 'GET, HEAD'}).end();
      return;
    }
    const send = (bytes, name) => {
      response.writeHead(200, {
        'Content-Type': typeOf(name),
        'Content-Length': bytes.length,
        'Cache-Control': 'no-store',
      });
      response.end(request.method === 'HEAD' ? undefined : bytes);
    };
    if (found.bytes) {
      send(found.bytes, found.name);
      return;
    }
    fs.readFile(found.file, (error, bytes) => {
      if (error) response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found');
      else send(bytes, found.file);
    });
  });
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  const {port} = server.address();
  return {
    url: `http://127.0.0.1:${port}/`,
    requests,
    async close() {
      server.closeAllConnections();
      await new Promise((resolve) => server.close(resolve));
    },
  };
}

module.exports = {serve};

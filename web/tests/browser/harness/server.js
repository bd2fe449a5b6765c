// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A static server of one folder for one test, as any web host serves the
// site: on 127.0.0.1 at a port of its own, with the types browsers insist
// on (application/wasm for streaming compilation). It notes every request.
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
async function serve(root) {
  const requests = [];
  const server = http.createServer((request, response) => {
    let relative;
    try {
      relative = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    requests.push(relative);
    let file = path.join(root, relative);
    if (file !== root && !file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, {Allow: 'GET, HEAD'}).end();
      return;
    }
    if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
    fs.readFile(file, (error, bytes) => {
      if (error) {
        response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found');
        return;
      }
      response.writeHead(200, {
        'Content-Type': typeOf(file),
        'Content-Length': bytes.length,
        'Cache-Control': 'no-store',
      });
      response.end(request.method === 'HEAD' ? undefined : bytes);
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

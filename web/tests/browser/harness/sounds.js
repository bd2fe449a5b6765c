// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The site's sound files as the tests know them from their own bytes: the
// fingerprint the probe gives a decoded file, and the sample frames, rate
// and channels their RIFF headers state.
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const kSounds = ['o.wav', 'x.wav', 'pan.wav', 'dame.wav', 'gokaku.wav'];

function fingerprint(bytes) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 0x01000193) >>> 0;
  return bytes.length + ':' + hash.toString(16);
}

// The fmt and data chunks of a RIFF WAVE file.
function waveFacts(bytes) {
  if (bytes.toString('ascii', 0, 4) !== 'RIFF' || bytes.toString('ascii', 8, 12) !== 'WAVE') {
    throw new Error('not a RIFF WAVE file');
  }
  let format = null;
  for (let at = 12; at + 8 <= bytes.length;) {
    const id = bytes.toString('ascii', at, at + 4);
    const size = bytes.readUInt32LE(at + 4);
    if (id === 'fmt ') {
      format = {channels: bytes.readUInt16LE(at + 10), rate: bytes.readUInt32LE(at + 12),
        blockAlign: bytes.readUInt16LE(at + 20)};
    } else if (id === 'data') {
      if (!format) throw new Error('data before fmt');
      return {channels: format.channels, rate: format.rate, frames: Math.floor(size / format.blockAlign)};
    }
    at += 8 + size + (size % 2);
  }
  throw new Error('no data chunk');
}

// The first channel of a 16-bit PCM file, as numbers from -1 to 1.
function waveSamples(bytes) {
  const facts = waveFacts(bytes);
  let at = 12;
  while (bytes.toString('ascii', at, at + 4) !== 'data') at += 8 + bytes.readUInt32LE(at + 4) + (bytes.readUInt32LE(at + 4) % 2);
  const samples = new Float64Array(facts.frames);
  for (let i = 0; i < samples.length; ++i) samples[i] = bytes.readInt16LE(at + 8 + i * 2 * facts.channels) / 32768;
  return {samples, rate: facts.rate};
}

// {name: {file, fingerprint, frames, rate, channels}} of 音 in site.
function siteSounds(site) {
  const sounds = {};
  for (const name of kSounds) {
    const file = `音/${name}`;
    const bytes = fs.readFileSync(path.join(site, file));
    sounds[name] = {file, fingerprint: fingerprint(bytes), ...waveFacts(bytes), wave: () => waveSamples(bytes)};
  }
  return sounds;
}

module.exports = {siteSounds, fingerprint};

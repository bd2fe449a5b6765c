// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A PulseAudio server of the test's own with one null sink (the desktop
// tests' tests/platform/pulse-sandbox.sh), and what reaches that sink,
// recorded from its monitor with parec: the sound the browser really put
// out, 48000 Hz, 16-bit stereo.
'use strict';
const {execFileSync, spawn} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {sleep} = require('./wait');

const kScript = path.join(__dirname, '..', '..', '..', '..', 'tests', 'platform', 'pulse-sandbox.sh');
const kRate = 48000;

class Recording {
  constructor(server, file) {
    this.file = file;
    this.parec = spawn('parec', ['--device=sandbox.monitor', '--format=s16le', '--channels=2',
      `--rate=${kRate}`, '--latency-msec=10', '--raw'], {
      env: {...process.env, PULSE_SERVER: server},
      stdio: ['ignore', fs.openSync(file, 'w'), 'ignore'],
    });
  }

  frames() {
    return fs.existsSync(this.file) ? Math.floor(fs.statSync(this.file).size / 4) : 0;
  }

  // Once the sink's silence flows in: the recording is running.
  async started() {
    const end = Date.now() + 10000;
    while (this.frames() < kRate / 5) {
      if (Date.now() > end || this.parec.exitCode !== null) throw new Error('parec records nothing');
      await sleep(20);
    }
  }

  // Ends the recording; the left channel from frame `from` on, as numbers
  // from -1 to 1.
  async stop(from = 0) {
    const ended = new Promise((resolve) => this.parec.once('exit', resolve));
    this.parec.kill('SIGKILL');
    await ended;
    const bytes = fs.readFileSync(this.file);
    const left = new Float64Array(Math.max(0, Math.floor(bytes.length / 4) - from));
    for (let i = 0; i < left.length; ++i) left[i] = bytes.readInt16LE((from + i) * 4) / 32768;
    return left;
  }
}

// Starts the server; {address, record(), stop()}.
function startPulse() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'soruberia-pulse-'));
  const dir = path.join(folder, 'server');
  execFileSync('sh', [kScript, 'start', dir, String(process.pid)], {stdio: ['ignore', 'ignore', 'inherit']});
  const address = `unix:${dir}/native`;
  return {
    address,
    rate: kRate,
    async record() {
      const recording = new Recording(address, path.join(folder, `sink-${Date.now()}.raw`));
      await recording.started();
      return recording;
    },
    stop() {
      execFileSync('sh', [kScript, 'stop', dir], {stdio: 'ignore'});
      fs.rmSync(folder, {recursive: true, force: true});
    },
  };
}

module.exports = {startPulse};

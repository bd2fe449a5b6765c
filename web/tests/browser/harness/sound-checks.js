// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the probe recorded of the page's sounds, held to the files' own
// facts: the file decoded whole (as many sample frames as its header
// states, at the context's rate), played once from its start at normal
// speed through gains whose product is 0.5 (−6 dB) to the speakers, and
// left to its end unless the next sound came first, which stops it.
'use strict';
const assert = require('node:assert/strict');

const {sleep} = require('./wait');

const kHalf = 0.5;

function nameOf(sounds, play) {
  const found = Object.entries(sounds).find(([, sound]) => sound.fingerprint === play.file);
  return found ? found[0] : null;
}

// The product of the gains on each way to the speakers.
function loudness(route) {
  let gain = 1;
  for (const step of route.gains) {
    assert.ok(step.node === undefined, `a ${step.node} between the sound and the speakers`);
    const set = step.scheduled.filter((s) => s.method !== 'setValueAtTime');
    assert.deepEqual(set, [], 'the gain changes while the sound plays');
    const values = new Set([step.value, ...step.scheduled.map((s) => s.value)]);
    assert.equal(values.size, 1, `the gain was set to ${[...values].join(' and ')}`);
    gain *= step.value;
  }
  return gain;
}

function decibels(gain) {
  return 20 * Math.log10(gain);
}

// One play: which file, decoded whole, and at −6 dB; returns its name.
function heldToItsFile(sounds, play) {
  const name = nameOf(sounds, play);
  assert.ok(name, `a sound played that is none of 音/: ${JSON.stringify(play)}`);
  const sound = sounds[name];
  assert.equal(play.contextState, 'running', `${name} played while the audio context was ${play.contextState}`);
  assert.equal(play.channels, sound.channels, `${name}: channels`);
  const frames = sound.frames * play.contextRate / sound.rate;
  assert.ok(Math.abs(play.length - frames) <= (play.contextRate === sound.rate ? 0 : 1),
    `${name} decoded to ${play.length} sample frames at ${play.contextRate} Hz; the file holds ` +
    `${sound.frames} at ${sound.rate} Hz`);
  assert.equal(play.offset, 0, `${name} started ${play.offset} s into the file`);
  assert.ok(play.playFor === null || play.playFor >= play.duration, `${name} played for ${play.playFor} s only`);
  assert.equal(play.loop, false, `${name} loops`);
  assert.equal(play.playbackRate, 1, `${name} at ${play.playbackRate} times its speed`);
  assert.equal(play.detune, 0, `${name} detuned`);
  assert.equal(play.routes.length, 1, `${name} reaches the speakers by ${play.routes.length} ways: ` +
    JSON.stringify(play.routes));
  assert.equal(play.routes[0].to, 'destination', `${name} goes to a ${play.routes[0].to}, not the speakers`);
  const gain = loudness(play.routes[0]);
  assert.ok(Math.abs(gain - kHalf) < 1e-6, `${name} at gain ${gain} (${decibels(gain).toFixed(2)} dB), not 0.5 (−6 dB)`);
  return name;
}

// The plays from `from` on, in order, named and each held to its file; a
// play that the next did not cut short must have ended by itself after its
// whole length, one that it did must have been stopped by it.
async function heardInOrder(driver, sounds, from, names, patience = 10000) {
  let plays;
  const end = Date.now() + patience;
  for (;;) {
    const probe = await driver.probe();
    plays = probe.plays.slice(from);
    const last = plays[names.length - 1];
    if (plays.length >= names.length && last.endedAt !== null) {
      // One context, made in a user's gesture (where the browser tells).
      assert.equal(probe.contexts.length, 1, `${probe.contexts.length} audio contexts made`);
      assert.notEqual(probe.contexts[0].userActivation, false, 'the audio context was made without a gesture');
      break;
    }
    if (Date.now() > end) {
      assert.fail(`sounds ${names.join(', ')} not heard to their end within ${patience} ms; heard ` +
        plays.map((p) => `${nameOf(sounds, p)}${p.endedAt === null ? ' (playing)' : ''}`).join(', '));
    }
    await sleep(100);
  }
  assert.deepEqual(plays.slice(0, names.length).map((play) => nameOf(sounds, play)), names, 'the sounds played');
  names.forEach((name, index) => {
    const play = plays[index];
    heldToItsFile(sounds, play);
    const next = plays[index + 1];
    const naturalEnd = play.startedAt + play.duration;
    if (next && next.startedAt < naturalEnd - 0.01) {
      assert.ok(play.stoppedAtMs !== null && Math.abs(play.stoppedAtMs - next.at) < 100,
        `${name} went on under the next sound: ${JSON.stringify({stopped: play.stoppedAtMs, next: next.at})}`);
    } else {
      assert.equal(play.stoppedAt, null, `${name} stopped ${naturalEnd - play.stoppedAt} s before its end`);
      assert.ok(play.endedAt >= naturalEnd - 0.005,
        `${name} ended after ${play.endedAt - play.startedAt} s of ${play.duration} s`);
    }
  });
  return plays;
}

// Where a sound is heard: from the first to the last sample above
// threshold; its energy (sum of squares, per second of samples) and peak.
function audible(samples, rate, threshold) {
  let first = -1;
  let last = -1;
  let energy = 0;
  let peak = 0;
  for (let i = 0; i < samples.length; ++i) {
    energy += samples[i] * samples[i];
    peak = Math.max(peak, Math.abs(samples[i]));
    if (Math.abs(samples[i]) > threshold) {
      if (first < 0) first = i;
      last = i;
    }
  }
  if (first < 0) return null;
  return {seconds: (last - first + 1) / rate, energy: energy / rate, peak};
}

// What the sound server received, held to the file. Its energy is a
// quarter of the file's (−6 dB): a sound cut short or played louder or
// softer has another; its peaks are half the file's; it lasts at least as
// long as the file sounds (a starved machine may stretch it with gaps of
// silence, never shorten it). Within 0.5 dB, for the browser's resampling
// to the sink's rate.
function heardAtHalf(recorded, recordedRate, sound) {
  const {samples, rate} = sound.wave();
  const own = audible(samples, rate, 0.02);
  const heard = audible(recorded, recordedRate, 0.01);
  assert.ok(heard, 'nothing reached the speakers');
  assert.ok(heard.seconds > own.seconds - 0.01 && heard.seconds < own.seconds + 0.3,
    `heard for ${heard.seconds.toFixed(3)} s; the file sounds for ${own.seconds.toFixed(3)} s`);
  const level = 10 * Math.log10(heard.energy / own.energy);
  const peak = decibels(heard.peak / own.peak);
  assert.ok(Math.abs(level + 6.02) < 0.5, `heard with ${level.toFixed(2)} dB of the file's energy, not −6 dB`);
  assert.ok(Math.abs(peak + 6.02) < 0.5, `peaks at ${peak.toFixed(2)} dB of the file's, not −6 dB`);
  return {seconds: heard.seconds, level, peak};
}

module.exports = {heardInOrder, heardAtHalf};

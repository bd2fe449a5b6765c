// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The one sound channel, on the Web Audio API: every sound at half the
// amplitude (-6 dB), heard whole unless a new one cuts it off. Tablets
// start audio only inside a user's gesture, so the context is made and
// resumed on the first tap or key; the sounds are decoded then. The
// browser's decoder sees only files the module's judgement accepts (the
// check page's), so no browser plays what the check page says it will not.
(function (global) {
  'use strict';

  const kGain = 0.5;  // -6 dB

  class Sound {
    // report(message): tells the user once of a sound that cannot play.
    constructor(report) {
      this.report = report;
      this.context = null;
      this.output = null;
      this.playing = null;
      this.bytes = new Map();     // path -> ArrayBuffer, as fetched
      this.faults = new Map();    // path -> why it is not played, or ''
      this.buffers = new Map();   // path -> Promise of AudioBuffer or null
      this.reported = new Set();
      const unlock = () => this.unlock();
      for (const type of ['pointerdown', 'touchend', 'keydown', 'click']) {
        global.addEventListener(type, unlock, {capture: true, passive: true});
      }
    }

    unlock() {
      const Context = global.AudioContext || global.webkitAudioContext;
      if (!Context) return;
      if (!this.context) {
        this.context = new Context();
        this.output = this.context.createGain();
        this.output.gain.value = kGain;
        this.output.connect(this.context.destination);
        for (const path of this.bytes.keys()) this.decode(path);
      }
      if (this.context.state !== 'running') this.context.resume().catch(() => {});
    }

    // The bytes of a sound file (an ArrayBuffer), or null for one that
    // could not be fetched, and why the game's module does not play it
    // ('' when it does: soruberia_sound_fault); replaces what was held.
    put(path, bytes, fault) {
      this.bytes.set(path, bytes);
      this.faults.set(path, fault || '');
      this.buffers.delete(path);
      if (this.context) this.decode(path);
    }

    decode(path) {
      if (this.buffers.has(path)) return this.buffers.get(path);
      const bytes = this.bytes.get(path);
      const decoded = bytes && !this.faults.get(path)
        ? new Promise((resolve) => {
            // decodeAudioData detaches its buffer: hand it a copy. Its
            // promise is caught, so a file it cannot decode leaves no error
            // in the console; the callbacks serve a browser without it.
            const failed = () => resolve(null);
            const promise = this.context.decodeAudioData(bytes.slice(0), resolve, failed);
            if (promise) promise.then(resolve, failed);
          })
        : Promise.resolve(null);
      this.buffers.set(path, decoded);
      return decoded;
    }

    play(path) {
      this.stop();
      if (!this.context) return;
      const request = {};
      this.playing = request;
      this.decode(path).then((buffer) => {
        if (this.playing !== request) return;  // cut off before it began
        if (!buffer) {
          this.playing = null;
          this.reportOnce(path);
          return;
        }
        const source = this.context.createBufferSource();
        source.buffer = buffer;
        source.connect(this.output);
        source.addEventListener('ended', () => {
          if (this.playing === request) this.playing = null;
        });
        request.source = source;
        source.start();
      });
    }

    stop() {
      const request = this.playing;
      this.playing = null;
      if (request && request.source) {
        try {
          request.source.stop();
        } catch (error) {
          // Already ended.
        }
        request.source.disconnect();
      }
    }

    reportOnce(path) {
      if (this.reported.has(path)) return;
      this.reported.add(path);
      const why = this.faults.get(path) ||
        (this.bytes.get(path) ? 'この形式の音は再生できません' : 'ファイルがありません');
      this.report('音を鳴らせません: ' + path + ' (' + why + ')');
    }
  }

  global.SoruberiaSound = Sound;
})(this);

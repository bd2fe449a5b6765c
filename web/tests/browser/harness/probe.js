// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the page does, recorded inside it before its own scripts run
// (evaluateOnNewDocument): every form and widget shown, hidden, added or
// removed, with the time, and every sound it plays through Web Audio —
// which decoded file, through which gains to the speakers, and whether it
// ran to its end; every file handed to the decoder. Read back as window.soruberiaProbe.
'use strict';

function installProbe() {
  const probe = {changes: [], contexts: [], plays: [], decodes: []};
  Object.defineProperty(window, 'soruberiaProbe', {value: probe});
  const now = () => performance.now();

  // --- The forms and widgets -------------------------------------------
  function describe(element) {
    const form = element.closest('[data-form]');
    return {form: form ? form.dataset.form : null, widget: element.dataset.widget || null};
  }
  function shownWidgets(section) {
    return [...section.querySelectorAll('[data-widget]')].filter((w) => !w.hidden).map((w) => w.dataset.widget);
  }
  const observer = new MutationObserver((records) => {
    for (const record of records) {
      const target = record.target;
      if (record.type === 'attributes') {
        if (!(target instanceof Element) || !target.closest('[data-form]')) continue;
        probe.changes.push({t: now(), ...describe(target), attribute: record.attributeName,
          value: target.getAttribute(record.attributeName)});
      } else {
        for (const node of record.addedNodes) {
          if (node instanceof Element && node.matches('[data-form]')) {
            probe.changes.push({t: now(), form: node.dataset.form, widget: null, added: true,
              hidden: node.hidden, shown: shownWidgets(node)});
          }
        }
        for (const node of record.removedNodes) {
          if (node instanceof Element && node.matches('[data-form]')) {
            probe.changes.push({t: now(), form: node.dataset.form, widget: null, removed: true});
          }
        }
      }
    }
  });
  observer.observe(document, {subtree: true, childList: true, attributes: true,
    attributeFilter: ['hidden', 'data-picture']});

  // --- Web Audio ---------------------------------------------------------
  if (typeof AudioNode === 'undefined') return;

  // A file's bytes named by their length and FNV-1a hash, before
  // decodeAudioData takes the buffer away; the test names the files so.
  function fingerprint(data) {
    const bytes = data instanceof ArrayBuffer ? new Uint8Array(data)
      : new Uint8Array(data.buffer, data.byteOffset, data.byteLength);
    let hash = 0x811c9dc5;
    for (let i = 0; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 0x01000193) >>> 0;
    return bytes.length + ':' + hash.toString(16);
  }
  const fileOf = new WeakMap();

  const Context = window.AudioContext;
  if (Context) {
    const Counted = new Proxy(Context, {
      construct(target, args, newTarget) {
        const context = Reflect.construct(target, args, newTarget === Counted ? target : newTarget);
        probe.contexts.push({t: now(), state: context.state,
          userActivation: navigator.userActivation ? navigator.userActivation.isActive : null});
        return context;
      },
    });
    window.AudioContext = Counted;
    if (window.webkitAudioContext) window.webkitAudioContext = Counted;
  }

  const decode = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function (data, onDecoded, onFailed) {
    const file = fingerprint(data);
    probe.decodes.push(file);
    const name = (buffer) => {
      if (buffer) fileOf.set(buffer, file);
      return buffer;
    };
    const promise = decode.call(this, data,
      onDecoded && ((buffer) => onDecoded(name(buffer))), onFailed);
    return promise && promise.then(name);
  };

  // Where each node's output goes, and what was scheduled on each gain.
  const outputs = new WeakMap();
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (target, ...rest) {
    if (!outputs.has(this)) outputs.set(this, new Set());
    outputs.get(this).add(target);
    return connect.call(this, target, ...rest);
  };
  const disconnect = AudioNode.prototype.disconnect;
  AudioNode.prototype.disconnect = function (...args) {
    const set = outputs.get(this);
    if (set) {
      if (args.length === 0 || typeof args[0] === 'number') set.clear();
      else set.delete(args[0]);
    }
    return disconnect.apply(this, args);
  };
  const schedules = new WeakMap();
  for (const method of ['setValueAtTime', 'linearRampToValueAtTime', 'exponentialRampToValueAtTime',
    'setTargetAtTime', 'setValueCurveAtTime', 'cancelScheduledValues', 'cancelAndHoldAtTime']) {
    const original = AudioParam.prototype[method];
    if (!original) continue;
    AudioParam.prototype[method] = function (...args) {
      if (!schedules.has(this)) schedules.set(this, []);
      schedules.get(this).push({method, value: args[0], time: args[1]});
      return original.apply(this, args);
    };
  }

  // Every way from a node to the speakers, with the gains on it.
  function routes(node, gains, seen) {
    if (node instanceof AudioDestinationNode) return [{gains, to: 'destination'}];
    const next = outputs.get(node);
    if (!next || next.size === 0) return [{gains, to: node.constructor.name}];
    const found = [];
    for (const target of next) {
      if (!(target instanceof AudioNode) || seen.has(target)) continue;
      let step = gains;
      if (target instanceof GainNode) {
        step = [...gains, {value: target.gain.value, scheduled: schedules.get(target.gain) || []}];
      } else if (!(target instanceof AudioDestinationNode)) {
        step = [...gains, {node: target.constructor.name}];
      }
      found.push(...routes(target, step, new Set([...seen, target])));
    }
    return found;
  }

  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (when, offset, duration) {
    const context = this.context;
    const buffer = this.buffer;
    const play = {
      at: now(), file: buffer ? fileOf.get(buffer) || null : null,
      length: buffer ? buffer.length : null, rate: buffer ? buffer.sampleRate : null,
      channels: buffer ? buffer.numberOfChannels : null, duration: buffer ? buffer.duration : null,
      contextRate: context.sampleRate, contextState: context.state,
      contextIndex: probe.contexts.length,
      when: when === undefined ? 0 : when, offset: offset === undefined ? 0 : offset,
      playFor: duration === undefined ? null : duration,
      loop: this.loop, playbackRate: this.playbackRate.value, detune: this.detune ? this.detune.value : 0,
      routes: routes(this, [], new Set()),
      startedAt: context.currentTime, stoppedAt: null, stoppedAtMs: null, endedAt: null, endedAtMs: null,
    };
    probe.plays.push(play);
    this.addEventListener('ended', () => {
      play.endedAt = context.currentTime;
      play.endedAtMs = now();
    });
    this.soruberiaPlay = play;
    return start.call(this, when, offset, duration);
  };
  const stop = AudioScheduledSourceNode.prototype.stop;
  AudioScheduledSourceNode.prototype.stop = function (...args) {
    const play = this.soruberiaPlay;
    if (play && play.stoppedAt === null && play.endedAt === null) {
      play.stoppedAt = this.context.currentTime;
      play.stoppedAtMs = now();
    }
    return stop.apply(this, args);
  };
}

module.exports = {installProbe};

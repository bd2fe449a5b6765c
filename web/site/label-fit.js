// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game window's question label (Label1) as the pages draw it: its font
// in the device's own Japanese faces, its box, and how a question that does
// not fit its lines is shrunk. The game page draws the question with it, and
// the check page measures every question with it (soruberiaMeasureQuestion,
// which the checker's module calls), so both see the same label.
// A plain script: window.soruberiaLabelFit and window.soruberiaMeasureQuestion.
(function (global) {
  'use strict';

  // The faces the forms ask for are on neither Chromebooks nor iPads: each
  // stands for the device's own Japanese faces of its kind, nearest first.
  // forms.js draws every form's text with these.
  const FAMILIES = {
    'ＭＳ 明朝': ['MS Mincho', 'ＭＳ 明朝', 'IPAMincho', 'Hiragino Mincho ProN', 'Noto Serif CJK JP',
      'Noto Serif JP', 'Yu Mincho', 'YuMincho', 'serif'],
    'ＭＳ Ｐ明朝': ['MS PMincho', 'ＭＳ Ｐ明朝', 'IPAPMincho', 'Hiragino Mincho ProN', 'Noto Serif CJK JP',
      'Noto Serif JP', 'Yu Mincho', 'YuMincho', 'serif'],
    'ＭＳ Ｐゴシック': ['MS PGothic', 'ＭＳ Ｐゴシック', 'IPAPGothic', 'Hiragino Kaku Gothic ProN',
      'Hiragino Sans', 'Noto Sans CJK JP', 'Noto Sans JP', 'Yu Gothic', 'Meiryo', 'sans-serif'],
  };
  const GENERIC = new Set(['serif', 'sans-serif', 'monospace']);

  // Lines stand 1.2 times the font's size apart, so the label's box (49 px
  // for a 20 px font) holds two lines at every size it is drawn at.
  const LINE_HEIGHT = 1.2;
  // A text that overflows is drawn smaller, step by step, down to this.
  const SMALLEST = 0.8;
  const STEP = 0.05;

  function families(face) {
    return FAMILIES[face] || [face, 'serif'];
  }

  // The CSS font-family of a face the layout names ("ＭＳ Ｐ明朝").
  function fontFamily(face) {
    return families(face).map((family) => (GENERIC.has(family) ? family : '"' + family + '"')).join(', ');
  }

  // Styles an element as forms.js and page.css style a label of the layout
  // (a widget of the layout tables: width, height, font {face, px, bold};
  // left, top, text and ground where given). Its text goes in as
  // textContent.
  function styleLabel(element, widget) {
    const style = element.style;
    style.position = 'absolute';
    if (widget.left !== undefined) style.left = widget.left + 'px';
    if (widget.top !== undefined) style.top = widget.top + 'px';
    style.boxSizing = 'border-box';
    style.margin = '0';
    style.padding = '0';
    style.border = '0';
    style.width = widget.width + 'px';
    style.height = widget.height + 'px';
    style.fontFamily = fontFamily(widget.font.face);
    style.fontWeight = widget.font.bold ? 'bold' : 'normal';
    style.fontStyle = 'normal';
    style.fontSize = widget.font.px + 'px';
    style.letterSpacing = 'normal';
    style.textAlign = widget.align === 'centre' ? 'center' : 'left';
    // The text starts at the top, keeps its line ends, wraps at the width
    // (Japanese rules for line starts; a word longer than the line breaks)
    // and is cut below.
    style.overflow = 'hidden';
    style.whiteSpace = 'pre-wrap';
    style.overflowWrap = 'anywhere';
    style.lineBreak = 'strict';
    style.lineHeight = String(LINE_HEIGHT);
    if (widget.text) style.color = widget.text;
    if (widget.ground) style.backgroundColor = widget.ground;
    element.dataset.px = String(widget.font.px);
  }

  // Draws a label's text at the label's own size or, if it overflows the
  // box, smaller, down to 80 %; leaves the element at that size. Returns
  // {fits, scale}: whether the text fits at `scale` (1, 0.95, … 0.8). Call
  // it whenever the text changes. The label's own size is its font size
  // when first fitted (or styleLabel's). A label not laid out (display:
  // none) cannot be measured: it is left at its own size as fitting, and
  // is fitted again once it is shown.
  function fitLabel(element) {
    if (!element.dataset.px) element.dataset.px = String(parseFloat(getComputedStyle(element).fontSize));
    const px = Number(element.dataset.px);
    if (element.getClientRects().length === 0) {
      element.style.fontSize = px + 'px';
      fitWhenShown(element);
      return {fits: true, scale: 1};
    }
    for (let step = 0; ; ++step) {
      const scale = Math.round((1 - step * STEP) * 100) / 100;
      element.style.fontSize = px * scale + 'px';
      const fits = element.scrollHeight <= element.clientHeight;
      if (fits || scale <= SMALLEST) return {fits, scale};
    }
  }

  const waiting = new WeakSet();
  function fitWhenShown(element) {
    if (waiting.has(element) || !global.ResizeObserver) return;
    waiting.add(element);
    const observer = new ResizeObserver(() => {
      if (element.getClientRects().length === 0) return;
      observer.disconnect();
      waiting.delete(element);
      fitLabel(element);
    });
    observer.observe(element);
  }

  // Where the text of a fitted label breaks: {lines, neededHeight, height,
  // shownLines, shownLength}, shownLength counting the UTF-16 units of the
  // text on the lines that show whole.
  function measureLabel(element) {
    const lineHeight = parseFloat(element.style.fontSize) * LINE_HEIGHT;
    const height = element.clientHeight;
    const neededHeight = element.scrollHeight;
    const shownLines = Math.floor((height + 0.5) / lineHeight);
    const text = element.textContent;
    const node = element.firstChild;
    let shownLength = text.length;
    // Where all of it shows, no character needs finding.
    if (node && neededHeight > height) {
      // Line of each character by the middle of its box; the box scaled
      // back if the page is zoomed by a transform.
      const box = element.getBoundingClientRect();
      const zoom = element.offsetHeight > 0 ? box.height / element.offsetHeight : 1;
      const range = document.createRange();
      for (let i = 0; i < text.length; ++i) {
        const size = text.codePointAt(i) > 0xFFFF ? 2 : 1;
        range.setStart(node, i);
        range.setEnd(node, i + size);
        const rect = range.getClientRects()[0];
        if (rect && rect.width > 0) {
          const middle = ((rect.top + rect.bottom) / 2 - box.top) / zoom;
          if (Math.floor(middle / lineHeight) >= shownLines) {
            shownLength = i;
            break;
          }
        }
        i += size - 1;
      }
    }
    const lines = Math.max(1, Math.round(neededHeight / lineHeight));
    return {lines, neededHeight, height, shownLines, shownLength};
  }

  // The first of a face's families that the device has, or "" when it has
  // none of them and the browser falls back to its own: the first family
  // whose text measures apart from that of a generic family behind it.
  const deviceFaces = new Map();
  const probes = new Map();
  // One step of finding it out, one canvas measure (some cost a few ms
  // the first time); true once it is known. A page may take the steps
  // one at a time while idle.
  function probeFace(font) {
    if (deviceFaces.has(font.face)) return true;
    let probe = probes.get(font.face);
    if (!probe) {
      probe = {context: document.createElement('canvas').getContext('2d'), generics: [], family: 0, generic: 0};
      probes.set(font.face, probe);
    }
    const sample = '永あア漢字かなカナAa1';
    const width = (family) => {
      probe.context.font = font.px + 'px ' + family;
      return probe.context.measureText(sample).width;
    };
    const generics = [...GENERIC];
    if (probe.generics.length < generics.length) {
      const generic = generics[probe.generics.length];
      probe.generics.push([generic, width(generic)]);
      return false;
    }
    const own = families(font.face).filter((family) => !GENERIC.has(family));
    let found = null;
    if (probe.family === own.length) {
      found = '';
    } else {
      const family = own[probe.family];
      const [generic, plain] = probe.generics[probe.generic];
      if (width('"' + family + '", ' + generic) !== plain) {
        found = family;
      } else if (++probe.generic === probe.generics.length) {
        probe.generic = 0;
        ++probe.family;
      }
    }
    if (found === null) return false;
    deviceFaces.set(font.face, found);
    probes.delete(font.face);
    return true;
  }

  function deviceFace(font) {
    while (!probeFace(font));
    return deviceFaces.get(font.face);
  }

  // A text laid into a hidden twin of a label (a widget as styleLabel
  // takes) and fitted as the pages fit the label: {fits, scale, lines,
  // neededHeight, height, shownLines, shownLength}, measured at the size
  // drawn. What was measured is kept: the editor measures each question
  // for its preview, and the checker's report asks again for the same
  // texts. It holds for as long as the fonts and the pixel ratio are the
  // same.
  let twin = null;
  let twinShape = '';
  const measured = new Map();
  const KEPT = 200;
  if (global.document && document.fonts && document.fonts.addEventListener) {
    document.fonts.ready.then(() => measured.clear());
    document.fonts.addEventListener('loadingdone', () => measured.clear());
  }
  function measureText(text, widget) {
    const font = widget.font;
    const shape = [widget.width, widget.height, font.face, font.px, font.bold ? 1 : 0,
      global.devicePixelRatio || 1].join(' ');
    const key = shape + '\n' + text;
    const known = measured.get(key);
    if (known) return Object.assign({}, known);
    if (!twin) {
      twin = document.createElement('div');
      twin.setAttribute('aria-hidden', 'true');
      document.body.appendChild(twin);
    }
    if (twinShape !== shape) {
      styleLabel(twin, {width: widget.width, height: widget.height, font, left: 0, top: 0});
      twin.style.visibility = 'hidden';
      twin.style.pointerEvents = 'none';
      twinShape = shape;
    }
    twin.textContent = text;
    const {fits, scale} = fitLabel(twin);
    const result = Object.assign({fits, scale}, measureLabel(twin));
    if (measured.size >= KEPT) measured.delete(measured.keys().next().value);
    measured.set(key, result);
    return Object.assign({}, result);
  }

  // For the checker: measureText, and face, the family the device draws
  // with ("" for none of the label's own).
  function measureQuestion(text, widget) {
    return Object.assign(measureText(text, widget), {face: deviceFace(widget.font)});
  }

  global.soruberiaLabelFit = {
    fontFamily, styleLabel, fitLabel, measureLabel, deviceFace, probeFace, measureText, measureQuestion,
  };
  global.soruberiaMeasureQuestion = measureQuestion;
})(this);

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The page as a player and a screen reader meet it, read through its DOM:
// each open form a <section data-form>, each widget an element with
// data-widget inside it, hidden ones with the hidden attribute, a content
// picture named by data-picture; a fatal message in [data-message], the
// end in [data-closed]. readPage runs inside the page (any browser); the
// rest reads its result.
'use strict';

// Runs in the page: plain data only.
function readPage() {
  const box = (element) => {
    const r = element.getBoundingClientRect();
    return {left: r.left, top: r.top, width: r.width, height: r.height};
  };
  // What a click at the middle of the element would reach.
  const onTop = (element) => {
    const r = element.getBoundingClientRect();
    if (r.width === 0 || r.height === 0) return null;
    const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
    if (!hit) return null;
    const widget = hit.closest('[data-widget]');
    const form = hit.closest('[data-form]');
    return {form: form ? form.dataset.form : null, widget: widget ? widget.dataset.widget : null};
  };
  const forms = {};
  const sections = [...document.querySelectorAll('[data-form]')];
  for (const section of sections) {
    const widgets = {};
    for (const element of section.querySelectorAll('[data-widget]')) {
      widgets[element.dataset.widget] = {
        tag: element.tagName.toLowerCase(),
        role: element.getAttribute('role'),
        hidden: element.hidden,
        text: element.textContent,
        elements: element.querySelectorAll('*').length,
        picture: element.getAttribute('data-picture') || '',
        label: element.getAttribute('aria-label'),
        description: element.getAttribute('aria-description'),
        box: box(element),
        onTop: element.tagName === 'BUTTON' && !element.hidden ? onTop(element) : null,
      };
    }
    forms[section.dataset.form] = {
      tag: section.tagName.toLowerCase(),
      hidden: section.hidden,
      count: sections.filter((s) => s.dataset.form === section.dataset.form).length,
      box: box(section),
      widgets,
    };
  }
  // Both are in the page from the start, hidden until needed.
  const message = document.querySelector('[data-message]:not([hidden])');
  const active = document.activeElement;
  return {
    forms,
    message: message ? {text: message.textContent, role: message.getAttribute('role')} : null,
    closed: document.querySelector('[data-closed]:not([hidden])') !== null,
    picker: document.querySelector('input[type=file][data-bank-picker]') !== null,
    focus: active && active.closest && active.closest('[data-widget]') ? {
      form: active.closest('[data-form]') ? active.closest('[data-form]').dataset.form : null,
      widget: active.closest('[data-widget]').dataset.widget,
    } : null,
  };
}

function widgetOf(page, form, widget) {
  const f = page.forms[form];
  return f ? f.widgets[widget] || null : null;
}

// Shown: the form is open and not hidden, and so is the widget.
function shown(page, form, widget) {
  const f = page.forms[form];
  if (!f || f.hidden) return false;
  if (widget === undefined) return true;
  const w = f.widgets[widget];
  return Boolean(w) && !w.hidden;
}

function text(page, form, widget) {
  const w = widgetOf(page, form, widget);
  return w ? w.text : null;
}

function picture(page, form, widget) {
  const w = widgetOf(page, form, widget);
  return w ? w.picture : null;
}

const kGame = 'GameForm';
const kMenu = 'メニュー';
const kHint = 'ヒント';
const ion = (i) => `Command1_${i}`;
const kPlainIon = (i) => `図/ion(${i}).gif`;
const kFoundIon = (i) => `図/ion'(${i}).gif`;
const kRightMark = '図/maru.gif';
const kWrongMark = '図/batu.gif';

// A short account of the page for failure messages.
function summary(page) {
  const forms = Object.entries(page.forms).map(([name, f]) => {
    const visible = Object.entries(f.widgets).filter(([, w]) => !w.hidden)
      .map(([w, v]) => (v.text ? `${w}「${v.text.slice(0, 20)}」` : w) + (v.picture ? `[${v.picture}]` : ''));
    return `${name}${f.hidden ? ' (hidden)' : ''}: ${visible.join(' ')}`;
  });
  if (page.message) forms.push(`message: ${page.message.text}`);
  if (page.closed) forms.push('closed');
  return forms.join(' | ') || 'no form';
}

module.exports = {readPage, widgetOf, shown, text, picture, summary,
  kGame, kMenu, kHint, ion, kPlainIon, kFoundIon, kRightMark, kWrongMark};

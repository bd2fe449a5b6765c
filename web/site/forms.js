// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The program's windows in the page: each form of the layout tables is a
// <section data-form> of its client size, every widget an element with
// data-widget, scaled as one to fit the page. The core's operations change
// them; this file decides nothing about the game.
(function (global) {
  'use strict';

  function fontOf(font) {
    if (!font || !font.face) return null;
    return {
      family: global.soruberiaLabelFit.fontFamily(font.face),
      size: font.px + 'px',
      weight: font.bold ? 'bold' : 'normal',
    };
  }

  function applyFont(element, font) {
    const css = fontOf(font);
    if (!css) return;
    element.style.fontFamily = css.family;
    element.style.fontSize = css.size;
    element.style.fontWeight = css.weight;
  }

  function place(element, widget) {
    element.style.left = widget.left + 'px';
    element.style.top = widget.top + 'px';
    element.style.width = widget.width + 'px';
    element.style.height = widget.height + 'px';
  }

  // A built-in picture, at twice the pixels where the screen shows them;
  // either way it takes the size of its one-times picture.
  function builtIn(img, name, sharp) {
    if (!name) return;
    img.dataset.builtin = name;
    if (sharp) {
      img.removeAttribute('src');
      img.srcset = 'pictures/' + name + '@2x.png 2x';
    } else {
      img.removeAttribute('srcset');
      img.src = 'pictures/' + name + '.png';
    }
  }

  class Forms {
    // layout: the core's forms (LayoutJson); desk: where they lie; events:
    // {pressed(form, widget), ticked(form, timer), focused(form, widget)};
    // pictureUrl(path): the URL of a content picture's bytes.
    constructor(layout, desk, events, pictureUrl) {
      this.layout = new Map(layout.map((form) => [form.name, form]));
      this.desk = desk;
      this.events = events;
      this.pictureUrl = pictureUrl;
      this.open = new Map();  // form name -> {section, widgets, timers, focus}
      this.top = 0;
      this.sharp = false;
      global.addEventListener('resize', () => this.fit());
    }

    create(name) {
      const form = this.layout.get(name);
      const section = document.createElement('section');
      section.dataset.form = name;
      section.setAttribute('aria-label', form.caption);
      section.hidden = true;
      section.style.width = form.width + 'px';
      section.style.height = form.height + 'px';
      if (form.colour) section.style.backgroundColor = form.colour;
      applyFont(section, form.font);
      const state = {section, form, widgets: new Map(), timers: new Map(), focus: null};
      if (form.background) {
        const ground = document.createElement('img');
        ground.className = 'ground';
        ground.alt = '';
        ground.style.left = '0';
        ground.style.top = '0';
        builtIn(ground, form.background, this.sharp);
        section.append(ground);
      }
      const stops = [];
      for (const widget of form.widgets) {
        if (widget.kind === 'timer') continue;
        const element = this.widget(name, widget);
        section.append(element);
        state.widgets.set(widget.name, element);
        if (widget.tabIndex >= 0) stops.push([widget.tabIndex, element]);
      }
      // The tab order of the layout, as the document's order of the stops.
      stops.sort((a, b) => a[0] - b[0]);
      for (const [, element] of stops) section.append(element);
      // A press on a window beneath brings it forward first, as a click
      // on a window does on the desktop; the press itself still counts.
      section.addEventListener('pointerdown', () => {
        if (section.style.zIndex !== String(this.top)) this.activate(state);
      }, {capture: true});
      section.addEventListener('focusin', (event) => {
        const widget = event.target.closest('[data-widget]');
        if (widget) {
          state.focus = widget.dataset.widget;
          this.events.focused(name, state.focus);
        }
      });
      this.open.set(name, state);
      this.desk.append(section);
      this.fitOne(state);
    }

    widget(formName, widget) {
      let element;
      if (widget.kind === 'label') {
        element = document.createElement('div');
        element.className = 'label' + (widget.align === 'centre' ? ' centre' : '');
        element.style.color = widget.text;
        element.style.backgroundColor = widget.ground;
        applyFont(element, widget.font);
        if (widget.announced) element.setAttribute('aria-live', 'polite');
      } else if (widget.kind === 'picture') {
        element = document.createElement('div');
        element.className = 'picture' + (widget.stretch ? ' stretch' : '');
        element.setAttribute('role', 'img');
        const img = document.createElement('img');
        img.alt = '';
        builtIn(img, widget.picture, this.sharp);
        element.append(img);
      } else {
        element = document.createElement('button');
        element.type = 'button';
        element.className = 'press';
        const img = document.createElement('img');
        img.alt = '';
        builtIn(img, widget.picture, this.sharp);
        element.append(img);
        element.addEventListener('click', () => this.events.pressed(formName, widget.name));
        // Space presses, as on the desktop; Enter does not.
        element.addEventListener('keydown', (event) => {
          if (event.key === 'Enter') event.preventDefault();
        });
      }
      element.dataset.widget = widget.name;
      if (widget.tabIndex < 0 && widget.kind === 'button') element.tabIndex = -1;
      place(element, widget);
      if (widget.kind === 'picture' && !widget.stretch) {
        element.style.width = '';
        element.style.height = '';
      }
      this.describe(element, widget.accessibleName, widget.accessibleDescription);
      element.hidden = !widget.visible;
      return element;
    }

    describe(element, name, description) {
      if (element.getAttribute('role') === 'img' || element.tagName === 'BUTTON') {
        if (name) element.setAttribute('aria-label', name);
        else element.removeAttribute('aria-label');
      }
      if (description) element.setAttribute('aria-description', description);
      else element.removeAttribute('aria-description');
    }

    element(form, widget) {
      const state = this.open.get(form);
      return state ? state.widgets.get(widget) : undefined;
    }

    // The window on top takes the keyboard focus where its form left it.
    activate(state) {
      state.section.style.zIndex = String(++this.top);
      const target = (state.focus && state.widgets.get(state.focus)) ||
        state.section.querySelector('button:not([hidden]):not([tabindex="-1"])');
      if (target && !target.hidden) target.focus({preventScroll: true});
    }

    show(name) {
      const state = this.open.get(name);
      state.section.hidden = false;
      this.fitOne(state);
      this.activate(state);
    }

    raise(name) { this.activate(this.open.get(name)); }

    hide(name) { this.open.get(name).section.hidden = true; }

    destroy(name) {
      const state = this.open.get(name);
      if (!state) return;
      for (const id of state.timers.values()) clearInterval(id);
      state.section.remove();
      this.open.delete(name);
    }

    destroyAll() {
      for (const name of [...this.open.keys()]) this.destroy(name);
    }

    text(form, widget, text) {
      const element = this.element(form, widget);
      if (!element) return;
      element.textContent = text;
      if (global.soruberiaLabelFit && element.classList.contains('label')) {
        global.soruberiaLabelFit.fitLabel(element);
      }
    }

    picture(form, widget, path) {
      const element = this.element(form, widget);
      if (!element) return;
      const img = element.querySelector('img');
      delete img.dataset.builtin;
      img.removeAttribute('srcset');
      if (path) {
        img.src = this.pictureUrl(path);
        element.dataset.picture = path;
      } else {
        img.removeAttribute('src');
        element.dataset.picture = '';
      }
    }

    visible(form, widget, shown) {
      const element = this.element(form, widget);
      if (element) element.hidden = !shown;
    }

    left(form, widget, px) {
      const element = this.element(form, widget);
      if (element) element.style.left = px + 'px';
    }

    timer(form, timer, ms) {
      const state = this.open.get(form);
      if (!state) return;
      clearInterval(state.timers.get(timer));
      state.timers.delete(timer);
      if (ms > 0) {
        state.timers.set(timer, setInterval(() => this.events.ticked(form, timer), ms));
      }
    }

    focus(form, widget) {
      const state = this.open.get(form);
      if (!state) return;
      state.focus = widget;
      const element = state.widgets.get(widget);
      if (!state.section.hidden && String(this.top) === state.section.style.zIndex && element) {
        element.focus({preventScroll: true});
      }
    }

    accessible(form, widget, name, description) {
      const element = this.element(form, widget);
      if (element) this.describe(element, name, description);
    }

    // Every window as large as the page lets it be, its pictures at twice
    // the pixels once one layout pixel takes more than one of the screen's.
    fit() {
      for (const state of this.open.values()) this.fitOne(state);
    }

    fitOne(state) {
      const width = this.desk.clientWidth;
      const height = this.desk.clientHeight;
      const scale = Math.max(0.1, Math.min(width / state.form.width, height / state.form.height));
      state.section.style.transform =
        'scale(' + scale + ') translate(-50%, -50%)';
      const sharp = scale * (global.devicePixelRatio || 1) > 1.01;
      if (sharp !== state.sharp) {
        state.sharp = sharp;
        for (const img of state.section.querySelectorAll('img[data-builtin]')) {
          builtIn(img, img.dataset.builtin, sharp);
        }
      }
      this.sharp = sharp;
    }
  }

  global.SoruberiaForms = Forms;
})(this);

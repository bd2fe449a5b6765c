// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The characters of a text that the bank's files cannot hold, as the
// module flags them, listed under the text's field: each with why, the
// replacement it recommends, and a button that makes it.
// A plain script: window.soruberiaEditorFlags.
(function (global) {
  'use strict';

  // How a flagged character is shown: itself in brackets, or its code
  // point where it would show as nothing (a line break, a control, a space).
  function shown(character) {
    const visible = /^[^\s\p{C}]+$/u.test(character);
    const code = [...character].map((c) => 'U+' + c.codePointAt(0).toString(16).toUpperCase().padStart(4, '0'));
    return visible ? '「' + character + '」' : code.join(' ');
  }

  function position(flag) { return (flag.at + 1) + ' 文字目'; }

  // The text with one flag's replacement made.
  function replaced(text, flag) {
    return text.slice(0, flag.at) + flag.replacement + text.slice(flag.at + flag.length);
  }

  // Fills `list` (a <ul data-flags>) with `flags`; replace(index) is called
  // by the button of the flag at that index.
  function render(list, flags, replace) {
    const items = flags.map((flag, index) => {
      const item = document.createElement('li');
      const what = document.createElement('span');
      what.className = 'flag-what';
      what.textContent = shown(flag.character) + '（' + position(flag) + '）: ' + flag.why;
      item.append(what);
      if (flag.replacement === null) {
        const none = document.createElement('span');
        none.className = 'flag-none';
        none.textContent = 'おすすめの文字はありません。書き直してください。';
        item.append(' ', none);
      } else {
        const button = document.createElement('button');
        button.type = 'button';
        button.dataset.replace = String(index);
        button.textContent = flag.replacement === '' ? '取り除く' : '「' + flag.replacement + '」にする';
        button.setAttribute('aria-label', position(flag) + 'の' + shown(flag.character) + 'を' +
          (flag.replacement === '' ? '取り除く' : '「' + flag.replacement + '」に置き換える'));
        button.addEventListener('click', () => replace(index));
        item.append(' ', button);
      }
      return item;
    });
    list.replaceChildren(...items);
    list.hidden = flags.length === 0;
  }

  global.soruberiaEditorFlags = {render, replaced, shown};
})(this);

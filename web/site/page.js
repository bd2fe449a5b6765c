// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// ソルベリア in the page: fetches the content files beside the page (or a
// teacher's bank), starts the program in the wasm module, forwards every
// press, timer tick and focus change to it, and applies the operations it
// answers with. The page stores nothing: no cookies, no storage.
(function () {
  'use strict';

  const kPickedFolder = '選んだファイル';
  const kLinkFolder = 'リンクの問題';
  const kBankNames = ['mondai.txt', 'kotae.txt', 'setumei.txt'];

  const desk = document.getElementById('desk');
  const loading = document.getElementById('loading');
  const message = document.getElementById('message');
  const closed = document.getElementById('closed');
  const notice = document.getElementById('notice');
  const picker = document.querySelector('[data-bank-picker]');
  const bankName = document.getElementById('bank-name');
  const bar = document.getElementById('bar');
  const checkLink = document.getElementById('check-link');
  const editorLink = document.getElementById('editor-link');
  const page = new URL('.', document.baseURI);
  const basePath = decodeURIComponent(page.pathname).replace(/\/$/, '');
  const call = soruberiaBank.call;

  function say(text) {
    console.warn('ソルベリア: ' + text);
    notice.textContent = text;
  }


  // index.html?play=editor: the editor page plays its draft in this page,
  // in a frame. The page says it is ready (again whenever the editor asks)
  // and takes the bank's three files from the editor (the frame's parent,
  // this origin only), as if picked on the device; nothing of it is stored.
  const fromEditor = new URLSearchParams(location.search).get('play') === 'editor';
  const editorBank = fromEditor && window.parent !== window ? new Promise((resolve) => {
    const ready = () => window.parent.postMessage({soruberia: 'ready'}, location.origin);
    window.addEventListener('message', function handed(event) {
      if (event.source !== window.parent || event.origin !== location.origin) return;
      const bank = event.data || {};
      if (bank.soruberia === 'ping') {
        ready();
        return;
      }
      const files = ['mondai', 'kotae', 'setumei'].map((name) => bank[name]);
      if (!files.every((bytes) => bytes instanceof ArrayBuffer)) return;
      window.removeEventListener('message', handed);
      resolve(files);
    });
    ready();
  }) : null;

  async function run() {
    let core;
    try {
      core = await createSoruberia();
    } catch (error) {
      loading.textContent = 'このブラウザではソルベリアを動かせません（WebAssembly が使えません）。';
      return;
    }
    const contentFiles = core.UTF8ToString(core._soruberia_content_files()).split('\n');
    const layout = JSON.parse(core.UTF8ToString(core._soruberia_layout()));
    const pictures = new Map();  // path -> object URL of its bytes
    const sound = new SoruberiaSound(say);
    let bank = {kind: 'page', folder: '問題'};
    let running = false;

    // index.html#b=…: a bank carried in the link itself, read in memory.
    // It comes before any ?bank=; another link in the same tab starts anew.
    const linked = !fromEditor && soruberiaBankLink.isLink(location.hash);
    window.addEventListener('hashchange', () => location.reload());
    if (linked) {
      const opened = await soruberiaBankLink.openLink(core, location.hash, kLinkFolder);
      if (opened.fault) {
        show(message, opened.message);
        loading.remove();
        return;
      }
      bank = {kind: 'link', folder: kLinkFolder};
      checkLink.href = 'check.html' + location.hash;
      editorLink.href = 'editor.html' + location.hash;
    }
    const requested = fromEditor || linked ? null : soruberiaBank.bankFolder(core, location.search);
    if (requested === undefined) {
      show(message, '?bank= には、このページと同じ場所にあるフォルダの名前を書いてください。');
      loading.remove();
      return;
    }
    if (requested) {
      bank = {kind: 'server', folder: requested};
      checkLink.href = 'check.html?bank=' + encodeURIComponent(requested);
      editorLink.href = 'editor.html?bank=' + encodeURIComponent(requested);
    }
    if (fromEditor) {
      bar.remove();
      if (!editorBank) {
        show(message, 'この画面は「問題を作る」ページの「試しに遊ぶ」から開きます。');
        loading.remove();
        return;
      }
      const files = await editorBank;
      kBankNames.forEach((name, index) => putFile(kPickedFolder + '/' + name, new Uint8Array(files[index])));
      bank = {kind: 'picked', folder: kPickedFolder};
    }

    // The content files of one load, fetched anew, each handed to the
    // module (and the pictures and sounds to the page's own decoders). The
    // bank's files come from the bank's folder; picked ones stay as picked.
    async function fetchFiles(paths) {
      await Promise.all(paths.map(async (path) => {
        const inBank = path.startsWith('問題/');
        if (inBank && (bank.kind === 'picked' || bank.kind === 'link')) return;
        const located = inBank ? bank.folder + path.slice('問題'.length) : path;
        const bytes = await soruberiaBank.fetchBytes(located, page, soruberiaBank.fileLimit(core, located));
        const read = bytes && bytes !== soruberiaBank.TOO_LARGE;
        try {
          if (bytes) putFile(located, bytes);
          else call(core, 'drop_files', located);
        } catch (error) {
          failed(error);
          return;
        }
        if (path.startsWith('音/')) {
          // Only what the check page says plays reaches the decoder.
          sound.put(path, read ? bytes.buffer : null, bytes ? call(core, 'sound_fault', located) : '');
        } else if (path.startsWith('図/')) {
          if (pictures.has(path)) URL.revokeObjectURL(pictures.get(path));
          pictures.delete(path);
          if (read) pictures.set(path, URL.createObjectURL(new Blob([bytes])));
        }
      }));
    }

    // While the first files are on their way, events wait for them, in
    // order: the core reads them at the event that loads the game. Later
    // the files are fetched anew after every load, for the next one, while
    // the game goes on with the bytes it has.
    let arriving = null;
    let queue = Promise.resolve();
    function fetchBeforeEvents(fetching) {
      const fetched = fetching.then(() => {
        if (arriving === fetched) arriving = null;
      });
      arriving = fetched;
    }
    function forward(event) {
      if (!arriving) {
        apply(event());
      } else {
        const waited = arriving;
        queue = queue.then(() => waited).then(() => apply(event()));
      }
    }

    // The pictures of the forms open now, decoded (or failed).
    function formPicturesShown() {
      return Promise.all([...desk.querySelectorAll('section[data-form] img')].map(
        (img) => (img.complete ? Promise.resolve() : img.decode().catch(() => {}))));
    }

    function putFile(path, bytes) { soruberiaBank.putFile(core, path, bytes); }

    const forms = new SoruberiaForms(layout, desk, {
      pressed: (form, widget) => forward(() => call(core, 'pressed', form, widget)),
      ticked: (form, timer) => forward(() => call(core, 'ticked', form, timer)),
      focused: (form, widget) => call(core, 'focused', form, widget),
    }, (path) => pictures.get(path) || '');

    function stopAll() {
      running = false;
      forms.destroyAll();
      sound.stop();
      bar.hidden = false;
    }

    function apply(json) {
      if (!json) return;
      let reloaded = false;
      for (const op of JSON.parse(json)) {
        switch (op.op) {
          case 'create':
            forms.create(op.form);
            if (op.form === 'GameForm') reloaded = true;
            break;
          case 'show': forms.show(op.form); break;
          case 'raise': forms.raise(op.form); break;
          case 'hide': forms.hide(op.form); break;
          case 'destroy': forms.destroy(op.form); break;
          case 'text': forms.text(op.form, op.widget, op.text); break;
          case 'picture': forms.picture(op.form, op.widget, op.path); break;
          case 'visible': forms.visible(op.form, op.widget, op.visible); break;
          case 'left': forms.left(op.form, op.widget, op.px); break;
          case 'timer': forms.timer(op.form, op.widget, op.ms); break;
          case 'focus': forms.focus(op.form, op.widget); break;
          case 'accessible': forms.accessible(op.form, op.widget, op.name, op.description); break;
          case 'play': sound.play(op.path); break;
          case 'stop': sound.stop(); break;
          case 'end':
            stopAll();
            show(closed);
            break;
          case 'fatal':
            stopAll();
            show(message, op.message);
            if (op.check) message.append(document.createElement('br'), checkLink.cloneNode(true));
            break;
        }
      }
      // Only the menu may change the bank: a game is not cut short by it.
      bar.hidden = !forms.open.has('メニュー') && running;
      // The next load reads the files anew, as the desktop programs read
      // them from disk at every load.
      if (reloaded) fetchFiles(contentFiles);
    }

    function show(element, text) {
      for (const other of [message, closed]) other.hidden = other !== element;
      if (text !== undefined) element.textContent = text;
    }

    // A failure of the page's own (the module out of memory): said in
    // place of the game, which another bank can start again.
    function failed(error) {
      stopAll();
      loading.remove();
      show(message, error.message);
    }

    // The start of the bank's explanation line, as the bar names a link's
    // bank by it.
    function explanationStart() {
      const line = (soruberiaBank.bankReport(core, basePath).explanation || {}).line || '';
      return line.length > 24 ? line.slice(0, 24) + '…' : line;
    }

    async function start() {
      try {
        await started();
      } catch (error) {
        failed(error);
      }
    }

    async function started() {
      stopAll();
      show(null);
      call(core, 'set_bank_folder', bank.folder);
      // The menu needs only the explanation; the rest comes while its
      // title builds up.
      const explanation = contentFiles.filter((path) => path.endsWith('/setumei.txt'));
      await fetchFiles(explanation);
      bankName.textContent = bank.kind === 'page' ? '' :
        bank.kind === 'link' ? 'リンクの問題: ' + explanationStart() : '問題: ' + bank.folder;
      loading.remove();
      running = true;
      const others = contentFiles.filter((path) => !explanation.includes(path));
      apply(call(core, 'start', basePath));
      // The menu's own pictures first, then the game's files.
      fetchBeforeEvents(formPicturesShown().then(() => fetchFiles(others)));
    }

    picker.addEventListener('change', async () => {
      const chosen = [...picker.files];
      picker.value = '';
      if (chosen.length === 0) return;
      const unknown = chosen.filter((file) => !kBankNames.includes(file.name.toLowerCase()));
      if (unknown.length > 0) {
        say(kBankNames.join('、') + ' を選んでください（' +
            unknown.map((file) => file.name).join('、') + ' は使いません）');
      }
      try {
        call(core, 'drop_files', kPickedFolder);
        for (const file of chosen) {
          const name = file.name.toLowerCase();
          if (!kBankNames.includes(name)) continue;
          const path = kPickedFolder + '/' + name;
          // Measured first: a file larger than the readers take is never
          // copied, and they refuse it as too large.
          putFile(path, await soruberiaBank.pickedBytes(file, soruberiaBank.fileLimit(core, path)));
        }
      } catch (error) {
        failed(error);
        return;
      }
      bank = {kind: 'picked', folder: kPickedFolder};
      await start();
    });

    document.getElementById('again').addEventListener('click', () => start());

    await start();
  }

  run().catch((error) => {
    loading.remove();
    message.hidden = false;
    message.textContent = error.message;
  });
})();

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The bank editor (editor.html) in Chromium, as a teacher uses it, in one
// browser: the bank beside the page saved unchanged is the game's own byte
// for byte, and the hint table gives the questions it recognises their
// keys; a bank made from nothing with the keyboard and the ion buttons,
// saved as three files and as a zip, opens again from them, passes
// soruberia-check and is played by the Qt program; Japanese composed by an
// input method arrives once; a character Shift-JIS lacks is flagged and
// keeps the bank from being saved until replaced; 試しに遊ぶ plays the
// draft in the game page; a pasted NUL and a typed lone surrogate are
// flagged, not lost, and a pasted megabyte is cut at the field's length.
//   node chromium-editor.test.js <built site> <soruberia-bank-report>
//        <soruberia-check> <soruberia_e2e_tests> <data folder>
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const {testArguments, inBrowser} = require('./harness/session');
const {desktopReading} = require('./harness/layout');
const {until, sleep} = require('./harness/wait');
const {startGame} = require('./harness/play');
const {selector} = require('./harness/puppeteer-driver');
const {readPage, shown, text, picture, kGame, kMenu, ion, kRightMark} = require('./harness/view');
const {kBankFiles, field, ionButton, readEditor, untilEditor, settled, openEditor, save, saveFiles, lines,
  shiftJis} = require('./harness/editor');
const {gameFolder, unzipped, checkerPasses, desktopGamePlays} = require('./harness/desktop');
const {writeBank} = require('./harness/banks');

const {site: builtSite, bankReport} = testArguments();
const [checker, e2eTests, data] = process.argv.slice(4);
if (!data || !fs.existsSync(path.join(data, '問題'))) {
  throw new Error('usage: node chromium-editor.test.js <site> <soruberia-bank-report> <soruberia-check> ' +
    '<soruberia_e2e_tests> <data folder>');
}

// A bank as a teacher might type it: some questions the hint table answers
// (with its answer as their key), the rest practice questions of their own.
const kTyped = Array.from({length: 26}, (_, index) => {
  const n = index + 1;
  const asked = {
    1: {text: '希塩酸を加えると白色沈殿を生じるイオンは？', ions: [1, 10]},
    2: {text: '希硫酸を加えると白色沈殿を生じるイオンは？', ions: [3, 4, 10]},
  }[n];
  if (asked) return asked;
  const ions = [...new Set([n % 12 + 1, (n * 5) % 12 + 1, (n * 7 + 3) % 12 + 1])].sort((a, b) => a - b);
  return {text: `練習問題 ${n}：答えのイオンを${ions.length}個選びなさい`, ions};
});
const kExplanation = '自作の問題です。当てはまるイオンをすべて選びましょう。';

const bytesOf = (folder, name) => fs.readFileSync(path.join(folder, name));

// The game page in the play dialog's frame, driven as harness/play.js
// drives a page.
// Whether the editor's dialog `id` is open: #discard-edits asks before
// unsaved edits are thrown away, #save-errors before a bank with the
// checker's errors is saved.
const isOpen = (driver, id) => driver.evaluate((dialog) => document.getElementById(dialog).open, id);
const asking = (driver) => isOpen(driver, 'discard-edits');

async function untilOpen(driver, id, what) {
  const end = Date.now() + 15000;
  while (!await isOpen(driver, id)) {
    if (Date.now() > end) assert.fail(`${what}: not asked within 15 s`);
    await sleep(40);
  }
}
const untilAsked = (driver, what) => untilOpen(driver, 'discard-edits', what);

async function playFrame(driver) {
  const handle = await driver.page.$('#play-frame');
  const frame = await handle.contentFrame();
  await handle.dispose();
  return {
    read: () => frame.evaluate(readPage),
    async press(form, widget) {
      const element = await frame.$(selector(form, widget));
      if (!element) throw new Error(`no ${widget} in ${form} in the play frame`);
      await element.click();
      await element.dispose();
    },
  };
}

test('the bank editor in Chromium', async (t) => {
  await inBrowser('chromium', builtSite, {probe: false}, async ({site, driver}) => {
    const defaults = desktopReading(bankReport, data);
    // Each ion's name, as its buttons are named.
    const names = {};

    await t.test('questions too long for the panel in rows far below the view, never scrolled to: the report ' +
      'finds them, and each row\'s preview is fitted and its note written as the checker measured', async () => {
      // Cut off even at the smallest size, and shrunk to fit (as in
      // check-page-chromium.py); the rest short.
      const long = '過剰のアンモニア水を加えると一度生じた沈殿が溶けて深青色の溶液になるイオンはどれとどれか';
      const shrunk = '過剰のアンモニア水を加えると一度生じた沈殿が溶けて深い青色の溶液に';
      const bank = {
        texts: Array.from({length: 26}, (_, i) => ({23: shrunk, 24: long}[i + 1] || `短い問題 ${i + 1}`)),
        key: Array.from({length: 26}, (_, i) => [i % 12 + 1]),
        explanation: '長さを調べる問題です。',
      };
      writeBank(site, '長い問題', bank);
      await driver.open(`${site.url}editor.html?bank=${encodeURIComponent('長い問題')}`);
      const editor = await untilEditor(driver, settled, 'the long questions opened and checked');
      assert.deepEqual(editor.rows.map((r) => r.text), bank.texts);
      assert.deepEqual(editor.rows.map((r) => r.ions), bank.key);
      const finding = (line) => editor.findings.find((f) => f.includes(`mondai.txt ${line} 行目`)) || '';
      const cut = finding(24).match(/生徒には「(.+?)」が見えません/);
      assert.ok(cut, `question 24 not reported cut off: ${editor.findings.join('\n')}`);
      const percent = finding(23).match(/文字を (\d+) % に縮めて表示されます/);
      assert.ok(percent, `question 23 not reported shrunk: ${editor.findings.join('\n')}`);

      // What a screen reader reads with each field: the note its
      // aria-describedby names, and the preview's size beside it.
      const readRows = () => driver.evaluate(() => [23, 24].map((n) => {
        const section = document.querySelector(`[data-question="${n}"]`);
        const field = section.querySelector('textarea[data-text]');
        const notes = field.getAttribute('aria-describedby').split(' ').map((id) => document.getElementById(id));
        const fit = notes.find((note) => note && note.matches('[data-fit]'));
        const label = section.querySelector('[data-preview] > *');
        return {note: fit && !fit.hidden ? fit.textContent : '', size: label.style.fontSize,
          below: section.getBoundingClientRect().top / innerHeight, scrolled: scrollY};
      }));
      let rows = await readRows();
      for (const end = Date.now() + 10000; !rows.every((row) => row.note) && Date.now() < end;) {
        await sleep(40);
        rows = await readRows();
      }
      for (const row of rows) {
        assert.equal(row.scrolled, 0, 'the page was scrolled');
        assert.ok(row.below > 3, `a row ${row.below.toFixed(1)} views down is not far from the view`);
      }
      assert.equal(rows[0].note, `ゲームでは少し小さく（${percent[1]} %）表示されます。`);
      assert.equal(rows[0].size, `${20 * Number(percent[1]) / 100}px`);
      const start = rows[1].note.match(/^枠に収まりません（80 % に縮めても）。ゲームでは「(.+?)…?」から先が切れます。$/);
      assert.ok(start, rows[1].note);
      assert.ok(cut[1].startsWith(start[1]), `the preview cuts at 「${start[1]}」, the checker at 「${cut[1]}」`);
      assert.equal(rows[1].size, '16px');
    });

    await t.test('the bank beside the page: saved unchanged it is the game\'s byte for byte; ' +
      'the hint table answers each question it recognises with its key', async () => {
      let editor = await openEditor(driver, site);
      assert.deepEqual(editor.rows.map((r) => r.text), defaults.questions.texts);
      assert.deepEqual(editor.rows.map((r) => r.ions), defaults.answers.key.map((k) => [...k.ions].sort((a, b) => a - b)));
      assert.equal(editor.explanation, defaults.explanation.line);
      assert.deepEqual(editor.rows.filter((r) => r.warning || r.flags.length).map((r) => r.question), []);
      assert.deepEqual([editor.summary.errors, editor.summary.warnings], [0, 0], editor.findings.join('\n'));

      const saved = await saveFiles(driver);
      for (const name of kBankFiles) assert.ok(saved[name].equals(bytesOf(path.join(data, '問題'), name)), name);
      const zip = unzipped((await save(driver, '#save-zip', ['問題.zip']))['問題.zip']);
      assert.deepEqual(Object.keys(zip).sort(), kBankFiles.map((name) => `問題/${name}`).sort());
      for (const name of kBankFiles) assert.ok(zip[`問題/${name}`].equals(saved[name]), `問題.zip: ${name}`);

      // Each question focused in turn (from the last: the first is the
      // helper's already), the helper first set to a cell no default
      // question asks: where it moves, the text was recognised.
      Object.assign(names, Object.fromEntries(await driver.evaluate(() =>
        [...document.querySelectorAll('[data-question="1"] button[data-ion]')]
          .map((b) => [b.dataset.ion, b.getAttribute('aria-label')]))));
      const recognised = [];
      for (const question of [...defaults.questions.texts.keys()].reverse()) {
        const n = question + 1;
        await driver.evaluate(() => {
          const pick = (id, value) => {
            const list = document.getElementById(id);
            list.value = value === undefined ? list.options[list.options.length - 1].value : value;
            list.dispatchEvent(new Event('change'));
          };
          pick('reagent');
          pick('result', 'なし');
        });
        const sentinel = (await driver.evaluate(readEditor)).table;
        await driver.click(field(n));
        editor = await untilEditor(driver, (e) => e.table.target === `問題 ${n}`, `the helper set for question ${n}`);
        if (editor.table.reagent === sentinel.reagent && editor.table.result === sentinel.result) continue;
        recognised.unshift(n);
        const key = defaults.answers.key[question].ions;
        assert.equal(editor.table.ions, [...key].sort((a, b) => a - b).map((i) => names[i]).join('、'),
          `question ${n}「${defaults.questions.texts[question]}」: the table's answer is not its key`);
      }
      t.diagnostic(`the hint table recognised questions ${recognised.join(', ')}`);
      assert.ok(recognised.length >= 10, `only ${recognised.length} of the default questions recognised`);

      // A recognised question's ions taken away: the row warns; the
      // helper's button gives them back.
      const n = recognised[0];
      for (const i of editor.rows[n - 1].ions) await driver.click(ionButton(n, i));
      editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].ions.length === 0 && e.rows[n - 1].warning,
        `question ${n} without ions, warned`);
      await driver.click('#apply-table');
      editor = await untilEditor(driver, (e) => settled(e) && !e.rows[n - 1].warning &&
        e.rows[n - 1].ions.join() === [...defaults.answers.key[n - 1].ions].sort((a, b) => a - b).join(),
      `question ${n}'s key from the table`);
    });

    const draft = kTyped.map((q) => ({...q}));
    await t.test('a bank from nothing, typed and pressed, saved as files and as a zip: it opens again, ' +
      'soruberia-check passes it, the Qt program plays it', async (tt) => {
      // The table's key put back is an edit not saved: a new bank asks
      // first, and keeps the bank when told to stop.
      await driver.click('#new-bank');
      await untilAsked(driver, 'the question whether to throw the edits away');
      await driver.click('#discard-cancel');
      await untilEditor(driver, (e) => settled(e) && e.rows[0].text !== '', 'the bank kept');
      assert.equal(await asking(driver), false);
      await driver.click('#new-bank');
      await untilAsked(driver, 'the question asked again');
      await driver.click('#discard-confirm');
      let editor = await untilEditor(driver, (e) => settled(e) && e.rows.every((r) => r.text === '' && r.ions.length === 0) &&
        e.explanation === '', 'an empty bank');
      for (const [index, question] of kTyped.entries()) {
        await driver.type(field(index + 1), question.text);
        for (const i of question.ions) await driver.click(ionButton(index + 1, i));
      }
      await driver.type('#explanation', kExplanation);
      editor = await untilEditor(driver, (e) => settled(e) && e.explanation === kExplanation &&
        e.rows.every((r, i) => r.text === kTyped[i].text && r.preview === kTyped[i].text &&
          r.ions.join() === kTyped[i].ions.join()), 'the typed bank in every row and preview');
      assert.deepEqual(editor.rows.filter((r) => r.warning || r.flags.length).map((r) => r.question), []);
      assert.deepEqual([editor.summary.errors, editor.summary.warnings], [0, 0], editor.findings.join('\n'));

      const saved = await saveFiles(driver);
      const zip = unzipped((await save(driver, '#save-zip', ['問題.zip']))['問題.zip']);
      for (const name of kBankFiles) assert.ok(zip[`問題/${name}`] && zip[`問題/${name}`].equals(saved[name]), `問題.zip: ${name}`);

      const game = gameFolder(saved, data);
      try {
        const read = desktopReading(bankReport, game.folder);
        assert.deepEqual(read.questions.texts, kTyped.map((q) => q.text));
        assert.deepEqual(read.answers.key.map((k) => ({count: k.count, ions: [...k.ions].sort((a, b) => a - b)})),
          kTyped.map((q) => ({count: q.ions.length, ions: q.ions})));
        assert.equal(read.explanation.line, kExplanation);
        // Opened again from the device, the saved files give the same bank.
        await driver.type(field(1), '書きかけ');
        await driver.pick(kBankFiles.map((name) => path.join(game.bank, name)), '#open-files');
        await untilAsked(driver, 'the question whether to throw 書きかけ away');
        await driver.click('#discard-confirm');
        await untilEditor(driver, (e) => settled(e) && e.explanation === kExplanation &&
          e.rows.every((r, i) => r.text === kTyped[i].text && r.ions.join() === kTyped[i].ions.join()),
        'the saved files opened again');
        const missing = [checker, e2eTests].filter((program) => !fs.existsSync(program));
        if (missing.length) {
          tt.skip(`the desktop programs are not built (make build): ${missing.join(', ')}`);
          return;
        }
        checkerPasses(checker, game.folder);
        const question = await desktopGamePlays(e2eTests, game.bank, kTyped.map((q) => q.text),
          kTyped.map((q) => q.ions[0]));
        tt.diagnostic(`the Qt program showed 「${question}」 and scored a right press`);
      } finally {
        game.remove();
      }
    });

    await t.test('Japanese composed by an input method in the middle of a text arrives once', async () => {
      const n = 4;
      const before = draft[n - 1].text;
      const at = before.indexOf('：') + 1;
      const composed = before.slice(0, at) + '化学' + before.slice(at);
      await driver.click(field(n));
      await driver.evaluate((css, caret) => {
        window.soruberiaComposition = [];
        for (const type of ['compositionstart', 'compositionend']) {
          document.addEventListener(type, (event) => window.soruberiaComposition.push(
            {type, data: event.data, question: event.target.closest('[data-question]').dataset.question}), true);
        }
        const area = document.querySelector(css);
        area.focus();
        area.setSelectionRange(caret, caret);
      }, field(n), at);
      const cdp = await driver.page.createCDPSession();
      for (const reading of ['か', 'かが', 'かがく', '化学']) {
        await cdp.send('Input.imeSetComposition', {text: reading, selectionStart: reading.length, selectionEnd: reading.length});
      }
      await cdp.send('Input.insertText', {text: '化学'});
      await cdp.detach();
      // The preview is drawn from the module's answer: it holds what the
      // module was given.
      const editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].preview === composed,
        `「${composed}」 in question ${n}'s preview`);
      assert.equal(editor.rows[n - 1].text, composed);
      const events = await driver.evaluate(() => window.soruberiaComposition);
      assert.deepEqual(events, [{type: 'compositionstart', data: '', question: String(n)},
        {type: 'compositionend', data: '化学', question: String(n)}]);
      draft[n - 1].text = composed;
    });

    await t.test('Fe³⁺ is flagged with its replacement; saving is refused until it is replaced', async () => {
      const n = 3;
      const typed = 'Fe³⁺ と反応するイオンは？';
      const replaced = 'Fe3+ と反応するイオンは？';
      await driver.type(field(n), typed);
      let editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].text === typed &&
        e.rows[n - 1].flags.length === 2, `two flags on question ${n}`);
      assert.deepEqual(editor.rows[n - 1].flags.map((f) => f.replace), ['「3」にする', '「+」にする']);
      assert.ok(editor.rows[n - 1].flags[0].text.includes('³'), editor.rows[n - 1].flags[0].text);
      assert.ok(editor.summary.errors > 0, `the report does not count the flags: ${editor.summary.text}`);

      const offered = editor.downloads;
      await driver.click('#save-files');
      editor = await untilEditor(driver, (e) => e.problems, 'the save refused');
      assert.deepEqual(editor.downloads, offered, 'something was offered for saving');
      await driver.click('#replace-all');
      editor = await untilEditor(driver, (e) => settled(e) && !e.problems && e.rows[n - 1].text === replaced &&
        e.rows[n - 1].flags.length === 0, `「${replaced}」 without flags`);
      draft[n - 1].text = replaced;

      const saved = await saveFiles(driver);
      assert.deepEqual(lines(saved['mondai.txt']).slice(0, 26).map((line) => shiftJis.decode(line)),
        draft.map((q) => `"${q.text}"`));
    });

    await t.test('a question cut off in its panel is saved only when the teacher says so', async () => {
      const n = 4;
      const long = 'とても長い問題文で、二行には収まりません。'.repeat(3);
      await driver.type(field(n), long);
      let editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].text === long &&
        e.summary.errors > 0, `question ${n} reported cut off`);
      const offered = editor.downloads;
      await driver.click('#save-files');
      await untilOpen(driver, 'save-errors', 'the checker\'s errors shown before saving');
      const listed = await driver.evaluate(() => document.getElementById('save-error-list').textContent);
      assert.match(listed, new RegExp(`^mondai\\.txt ${n} 行目 `), listed);
      await driver.click('#fix-first');
      editor = await driver.evaluate(readEditor);
      assert.equal(await isOpen(driver, 'save-errors'), false);
      assert.deepEqual(editor.downloads, offered, 'something was offered for saving');

      const saving = saveFiles(driver);
      await untilOpen(driver, 'save-errors', 'the question asked again');
      await driver.click('#save-anyway');
      const saved = await saving;
      assert.equal(shiftJis.decode(lines(saved['mondai.txt'])[n - 1]), `"${long}"`);

      await driver.type(field(n), draft[n - 1].text);
      await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].text === draft[n - 1].text &&
        e.summary.errors === 0, `question ${n} as it was`);
    });

    await t.test('試しに遊ぶ plays the draft in the game page, judged by its key', async () => {
      await driver.click('#play');
      await untilEditor(driver, (e) => e.playing, 'the play dialog');
      const frame = await playFrame(driver);
      await until(frame, (p) => shown(p, kMenu, 'Command3'), 'the menu in the play frame', 30000);
      let page = await startGame(frame);
      const index = draft.findIndex((q) => q.text === text(page, kGame, 'Label1'));
      assert.ok(index >= 0, `「${text(page, kGame, 'Label1')}」 is no question of the draft`);
      const right = draft[index].ions[0];
      await frame.press(kGame, ion(right));
      page = await until(frame, (p) => picture(p, kGame, 'Image3') === kRightMark && text(p, kGame, 'Label4') === '100',
        `a right answer on ion ${right}, by the draft's key`);
      await driver.click('#close-play');
      await untilEditor(driver, (e) => !e.playing, 'the play dialog closed');
    });

    await t.test('a pasted NUL and a typed lone surrogate are flagged, not lost; a pasted megabyte is cut at ' +
      'the field\'s length with a note, and the field answers on', async (tt) => {
      await driver.browser.defaultBrowserContext().overridePermissions(new URL(site.url).origin,
        ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      // The whole field replaced from the clipboard with Ctrl+V.
      const paste = async (question, pasted) => {
        await driver.evaluate((css, clip) => {
          const area = document.querySelector(css);
          area.focus();
          area.select();
          return navigator.clipboard.writeText(clip);
        }, field(question), pasted);
        await driver.page.keyboard.down('Control');
        await driver.page.keyboard.press('KeyV');
        await driver.page.keyboard.up('Control');
      };
      const n = 5;
      await paste(n, 'before\0after');
      let editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].preview === 'before\0after',
        'the NUL and what follows it in the module');
      assert.deepEqual(editor.rows[n - 1].flags.map((f) => f.text.split(':')[0]), ['U+0000（7 文字目）']);
      // Inserted as a keyboard or an input method inserts it (the
      // clipboard would make it U+FFFD), in place of the NUL.
      await driver.evaluate((css) => {
        const area = document.querySelector(css);
        area.focus();
        area.setSelectionRange(6, 7);
        document.execCommand('insertText', false, '\uD800');
      }, field(n));
      editor = await untilEditor(driver, (e) => settled(e) && e.rows[n - 1].preview === 'before\uD800after',
        'the lone surrogate as it is in the module');
      assert.equal(editor.rows[n - 1].text, 'before\uD800after');
      assert.deepEqual(editor.rows[n - 1].flags.map((f) => [f.text.split(':')[0], f.replace]),
        [['U+D800（7 文字目）', '取り除く']]);
      const offered = editor.downloads;
      await driver.click('#save-files');
      editor = await untilEditor(driver, (e) => e.problems, 'the save refused');
      assert.match(await driver.evaluate(() => document.getElementById('problem-list').textContent), /U\+D800/);
      assert.deepEqual(editor.downloads, offered, 'something was offered for saving');
      await driver.click('#close-problems');

      const m = 6;
      const megabyte = '沈殿'.repeat(1 << 19);
      const limits = await driver.evaluate((css) =>
        [document.querySelector(css).maxLength, document.getElementById('explanation').maxLength], field(m));
      assert.deepEqual(limits, [1000, 2000]);
      await paste(m, megabyte);
      editor = await untilEditor(driver, (e) => settled(e) && e.rows[m - 1].preview === megabyte.slice(0, 1000),
        'the megabyte cut in the field and in the module');
      assert.equal(editor.rows[m - 1].text, megabyte.slice(0, 1000));
      assert.equal(editor.rows[m - 1].cut, `問題の文は 1000 文字までです。超えた ${megabyte.length - 1000} 文字は入りませんでした。`);
      // The last character deleted and another typed: both reach the
      // module, and the note goes.
      await driver.page.keyboard.down('Control');
      await driver.page.keyboard.press('End');
      await driver.page.keyboard.up('Control');
      await driver.page.keyboard.press('Backspace');
      await driver.page.keyboard.type('。');
      const typed = megabyte.slice(0, 999) + '。';
      const started = Date.now();
      editor = await untilEditor(driver, (e) => settled(e) && e.rows[m - 1].preview === typed && !e.rows[m - 1].cut,
        'an edit after the paste in the module');
      tt.diagnostic(`the edit after the paste settled in ${Date.now() - started} ms`);
    });
  });
});

// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// リンクで配る: the draft as one link to the game page, with the bank in
// the link itself (after the '#', which no browser sends to a server), and
// as a QR code of that link: in the dialog, full-window for the projector,
// and on paper with the explanation. A module script (it imports the QR
// code library); window.SoruberiaShare.
import qrcodegen from './qrcodegen.js';

const QUIET = 4;  // modules of white around the code, as readers expect

// The QR code of text as an SVG element, at error correction level M or
// better (a projector's glare, a phone held at an angle): {svg, version}.
function qrCode(text) {
  const code = qrcodegen.QrCode.encodeText(text, qrcodegen.QrCode.Ecc.MEDIUM);
  const size = code.size + 2 * QUIET;
  const svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
  svg.setAttribute('viewBox', `0 0 ${size} ${size}`);
  svg.setAttribute('shape-rendering', 'crispEdges');
  svg.setAttribute('role', 'img');
  const back = document.createElementNS(svg.namespaceURI, 'rect');
  back.setAttribute('width', size);
  back.setAttribute('height', size);
  back.setAttribute('fill', '#fff');
  const dark = [];
  for (let y = 0; y < code.size; ++y) {
    for (let x = 0; x < code.size; ++x) {
      if (code.getModule(x, y)) dark.push(`M${x + QUIET},${y + QUIET}h1v1h-1z`);
    }
  }
  const path = document.createElementNS(svg.namespaceURI, 'path');
  path.setAttribute('d', dark.join(''));
  path.setAttribute('fill', '#000');
  svg.append(back, path);
  return {svg, version: code.version};
}

// Whether students' devices cannot open the page's address: this
// machine's own, or a file.
function onlyThisMachine(url) {
  if (url.protocol === 'file:') return true;
  const host = url.hostname.toLowerCase();
  return host === 'localhost' || host.endsWith('.localhost') || host.startsWith('127.') ||
    host === '[::1]' || host === '0.0.0.0';
}

class Share {
  // elements: {dialog, link, copy, share, qr, version, warning, projector,
  // projected, closeProjector, print, sheet, sheetQr, sheetExplanation,
  // sheetLink, close}
  constructor(elements) {
    this.e = elements;
    this.link = '';
    elements.copy.addEventListener('click', () => this.copy());
    elements.share.addEventListener('click', () => this.shareSheet());
    elements.projector.addEventListener('click', () => this.project());
    elements.closeProjector.addEventListener('click', () => elements.projected.close());
    elements.print.addEventListener('click', () => window.print());
    elements.close.addEventListener('click', () => elements.dialog.close());
    elements.dialog.addEventListener('close', () => {
      elements.sheet.hidden = true;
    });
  }

  // Shows link, the draft's explanation beside it on paper.
  show(link, explanation) {
    const e = this.e;
    this.link = link;
    e.link.value = link;
    const {svg, version} = qrCode(link);
    svg.setAttribute('aria-label', 'このリンクの QR コード');
    e.qr.replaceChildren(svg);
    e.version.textContent = `リンクは # の後ろが ${link.length - link.indexOf('#') - 1} 文字、` +
      `QR コードはバージョン ${version}（誤り訂正 M）です。`;
    e.qr.dataset.version = version;
    const page = new URL(link);
    e.warning.hidden = !onlyThisMachine(page);
    e.warning.textContent = e.warning.hidden ? '' :
      `このページは ${page.protocol === 'file:' ? 'ファイル' : page.host} から開かれています。` +
      'このアドレスは、このコンピュータの中だけのものなので、生徒の端末からは開けません。' +
      '学校のサーバーなど、生徒も開ける場所に置いたページから、リンクを作ってください。';
    e.share.hidden = typeof navigator.share !== 'function';
    e.sheetQr.replaceChildren(qrCode(link).svg);
    e.sheetExplanation.textContent = explanation;
    e.sheetLink.textContent = link;
    e.sheet.hidden = false;
    e.dialog.showModal();
  }

  async copy() {
    try {
      await navigator.clipboard.writeText(this.link);
      this.e.copy.textContent = 'コピーしました';
    } catch (error) {
      // No clipboard here (an older browser, or no permission): the link is
      // selected for the teacher to copy.
      this.e.link.select();
      this.e.copy.textContent = '選んだリンクをコピーしてください';
    }
    setTimeout(() => {
      this.e.copy.textContent = 'リンクをコピー';
    }, 3000);
  }

  async shareSheet() {
    try {
      await navigator.share({title: 'ソルベリアの問題', url: this.link});
    } catch (error) {
      // The teacher closed the sheet: nothing to say.
    }
  }

  // The QR code filling the window, for a projector.
  project() {
    const {svg} = qrCode(this.link);
    svg.setAttribute('aria-label', 'このリンクの QR コード（大きく表示）');
    this.e.projected.querySelector('[data-qr]').replaceChildren(svg);
    this.e.projected.showModal();
  }
}

window.SoruberiaShare = Share;

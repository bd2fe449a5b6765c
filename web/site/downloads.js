// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Files the page made, handed to the browser to save: each an <a download>
// to a blob of its bytes, started one after the other and left in view,
// since a tablet may keep only the first download a script starts and the
// teacher can tap the rest. A new save lets go of the former one's blobs.
// A plain script: window.SoruberiaDownloads.
(function (global) {
  'use strict';

  // Between two downloads: browsers drop downloads that come at once.
  const kPauseMs = 400;

  class Downloads {
    // list: where the links go (#downloads); its parent is shown once it
    // holds any.
    constructor(list) {
      this.list = list;
      this.urls = [];
    }

    // files: [{name, bytes, type}]. Returns the links.
    offer(files) {
      for (const url of this.urls) URL.revokeObjectURL(url);
      this.urls = [];
      const links = files.map((file) => {
        const url = URL.createObjectURL(new Blob([file.bytes], {type: file.type || 'application/octet-stream'}));
        this.urls.push(url);
        const link = document.createElement('a');
        link.href = url;
        link.download = file.name;
        link.textContent = file.name;
        return link;
      });
      this.list.replaceChildren(...links);
      this.list.hidden = links.length === 0;
      return links;
    }

    // Offers every file and saves those named in `names`, one by one.
    async save(files, names) {
      const links = this.offer(files).filter((link) => names.includes(link.download));
      for (const [index, link] of links.entries()) {
        if (index > 0) await new Promise((resolve) => setTimeout(resolve, kPauseMs));
        link.click();
      }
      return links;
    }
  }

  global.SoruberiaDownloads = Downloads;
})(this);

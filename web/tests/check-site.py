#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Checks the browser program's site folder and its zip: the game page, the
check page and the editor page, their style and scripts, the two modules
and the licence,
with the three content folders holding every file of data/ byte for byte,
the built-in pictures those of the desktop programs (ui/resources, PNG)
byte for byte; every URL of the pages relative, so the
folder works wherever it is served from; no page with inline script or
style, the game and editor pages allowing nothing from another origin; no
script of the site storing anything (cookies, local storage, IndexedDB);
the zip the same files in one folder, Japanese names marked as UTF-8.
   check-site.py <site> <zip> <folder in the zip> <data> <built-in pictures>"""
import os
import re
import sys
import zipfile

site, archive, folder, data, builtin = sys.argv[1:6]
failures = []

PAGES = ("index.html", "check.html", "editor.html")
MODULES = ("soruberia", "soruberia-check")
expected = {name: None for name in (
    "index.html", "page.css", "bank-files.js", "bank-link.js", "sound.js", "forms.js", "page.js", "LICENSE.txt",
    "check.html", "check.css", "check.js", "label-fit.js",
    "editor.html", "editor.css", "editor.js", "editor-core.js", "editor-rows.js", "editor-preview.js",
    "editor-flags.js", "editor-length.js", "editor-table.js", "editor-report.js", "editor-play.js", "editor-open.js",
    "editor-problems.js", "editor-question.js", "editor-unsaved.js", "editor-save-errors.js",
    "editor-share.js", "qrcodegen.js", "bank-picking.js", "downloads.js", "zip-writer.js")}
for module in MODULES:
    expected[module + ".js"] = expected[module + ".wasm"] = None
for sub in ("問題", "図", "音"):
    for name in os.listdir(os.path.join(data, sub)):
        with open(os.path.join(data, sub, name), "rb") as f:
            expected["%s/%s" % (sub, name)] = f.read()

for window in os.listdir(builtin):
    for name in os.listdir(os.path.join(builtin, window)):
        if name.endswith(".png"):
            with open(os.path.join(builtin, window, name), "rb") as f:
                expected["pictures/%s/%s" % (window, name)] = f.read()

found = {}
for root, _, names in os.walk(site):
    for name in names:
        relative = os.path.relpath(os.path.join(root, name), site).replace(os.sep, "/")
        with open(os.path.join(root, name), "rb") as f:
            found[relative] = f.read()
for name in sorted(set(expected) - set(found)):
    failures.append("site: missing " + name)
for name in sorted(set(found) - set(expected)):
    failures.append("site: not expected " + name)
for name, content in expected.items():
    if content is not None and name in found and found[name] != content:
        failures.append("site: %s differs from data/" % name)

for page_name in PAGES:
    page = found.get(page_name, b"").decode("utf-8", "replace")
    urls = re.findall(r'\b(?:src|href)\s*=\s*"([^"]*)"', page)
    if not urls:
        failures.append("%s loads nothing" % page_name)
    for url in urls:
        if url.startswith("#"):
            continue  # a place in the page itself
        if re.match(r"^(?:[a-z][a-z0-9+.-]*:|/)", url, re.I):
            failures.append("%s: not a relative URL: %s" % (page_name, url))
        elif re.split(r"[?#]", url)[0] not in found:
            failures.append("%s: %s is not in the site" % (page_name, url))
# The pages' policies: their own folder only; the editor frames the game
# page and nothing else.
def policy(page):
    meta = re.search(r'<meta http-equiv="Content-Security-Policy"\s+content="([^"]*)"', page)
    if not meta:
        return None
    return {d.split()[0]: d.split()[1:] for d in meta.group(1).split(";") if d.strip()}

for page_name in PAGES:
    page = found.get(page_name, b"").decode("utf-8", "replace")
    csp = policy(page)
    if csp is None:
        failures.append("%s has no Content-Security-Policy" % page_name)
        continue
    if csp.get("default-src") != ["'self'"]:
        failures.append("%s: default-src is not 'self' alone" % page_name)
    for directive, sources in csp.items():
        for source in sources:
            if source not in ("'self'", "'none'", "'wasm-unsafe-eval'", "blob:"):
                failures.append("%s: %s allows %s" % (page_name, directive, source))
    if re.search(r"<script(?![^>]*\bsrc=)[^>]*>", page) or re.search(r"<style|\sstyle=|\son[a-z]+=", page):
        failures.append("%s holds inline script or style" % page_name)
for page_name, frames in (("index.html", None), ("editor.html", ["'self'"])):
    csp = policy(found.get(page_name, b"").decode("utf-8", "replace")) or {}
    for directive in ("script-src", "style-src", "img-src", "connect-src", "object-src", "base-uri",
                      "form-action"):
        if directive not in csp:
            failures.append("%s: no %s" % (page_name, directive))
    if csp.get("frame-src") != frames:
        failures.append("%s: frame-src %s, not %s" % (page_name, csp.get("frame-src"), frames))

for name, content in found.items():
    if name.endswith(".js") and not any(name == m + ".js" for m in MODULES):
        for store in re.findall(rb"localStorage|sessionStorage|indexedDB|document\.cookie|caches\.open",
                                content):
            failures.append("%s stores something: %s" % (name, store.decode()))

for module in MODULES:
    if found.get(module + ".wasm", b"")[:4] != b"\0asm":
        failures.append("%s.wasm is not a WebAssembly module" % module)
    # The loader finds the module beside itself, by a bare name.
    loader = found.get(module + ".js", b"")
    if ('"%s.wasm"' % module).encode() not in loader and ("'%s.wasm'" % module).encode() not in loader:
        failures.append("%s.js does not name %s.wasm beside itself" % (module, module))

with zipfile.ZipFile(archive) as z:
    infos = z.infolist()
    files = {i.filename[len(folder) + 1:]: i for i in infos
             if not i.is_dir() and i.filename.startswith(folder + "/")}
    for i in infos:
        if not i.filename.startswith(folder + "/") and i.filename != folder + "/":
            failures.append("zip: outside the one folder: " + i.filename)
        if any(ord(c) > 127 for c in i.filename) and not i.flag_bits & 0x800:
            failures.append("zip: name not marked UTF-8: " + i.filename)
    if set(files) != set(found):
        failures.append("zip: not the site's files: %s" % sorted(set(files) ^ set(found)))
    for name in set(files) & set(found):
        if z.read(files[name]) != found[name]:
            failures.append("zip: %s differs from the site" % name)

for f in failures:
    print("FAIL:", f)
print("%s: %d files; %s: %d entries" % (site, len(found), archive, len(infos)))
sys.exit(1 if failures else 0)

#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Checks the browser program's site folder and its zip: the page, its
scripts, the module and the licence, with the three content folders holding
every file of data/ byte for byte, the built-in pictures those of the
desktop programs (ui/resources, PNG) byte for byte; every URL of the page relative, so the
folder works wherever it is served from; the zip the same files in one
folder, Japanese names marked as UTF-8.
   check-site.py <site> <zip> <folder in the zip> <data> <built-in pictures>"""
import os
import re
import sys
import zipfile

site, archive, folder, data, builtin = sys.argv[1:6]
failures = []

expected = {name: None for name in (
    "index.html", "page.css", "bank-files.js", "sound.js", "forms.js", "page.js",
    "soruberia.js", "soruberia.wasm", "LICENSE.txt")}
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

if found.get("soruberia.wasm", b"")[:4] != b"\0asm":
    failures.append("soruberia.wasm is not a WebAssembly module")
page = found.get("index.html", b"").decode("utf-8", "replace")
urls = re.findall(r'\b(?:src|href)\s*=\s*"([^"]*)"', page)
if not urls:
    failures.append("index.html loads nothing")
for url in urls:
    if re.match(r"^(?:[a-z][a-z0-9+.-]*:|/)", url, re.I):
        failures.append("index.html: not a relative URL: " + url)
    elif url not in found:
        failures.append("index.html: %s is not in the site" % url)
# The loader finds the module beside itself, by a bare name.
if b'"soruberia.wasm"' not in found.get("soruberia.js", b"") and \
        b"'soruberia.wasm'" not in found.get("soruberia.js", b""):
    failures.append("soruberia.js does not name soruberia.wasm beside itself")

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

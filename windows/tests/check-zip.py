#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Checks the zip for teachers: one folder holding soruberia.exe, the
checker soruberia-check.exe (a console program), the three
content folders with every file of data/, and はじめに.txt, readable by
Notepad (UTF-8 with a byte-order mark, CR LF line ends); Japanese names
marked as UTF-8 so that Windows' own unzip shows them right.
   check-zip.py <zip> <folder>"""
import os
import sys
import zipfile

archive, folder = sys.argv[1], sys.argv[2]
data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
failures = []

with zipfile.ZipFile(archive) as z:
    infos = z.infolist()
    names = {i.filename.rstrip("/") for i in infos}
    expected = {folder + "/soruberia.exe", folder + "/soruberia-check.exe", folder + "/はじめに.txt",
                folder + "/LICENSE.txt"}
    for sub in ("問題", "図", "音"):
        for name in os.listdir(os.path.join(data, sub)):
            expected.add("%s/%s/%s" % (folder, sub, name))
            with open(os.path.join(data, sub, name), "rb") as f:
                if z.read("%s/%s/%s" % (folder, sub, name)) != f.read():
                    failures.append("%s/%s differs from data/" % (sub, name))
    files = {i.filename for i in infos if not i.is_dir()}
    for name in sorted(expected - files):
        failures.append("missing: " + name)
    for name in sorted(files - expected):
        failures.append("not expected: " + name)
    for i in infos:
        if not i.filename.startswith(folder + "/") and i.filename != folder + "/":
            failures.append("outside the one folder: " + i.filename)
        if any(ord(c) > 127 for c in i.filename) and not i.flag_bits & 0x800:
            failures.append("name not marked UTF-8: " + i.filename)
    guide = z.read(folder + "/はじめに.txt") if folder + "/はじめに.txt" in files else b""
    if not guide.startswith(b"\xef\xbb\xbf"):
        failures.append("はじめに.txt has no UTF-8 byte-order mark")
    if guide.replace(b"\r\n", b"").count(b"\n") or guide.replace(b"\r\n", b"").count(b"\r"):
        failures.append("はじめに.txt has line ends other than CR LF")
    if guide and b"soruberia.exe" not in guide:
        failures.append("はじめに.txt does not name soruberia.exe")
    # A school may copy the zip: the guide says under which licence, and the
    # licence itself travels with it.
    if guide and ("Copyright (c) 2026 The soruberia authors".encode() not in guide or
                  "MIT ライセンス".encode() not in guide):
        failures.append("はじめに.txt does not state the copyright and the MIT licence")
    licence = z.read(folder + "/LICENSE.txt") if folder + "/LICENSE.txt" in files else b""
    if b"MIT License" not in licence or b"The soruberia authors" not in licence:
        failures.append("LICENSE.txt is not the MIT licence of the soruberia authors")
    exe = z.read(folder + "/soruberia.exe") if folder + "/soruberia.exe" in files else b""
    if exe[:2] != b"MZ":
        failures.append("soruberia.exe is not a Windows program")
    checker = z.read(folder + "/soruberia-check.exe") if folder + "/soruberia-check.exe" in files else b""
    # The PE header's subsystem: 3 is a console program, 2 a windowed one.
    pe = int.from_bytes(checker[0x3C:0x40], "little") if checker[:2] == b"MZ" else 0
    if checker[pe:pe + 4] != b"PE\0\0" or int.from_bytes(checker[pe + 92:pe + 94], "little") != 3:
        failures.append("soruberia-check.exe is not a Windows console program")

for f in failures:
    print("FAIL:", f)
print("%s: %d entries" % (archive, len(infos)))
sys.exit(1 if failures else 0)

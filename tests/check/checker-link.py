#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""soruberia-check --link as a teacher runs it on Windows: the default
content's link read back by a decoder of this script's own (Python's zlib,
the link's form as the program documents it) to the very bytes of the
files; a bank with errors gets no link.
   checker-link.py <data> <checker.exe> <wine-run.sh>"""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import zlib

data, checker, wine = sys.argv[1:4]
failures = []
PAGE = "https://school.example/soruberia/"
NAMES = ("mondai.txt", "kotae.txt", "setumei.txt")


def varint(data_bytes, at):
    value, shift = 0, 0
    while True:
        byte = data_bytes[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if not byte & 0x80:
            return value, at


def decoded(link):
    """The three files a link carries, by the link's documented form."""
    fragment = link.split("#", 1)[1]
    assert fragment.startswith("b="), fragment[:10]
    text = fragment[2:]
    raw = base64.urlsafe_b64decode(text + "=" * (-len(text) % 4))
    assert raw[0] == 1, "version %d" % raw[0]
    crc = zlib.crc32(raw[5:], zlib.crc32(raw[:1]))
    assert crc == int.from_bytes(raw[1:5], "little"), "checksum"
    total, at = varint(raw, 5)
    assert total == len(raw), "length %d of %d" % (total, len(raw))
    sizes = []
    for _ in NAMES:
        size, at = varint(raw, at)
        sizes.append(size)
    payload = zlib.decompressobj(-15).decompress(raw[at:])
    assert len(payload) == sum(sizes)
    files, start = [], 0
    for size in sizes:
        files.append(payload[start:start + size])
        start += size
    return files


def run(folder):
    # Files, not pipes: helpers that Wine starts would hold a pipe open.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run([wine, checker, "--link", PAGE, "Z:" + folder.replace("/", "\\")],
                              stdout=out, stderr=err, timeout=300).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read().decode("utf-8"), err.read().decode("utf-8", "replace")


work = tempfile.mkdtemp(prefix="soruberia-link-ソルベリア-")
try:
    folder = os.path.join(work, "game")
    shutil.copytree(data, folder)
    code, out, err = run(folder)
    last = out.rstrip("\r\n").splitlines()[-1] if out.strip() else ""
    if code != 0 or not last.startswith(PAGE + "#b="):
        failures.append("default content: exit %d, last line %r, errors %r" % (code, last[:80], err))
    else:
        for name, got in zip(NAMES, decoded(last)):
            with open(os.path.join(data, "問題", name), "rb") as f:
                if f.read() != got:
                    failures.append("the link's %s differs from the file" % name)
        print("default content: a link of %d characters after the #" % (len(last) - len(PAGE) - 1))

    key = os.path.join(folder, "問題", "kotae.txt")
    with open(key, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[0] = b"13,1,2"  # more right ions than there are buttons
    with open(key, "wb") as f:
        f.write(b"\r\n".join(lines))
    code, out, err = run(folder)
    if code != 1 or "#b=" in out or "リンクを作りません" not in err:
        failures.append("a bank with errors: exit %d, out %r, err %r" % (code, out[-120:], err))
finally:
    shutil.rmtree(work, ignore_errors=True)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)

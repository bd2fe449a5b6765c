#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Writes the hostile picture and sound files that the tests of every
front-end put in a content folder, beside this script:
  lying.gif        58 bytes whose header says 20000 x 20000
  cut.gif          data/図/batu.gif cut in its image data
  mp3.wav          a real MP3 (a tenth of a second of a tone) named .wav
  header-only.wav  RIFF WAVE and its fmt chunk, no data chunk
The MP3 comes from libsndfile's own MPEG writer (LAME behind it), so that a
decoder that takes MP3 really could play it.
   make-media.py [<source root>]"""
import ctypes
import ctypes.util
import math
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..")


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


# A 1 x 1 image coded in a screen and an image descriptor of 20000 x 20000.
side = struct.pack("<HH", 20000, 20000)
write("lying.gif", b"GIF89a" + side + b"\x80\x00\x00" + b"\x00\x00\x00\xff\xff\xff"
      + b"!\xf9\x04\x01\x00\x00\x00\x00" + b"!\xfe\x0b20000x20000\x00"
      + b",\x00\x00\x00\x00" + side + b"\x00" + b"\x02\x02\x44\x01\x00" + b";")

with open(os.path.join(root, "data", "図", "batu.gif"), "rb") as f:
    write("cut.gif", f.read()[:1000])

fmt = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
write("header-only.wav", b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt)) + b"WAVE" + b"fmt "
      + struct.pack("<I", len(fmt)) + fmt)


class SfInfo(ctypes.Structure):
    _fields_ = [("frames", ctypes.c_int64), ("samplerate", ctypes.c_int), ("channels", ctypes.c_int),
                ("format", ctypes.c_int), ("sections", ctypes.c_int), ("seekable", ctypes.c_int)]


SF_FORMAT_MPEG, SF_FORMAT_MPEG_LAYER_III, SFM_WRITE = 0x230000, 0x0082, 0x20
sndfile = ctypes.CDLL(ctypes.util.find_library("sndfile"))
sndfile.sf_open.restype = ctypes.c_void_p
sndfile.sf_open.argtypes = [ctypes.c_char_p, ctypes.c_int, ctypes.POINTER(SfInfo)]
sndfile.sf_writef_float.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_float), ctypes.c_int64]
sndfile.sf_close.argtypes = [ctypes.c_void_p]
info = SfInfo(0, 8000, 1, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 0, 0)
path = os.path.join(here, "mp3.wav").encode()
handle = sndfile.sf_open(path, SFM_WRITE, ctypes.byref(info))
if not handle:
    sys.exit("libsndfile cannot write MP3")
frames = 800
samples = (ctypes.c_float * frames)(*[0.3 * math.sin(2 * math.pi * 440 * i / 8000) for i in range(frames)])
sndfile.sf_writef_float(handle, samples, frames)
sndfile.sf_close(handle)

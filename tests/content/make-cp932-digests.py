#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Writes Cp932Digests.inc: how glibc's iconv converts every one- and
two-byte sequence of code page 932, and every character of the BMP, as one
FNV-1a digest per row of 256, so that the program's tables can be held to
them on every build (the Windows one under Wine, where there is no iconv)
without a table of 80,000 entries.

Row serialisation (ShiftJisTest.cpp does the same): for each entry, the
offset where conversion stopped (0xFF for none), the converted bytes, then a
0xFF separator (never part of UTF-8 or of a code page 932 character here).
"""
import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
libc.iconv_close.argtypes = [ctypes.c_void_p]
FAILED = ctypes.c_size_t(-1).value


def convert(to, frm, data):
    """(converted bytes, offset where conversion stopped or None), as the
    content module's Decode and Encode report them."""
    handle = libc.iconv_open(to.encode(), frm.encode())
    inbuf = ctypes.create_string_buffer(data, len(data) or 1)
    outbuf = ctypes.create_string_buffer(64)
    inptr = ctypes.c_void_p(ctypes.addressof(inbuf))
    outptr = ctypes.c_void_p(ctypes.addressof(outbuf))
    inleft = ctypes.c_size_t(len(data))
    outleft = ctypes.c_size_t(64)
    stopped = None
    if data and libc.iconv(handle, ctypes.byref(inptr), ctypes.byref(inleft),
                           ctypes.byref(outptr), ctypes.byref(outleft)) == FAILED:
        stopped = inptr.value - ctypes.addressof(inbuf)
    libc.iconv_close(handle)
    return outbuf.raw[:64 - outleft.value], stopped


def fnv(data):
    h = 0xCBF29CE484222325
    for b in data:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def entry(out, stopped):
    return bytes([0xFF if stopped is None else stopped]) + out + b"\xff"


def decode_row(lead):
    """lead None: the 256 single bytes; else lead followed by each byte."""
    row = b""
    for b in range(256):
        data = bytes([b]) if lead is None else bytes([lead, b])
        row += entry(*convert("UTF-8", "CP932", data))
    return fnv(row)


def encode_row(block):
    row = b""
    for low in range(256):
        cp = block << 8 | low
        row += entry(*convert("CP932", "UTF-8", chr(cp).encode("utf-8")))
    return fnv(row)


def main():
    spdx = "SPDX-"  # split, so that licence tools read only this script's own header
    lines = ["// " + spdx + "FileCopyrightText: 2026 The soruberia authors", "//",
             "// " + spdx + "License-Identifier: MIT", "",
             "// Written by make-cp932-digests.py from glibc's iconv; do not edit.", ""]
    lines.append("// Single bytes, then one row per first byte 0x80..0xFF.")
    lines.append("inline constexpr std::uint64_t kDecodeSingleDigest = 0x%016XULL;" % decode_row(None))
    lines.append("inline constexpr std::array<std::uint64_t, 128> kDecodePairDigests{{")
    for lead in range(0x80, 0x100):
        lines.append("    0x%016XULL,  // 0x%02X" % (decode_row(lead), lead))
    lines.append("}};")
    lines.append("// One row per block of 256 code points of the BMP; none for the surrogates.")
    lines.append("inline constexpr std::array<std::uint64_t, 256> kEncodeBlockDigests{{")
    for block in range(256):
        value = 0 if 0xD8 <= block <= 0xDF else encode_row(block)
        lines.append("    0x%016XULL,  // U+%02X00" % (value, block))
    lines.append("}};")
    sys.stdout.write("\n".join(lines) + "\n")


main()

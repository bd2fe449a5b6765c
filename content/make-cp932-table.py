#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""Writes Cp932Table.inc, the tables of ShiftJisTable.cpp, from glibc's
iconv (CP932), and checks first that the rules of ShiftJisTable.cpp rebuild
from them exactly what iconv gives for every one- and two-byte sequence and
every character of the BMP:

  python3 content/make-cp932-table.py > content/Cp932Table.inc

What the tables hold, and the rules that the C++ code adds:
- single bytes: 0x00..0x7F are themselves, 0xA1..0xDF half-width katakana
  U+FF61.., every other byte a lead byte or refused;
- pairs: one row of 188 characters per lead byte (second bytes 0x40..0xFC
  without 0x7F), U+FFFF where iconv refuses the pair; the rows of the
  user-defined area (lead bytes 0xF0..0xF9) are not stored, as they run
  through U+E000.. in order;
- encoding: the first code that decodes to the character, trying the single
  bytes, then the rows in the order of their lead bytes with 0xED and 0xEE
  (NEC's copy of the IBM characters) last, then the user-defined area; the
  characters iconv encodes though no code decodes to them are listed apart.
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

REFUSED = 0xFFFF
TRAILS = [t for t in range(0x40, 0xFD) if t != 0x7F]
USER_LEADS = range(0xF0, 0xFA)
LAST_LEADS = (0xED, 0xEE)


def convert(to, frm, data):
    """(converted bytes, offset where conversion stopped or None)."""
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


def decoded_char(data):
    """The one character the bytes decode to, or None when iconv refuses
    them at their first byte; anything else breaks the tables' model."""
    out, stopped = convert("UTF-8", "CP932", data)
    if stopped is None:
        text = out.decode("utf-8")
        if len(text) == 1:
            return ord(text)
    elif stopped == 0 and out == b"":
        return None
    sys.exit("make-cp932-table.py: %s decodes to %r, stopping at %r" % (data.hex(), out, stopped))


def is_single(b):
    return b < 0x80 or 0xA1 <= b <= 0xDF


def single_char(b):
    return b if b < 0x80 else 0xFF61 + b - 0xA1


def user_char(lead, trail_index):
    return 0xE000 + (lead - 0xF0) * len(TRAILS) + trail_index


def read_iconv():
    for b in range(256):
        expected = single_char(b) if is_single(b) else None
        if decoded_char(bytes([b])) != expected:
            sys.exit("make-cp932-table.py: single byte %02X is not as the tables assume" % b)
    rows = {}
    for lead in range(0x80, 0x100):
        row = []
        for t in range(256):
            c = None if is_single(lead) else decoded_char(bytes([lead, t]))
            if t in TRAILS:
                row.append(REFUSED if c is None else c)
            elif c is not None:
                sys.exit("make-cp932-table.py: %02X %02X decodes outside the rows" % (lead, t))
        if lead in USER_LEADS:
            if row != [user_char(lead, i) for i in range(len(TRAILS))]:
                sys.exit("make-cp932-table.py: lead byte %02X is not the user-defined area" % lead)
        elif any(c != REFUSED for c in row):
            rows[lead] = row
    encoded = {}
    for cp in range(0x10000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        out, stopped = convert("CP932", "UTF-8", chr(cp).encode("utf-8"))
        if stopped is None:
            encoded[cp] = out
        elif stopped != 0 or out:
            sys.exit("make-cp932-table.py: U+%04X encodes in part" % cp)
    return rows, encoded


def first_codes(rows):
    """What ShiftJisTable.cpp encodes from the rows alone."""
    codes = {}
    for b in range(256):
        if is_single(b):
            codes.setdefault(single_char(b), bytes([b]))
    leads = [l for l in sorted(rows) if l not in LAST_LEADS] + [l for l in LAST_LEADS if l in rows]
    for lead in leads:
        for t, c in zip(TRAILS, rows[lead]):
            if c != REFUSED:
                codes.setdefault(c, bytes([lead, t]))
    for lead in USER_LEADS:
        for i, t in enumerate(TRAILS):
            codes.setdefault(user_char(lead, i), bytes([lead, t]))
    return codes


def literal(chars):
    """A char16_t string literal: printable characters as themselves, the
    rest (spaces, refused pairs) escaped."""
    out = []
    for c in chars:
        ch = chr(c)
        out.append(ch if ch.isprintable() and not ch.isspace() and ch not in '"\\?' else "\\u%04X" % c)
    return 'u"' + "".join(out) + '"'


def main():
    rows, encoded = read_iconv()
    codes = first_codes(rows)
    extras = {cp: out for cp, out in encoded.items() if cp not in codes}
    wrong = [cp for cp in codes if encoded.get(cp) != codes[cp]]
    if wrong:
        sys.exit("make-cp932-table.py: the encoding order misses U+%04X and %d more" % (wrong[0], len(wrong) - 1))

    spdx = "SPDX-"  # split, so that licence tools read only this script's own header
    lines = ["// " + spdx + "FileCopyrightText: 2026 The soruberia authors", "//",
             "// " + spdx + "License-Identifier: MIT", "",
             "// Written by make-cp932-table.py from glibc's iconv (CP932); do not edit.", "",
             "// The lead bytes whose rows follow, in order.",
             "inline constexpr std::array<unsigned char, %d> kRowLeads{{" % len(rows)]
    leads = sorted(rows)
    for i in range(0, len(leads), 12):
        lines.append("    " + ", ".join("0x%02X" % l for l in leads[i:i + 12]) + ",")
    lines.append("}};")
    lines.append("// Per lead byte, the characters of second bytes 0x40..0xFC without 0x7F;")
    lines.append("// \\uFFFF where the pair is refused.")
    lines.append("inline constexpr char16_t kRows[%d][%d] = {" % (len(rows), len(TRAILS) + 1))
    for lead in leads:
        lines.append("    // 0x%02X" % lead)
        row = rows[lead]
        for i in range(0, len(row), 47):
            lines.append("    " + literal(row[i:i + 47]) + ("," if i + 47 >= len(row) else ""))
    lines.append("};")
    lines.append("// Characters that iconv encodes though no code decodes to them.")
    lines.append("struct ExtraCode {")
    lines.append("    char16_t character;")
    lines.append("    std::uint16_t code;  // one byte, or lead byte << 8 | second byte")
    lines.append("};")
    lines.append("inline constexpr std::array<ExtraCode, %d> kExtraCodes{{" % len(extras))
    for cp in sorted(extras):
        code = int.from_bytes(extras[cp], "big")
        lines.append("    {u'\\u%04X', 0x%02X}," % (cp, code) if code < 0x100 else
                     "    {u'\\u%04X', 0x%04X}," % (cp, code))
    lines.append("}};")
    sys.stdout.write("\n".join(lines) + "\n")


main()

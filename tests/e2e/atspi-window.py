#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

r"""Reads a window of a running program as a screen reader does, over AT-SPI:
    atspi-window.py TITLE
prints one line per child of the top-level window named TITLE, in the order
the program made them (its layout's order):
    VISIBLE FOCUSED LEFT TOP WIDTH HEIGHT NAME DESCRIPTION
tab-separated; in NAME and DESCRIPTION a backslash is written \\ and a line
break \n. The box is in the window's coordinates. Exit status 1 when no
such window is open."""

import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def escaped(text):
    return (text or "").replace("\\", "\\\\").replace("\n", "\\n").replace("\t", " ")


def window_named(title):
    desktop = Atspi.get_desktop(0)
    for a in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(a)
        if app is None:
            continue
        for w in range(app.get_child_count()):
            window = app.get_child_at_index(w)
            if window is not None and window.get_name() == title:
                return window
    return None


def main():
    if len(sys.argv) != 2:
        print("usage: atspi-window.py TITLE", file=sys.stderr)
        return 2
    window = window_named(sys.argv[1])
    if window is None:
        return 1
    for i in range(window.get_child_count()):
        child = window.get_child_at_index(i)
        states = child.get_state_set()
        box = child.get_extents(Atspi.CoordType.WINDOW)
        print("\t".join([
            "1" if states.contains(Atspi.StateType.SHOWING) else "0",
            "1" if states.contains(Atspi.StateType.FOCUSED) else "0",
            str(box.x), str(box.y), str(box.width), str(box.height),
            escaped(child.get_name()), escaped(child.get_description()),
        ]))
    return 0


if __name__ == "__main__":
    sys.exit(main())

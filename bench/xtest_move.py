#!/usr/bin/env python3
"""Moves the pointer along a path the way a pointing device does: through the X server's test
extension, so the server sees device motion (and reports raw motion), where `xdotool mousemove`
warps the pointer and reports none. The path is the one bench/measure_process.sh writes, a line
"mousemove X Y sleep SECONDS" per step; the first STEPS steps are taken (all of them when the path is shorter).

Usage: xtest_move.py PATH_FILE STEPS"""

import ctypes
import ctypes.util
import sys
import time


def main():
    path, steps = sys.argv[1], int(sys.argv[2])
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_int, ctypes.c_ulong]
    display = xlib.XOpenDisplay(None)
    if not display:
        print("xtest_move: cannot open the display", file=sys.stderr)
        return 1
    with open(path, encoding="ascii") as f:
        lines = [line.split() for line in f][:steps]
    # Steps on a fixed clock, as a device reports: a late step does not push back the others.
    start = time.monotonic()
    due = 0.0
    for words in lines:
        x, y, pause = int(words[1]), int(words[2]), float(words[4])
        xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
        xlib.XFlush(display)
        due += pause
        wait = start + due - time.monotonic()
        if wait > 0:
            time.sleep(wait)
    xlib.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Runs a command beside a dock window along the top of one monitor that reserves
its height with _NET_WM_STRUT_PARTIAL (and _NET_WM_STRUT), as desktop panels do.
The command gets the panel's id in MATRIX_STRUT_WINDOW; its exit status is kept.

Usage: strut_panel.py X Y WIDTH HEIGHT -- CMD ARGS...   (root coordinates; the
strut is the panel's bottom edge, y + height, over columns x to x + width - 1)
"""
import ctypes
import ctypes.util
import os
import subprocess
import sys
import time

XA_ATOM, XA_CARDINAL, XA_WM_SIZE_HINTS = 4, 6, 41
US_POSITION, P_POSITION = 1, 4
P, UL, I = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int


def main():
    if sys.argv[5:6] != ["--"] or not sys.argv[6:]:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    x, y, width, height = (int(a) for a in sys.argv[1:5])
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    for name, result, arguments in (
            ("XOpenDisplay", P, [ctypes.c_char_p]), ("XDefaultRootWindow", UL, [P]),
            ("XCreateSimpleWindow", UL, [P, UL, I, I, ctypes.c_uint, ctypes.c_uint,
                                         ctypes.c_uint, UL, UL]),
            ("XInternAtom", UL, [P, ctypes.c_char_p, I]),
            ("XChangeProperty", I, [P, UL, UL, UL, I, I, P, I]), ("XMapWindow", I, [P, UL]),
            ("XSync", I, [P, I])):
        getattr(xlib, name).restype = result
        getattr(xlib, name).argtypes = arguments
    display = xlib.XOpenDisplay(None)
    if not display:
        print("strut_panel.py: cannot open the display", file=sys.stderr)
        return 1
    window = xlib.XCreateSimpleWindow(display, xlib.XDefaultRootWindow(display), x, y, width,
                                      height, 0, 0, 0x404040)

    def set_longs(name, kind, values):
        data = (ctypes.c_long * len(values))(*values)
        xlib.XChangeProperty(display, window, xlib.XInternAtom(display, name, 0), kind, 32, 0,
                             data, len(values))

    # The position is the user's and the program's: the panel stays where it is put.
    set_longs(b"WM_NORMAL_HINTS", XA_WM_SIZE_HINTS,
              [US_POSITION | P_POSITION, x, y, width, height] + [0] * 13)
    set_longs(b"_NET_WM_WINDOW_TYPE", XA_ATOM,
              [xlib.XInternAtom(display, b"_NET_WM_WINDOW_TYPE_DOCK", 0)])
    # left, right, top, bottom, then the start and end of each along its edge.
    set_longs(b"_NET_WM_STRUT_PARTIAL", XA_CARDINAL,
              [0, 0, y + height, 0, 0, 0, 0, 0, x, x + width - 1, 0, 0])
    set_longs(b"_NET_WM_STRUT", XA_CARDINAL, [0, 0, y + height, 0])
    xlib.XMapWindow(display, window)
    xlib.XSync(display, 0)
    # The window manager announces its new work area with _NET_WORKAREA.
    time.sleep(0.5)
    return subprocess.call(sys.argv[6:], env=dict(os.environ, MATRIX_STRUT_WINDOW=hex(window)))


if __name__ == "__main__":
    sys.exit(main())

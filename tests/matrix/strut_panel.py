#!/usr/bin/env python3
"""A panel as desktops have them: a dock window along the top of one
monitor that reserves its height there with _NET_WM_STRUT_PARTIAL (and the
older _NET_WM_STRUT), so window managers leave that strip out of the work
area. Prints the window's id once it is mapped, then stays until it gets
SIGTERM or its X server goes.

Usage: strut_panel.py X Y WIDTH HEIGHT   (root coordinates; the strut is
the panel's bottom edge, y + height, over columns x to x + width - 1)
"""
import ctypes
import ctypes.util
import signal
import sys
import time

XA_ATOM, XA_CARDINAL, PROP_MODE_REPLACE = 4, 6, 0


def main():
    if len(sys.argv) != 5 or not all(a.isdigit() for a in sys.argv[1:]):
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        return 2
    x, y, width, height = (int(a) for a in sys.argv[1:])
    if width == 0 or height == 0:
        print("strut_panel.py: the panel needs an area", file=sys.stderr)
        return 2
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
    xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                         ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                         ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                     ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_void_p, ctypes.c_int]
    xlib.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XPending.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        print("strut_panel.py: cannot open the display", file=sys.stderr)
        return 1
    root = xlib.XDefaultRootWindow(display)
    window = xlib.XCreateSimpleWindow(display, root, x, y, width, height, 0, 0, 0x404040)

    def atom(name):
        return xlib.XInternAtom(display, name, 0)

    def set_longs(name, kind, values):
        data = (ctypes.c_long * len(values))(*values)
        xlib.XChangeProperty(display, window, atom(name), kind, 32, PROP_MODE_REPLACE, data,
                             len(values))

    # WM_NORMAL_HINTS with USPosition and PPosition: the panel stays where it is put.
    us_position, p_position, xa_wm_size_hints = 1, 4, 41
    set_longs(b"WM_NORMAL_HINTS", xa_wm_size_hints,
              [us_position | p_position, x, y, width, height] + [0] * 13)
    set_longs(b"_NET_WM_WINDOW_TYPE", XA_ATOM, [atom(b"_NET_WM_WINDOW_TYPE_DOCK")])
    reserved = y + height
    # left, right, top, bottom, then the start and end of each along its edge.
    set_longs(b"_NET_WM_STRUT_PARTIAL", XA_CARDINAL,
              [0, 0, reserved, 0, 0, 0, 0, 0, x, x + width - 1, 0, 0])
    set_longs(b"_NET_WM_STRUT", XA_CARDINAL, [0, 0, reserved, 0])
    xlib.XMapWindow(display, window)
    xlib.XSync(display, 0)
    print(hex(window), flush=True)

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    # Reading the connection notices a server that went away (Xlib exits).
    while True:
        xlib.XPending(display)
        time.sleep(0.2)


if __name__ == "__main__":
    sys.exit(main())

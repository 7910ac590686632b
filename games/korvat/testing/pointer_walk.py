#!/usr/bin/python3
"""Test helper: walks the real pointer over a program's window under Xvfb, then answers the
question the program asks with Return.

    pointer_walk.py DISPLAY CLASS LEFT TOP POINTS

POINTS is a file of "x y" lines, positions inside the control that starts at (LEFT, TOP) of
the window's client area. Exits 0 when the question was answered, 1 when there was no window
or no question came.
"""
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest


def windows_of(d, name):
    found = []
    for w in d.screen().root.query_tree().children:
        try:
            cls = w.get_wm_class()
            if cls and cls[0] == name and w.get_attributes().map_state == X.IsViewable:
                found.append(w)
        except Exception:  # a window that went away meanwhile
            pass
    return found


def wait_for(check, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = check()
        if result:
            return result
        time.sleep(0.02)
    return None


def main():
    disp, name, left, top, points = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
    d = display.Display(disp)
    main_windows = wait_for(lambda: windows_of(d, name))
    if not main_windows:
        return 1
    window = main_windows[0]
    origin = window.translate_coords(d.screen().root, 0, 0)
    ox, oy = -origin.x + left, -origin.y + top
    for line in open(points):
        x, y = (int(v) for v in line.split())
        xtest.fake_input(d, X.MotionNotify, x=ox + x, y=oy + y)
        d.sync()
        time.sleep(0.003)
    windows = wait_for(lambda: [w for w in windows_of(d, name) if w.id != window.id])
    if not windows:
        return 1
    # Over the question, so the key goes there whether or not it has the focus.
    question = windows[0]
    corner = question.translate_coords(d.screen().root, 0, 0)
    size = question.get_geometry()
    xtest.fake_input(d, X.MotionNotify, x=-corner.x + size.width // 2, y=-corner.y + size.height // 2)
    d.sync()
    key = d.keysym_to_keycode(XK.string_to_keysym("Return"))
    xtest.fake_input(d, X.KeyPress, key)
    xtest.fake_input(d, X.KeyRelease, key)
    d.sync()
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Test helper: walks the real pointer over a program's window under Xvfb, then answers the
question the program asks with Yes: Tab from the No that the question offers first, then
Return.

    pointer_walk.py DISPLAY CLASS LEFT TOP POINTS

POINTS is a file of "x y" lines, positions inside the control that starts at (LEFT, TOP) of
the window's client area. Exits 0 when the question was answered, 1 when there was no window
or no question came.
"""
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "tests", "e2e"))
from xdesk import Screen, wait_for  # noqa: E402 - found through the path set just above


def main():
    disp, name, left, top, points = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
    screen = Screen(disp)
    main_windows = wait_for(lambda: screen.windows_of_class(name), 10.0, step=0.02)
    if not main_windows:
        return 1
    window = main_windows[0]
    window_left, window_top, _, _ = screen.geometry(window)
    ox, oy = window_left + left, window_top + top
    for line in open(points):
        x, y = (int(v) for v in line.split())
        screen.move_pointer(ox + x, oy + y)
        time.sleep(0.003)
    windows = wait_for(lambda: [w for w in screen.windows_of_class(name) if w.id != window.id],
                       10.0, step=0.02)
    if not windows:
        return 1
    # Over the question, so the key goes there whether or not it has the focus.
    q_left, q_top, q_width, q_height = screen.geometry(windows[0])
    screen.move_pointer(q_left + q_width // 2, q_top + q_height // 2)
    return 0 if screen.keys("Tab", "Return") else 1


if __name__ == "__main__":
    sys.exit(main())

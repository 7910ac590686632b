#!/usr/bin/python3
"""Drives the programs of a play directory on an X display as a player would: finds their
windows by title, clicks, types and closes them the way a window manager's close button does.

    xdrive.py wait TITLE [SECONDS]      prints "x y width height" of the window once it is shown
    xdrive.py wait-gone TITLE [SECONDS]
    xdrive.py wait-other TITLE [SECONDS] prints the title of a shown window with another title
    xdrive.py titles                     prints the titles of the shown windows, one a line
    xdrive.py click X Y                  a left click at a point of the screen
    xdrive.py keys KEY...                presses and releases keys by their X names (Down, Return, a)
    xdrive.py close TITLE                asks the window to close (WM_DELETE_WINDOW)
Exit status 1 when a wait runs out of time or a window is missing.
"""

import sys
import time

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest


def shown_windows(d):
    net_name = d.intern_atom("_NET_WM_NAME")
    utf8 = d.intern_atom("UTF8_STRING")
    out = []
    for window in d.screen().root.query_tree().children:
        try:
            if window.get_attributes().map_state != X.IsViewable:
                continue
            prop = window.get_full_property(net_name, utf8)
            if prop is not None:
                title = prop.value.decode("utf-8", "replace")
            else:
                title = window.get_wm_name() or ""
                if isinstance(title, bytes):
                    title = title.decode("latin-1")
            out.append((title, window))
        except Exception:  # a window that went away while we looked
            continue
    return out


def find(d, title):
    for name, window in shown_windows(d):
        if name == title:
            return window
    return None


def geometry(d, window):
    g = window.get_geometry()
    pos = window.translate_coords(d.screen().root, 0, 0)
    return -pos.x, -pos.y, g.width, g.height


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    return None


def main(argv):
    d = display.Display()
    command = argv[1]
    if command == "wait":
        seconds = float(argv[3]) if len(argv) > 3 else 15
        window = wait_for(lambda: find(d, argv[2]), seconds)
        if not window:
            print("no window", argv[2], "among", [n for n, _ in shown_windows(d)], file=sys.stderr)
            return 1
        print(*geometry(d, window))
        return 0
    if command == "wait-gone":
        seconds = float(argv[3]) if len(argv) > 3 else 15
        return 0 if wait_for(lambda: find(d, argv[2]) is None, seconds) else 1
    if command == "wait-other":
        seconds = float(argv[3]) if len(argv) > 3 else 15

        def other():
            for name, _ in shown_windows(d):
                if name != argv[2]:
                    return name
            return None

        name = wait_for(other, seconds)
        if name is None:
            return 1
        print(name)
        return 0
    if command == "titles":
        for name, _ in shown_windows(d):
            print(name)
        return 0
    if command == "click":
        x, y = int(argv[2]), int(argv[3])
        xtest.fake_input(d, X.MotionNotify, x=x, y=y)
        d.sync()
        time.sleep(0.1)
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.sync()
        time.sleep(0.2)
        return 0
    if command == "keys":
        for name in argv[2:]:
            code = d.keysym_to_keycode(XK.string_to_keysym(name))
            if code == 0:
                print("no key", name, file=sys.stderr)
                return 1
            xtest.fake_input(d, X.KeyPress, code)
            xtest.fake_input(d, X.KeyRelease, code)
            d.sync()
            time.sleep(0.05)
        time.sleep(0.2)
        return 0
    if command == "close":
        window = find(d, argv[2])
        if not window:
            return 1
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(
            window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event)
        d.sync()
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

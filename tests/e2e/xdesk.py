#!/usr/bin/python3
"""A desktop for end-to-end tests: a private Xvfb (Desk), and the few things a player does to
the windows of an X display (Screen): find one by its title, click, type, close it as a
window manager's close button does.

Run as a program it drives the display named by DISPLAY:

    xdesk.py wait TITLE [SECONDS]       prints "x y width height" of the window once it is shown
    xdesk.py wait-gone TITLE [SECONDS]
    xdesk.py wait-other TITLE [SECONDS] prints the title of a shown window with another title
    xdesk.py titles                     prints the titles of the shown windows, one a line
    xdesk.py click X Y                  a left click at a point of the screen
    xdesk.py keys KEY...                presses and releases keys by their X names (Down, Return, a)
    xdesk.py mouse STEP...              the real pointer, step by step: X,Y moves it there, +N
                                        presses button N, -N releases it (1 left, 3 right)
    xdesk.py close TITLE                asks the window to close (WM_DELETE_WINDOW)
Exit status 1 when a wait runs out of time or a window or key is missing.
"""

import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest


def wait_for(condition, seconds, step=0.05):
    """The first true value `condition` gives within `seconds`, or None."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(step)
    return None


class Screen:
    """The windows of an X display, as a player sees and handles them."""

    def __init__(self, name=None):
        self.name = name if name is not None else os.environ.get("DISPLAY", "")
        self.x = display.Display(self.name)

    def _title(self, window):
        prop = window.get_full_property(self.x.intern_atom("_NET_WM_NAME"),
                                        self.x.intern_atom("UTF8_STRING"))
        if prop is not None and prop.value:
            value = prop.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
        name = window.get_wm_name() or ""
        return name.decode("latin-1") if isinstance(name, bytes) else name

    def windows(self):
        """Top-level windows that are shown, with their titles."""
        found = []
        for w in self.x.screen().root.query_tree().children:
            try:
                if w.get_attributes().map_state != X.IsViewable:
                    continue
                found.append((w, self._title(w)))
            except Exception:  # a window that went away while we looked
                continue
        return found

    def windows_of_class(self, name):
        """Shown top-level windows whose WM_CLASS instance name is `name`."""
        found = []
        for window, _ in self.windows():
            try:
                cls = window.get_wm_class()
            except Exception:  # a window that went away while we looked
                continue
            if cls and cls[0] == name:
                found.append(window)
        return found

    def find(self, title):
        for window, name in self.windows():
            if name == title:
                return window
        return None

    def wait_window(self, predicate, timeout=15.0):
        """The first shown window whose title pleases `predicate`, with its title."""
        found = wait_for(lambda: next(((w, t) for w, t in self.windows() if predicate(t)), None),
                         timeout)
        if found is None:
            raise TimeoutError("no window: " + repr([t for _, t in self.windows()]))
        return found

    def geometry(self, window):
        """Left, top, width and height of a window on the screen."""
        g = window.get_geometry()
        pos = window.translate_coords(self.x.screen().root, 0, 0)
        return -pos.x, -pos.y, g.width, g.height

    def close_window(self, window):
        """What a window manager's close button does: WM_DELETE_WINDOW."""
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        self.x.sync()

    def move_pointer(self, x, y):
        """Moves the real pointer to a point of the screen."""
        xtest.fake_input(self.x, X.MotionNotify, x=x, y=y)
        self.x.sync()

    def click(self, x, y, button=1):
        """A click at a point of the screen, given time to be handled."""
        self.move_pointer(x, y)
        time.sleep(0.1)
        xtest.fake_input(self.x, X.ButtonPress, button)
        xtest.fake_input(self.x, X.ButtonRelease, button)
        self.x.sync()
        time.sleep(0.2)

    def mouse(self, *steps):
        """Moves the pointer and presses and releases its buttons, in the order given."""
        for step in steps:
            if step[0] in "+-":
                kind = X.ButtonPress if step[0] == "+" else X.ButtonRelease
                xtest.fake_input(self.x, kind, int(step[1:]))
            else:
                x, y = step.split(",")
                xtest.fake_input(self.x, X.MotionNotify, x=int(x), y=int(y))
        self.x.sync()

    def keys(self, *names):
        """Presses and releases keys by their X names; False when one has no key."""
        for name in names:
            code = self.x.keysym_to_keycode(XK.string_to_keysym(name))
            if code == 0:
                return False
            xtest.fake_input(self.x, X.KeyPress, code)
            xtest.fake_input(self.x, X.KeyRelease, code)
            self.x.sync()
            time.sleep(0.05)
        time.sleep(0.2)
        return True

    def set_keyboard_layouts(self, layouts):
        """Gives the keyboard these layouts as groups ("us,ru"); False without setxkbmap."""
        try:
            return subprocess.run(["setxkbmap", "-display", self.name, "-layout", layouts],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
        except FileNotFoundError:
            return False

    def keyboard_group(self, lock=None):
        """The keyboard's active layout group (0 to 3), after locking it to `lock` if given."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XkbGetState.argtypes = (ctypes.c_void_p, ctypes.c_uint, ctypes.c_void_p)
        x11.XkbLockGroup.argtypes = (ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint)
        x11.XSync.argtypes = (ctypes.c_void_p, ctypes.c_int)
        x11.XCloseDisplay.argtypes = (ctypes.c_void_p,)
        connection = x11.XOpenDisplay(self.name.encode())
        use_core_keyboard = 0x100
        try:
            if lock is not None:
                x11.XkbLockGroup(connection, use_core_keyboard, lock)
                x11.XSync(connection, 0)
            state = ctypes.create_string_buffer(32)  # XkbStateRec; its first byte is the group
            x11.XkbGetState(connection, use_core_keyboard, state)
            return state.raw[0]
        finally:
            x11.XCloseDisplay(connection)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", path], check=False)


class Desk(Screen):
    """A private Xvfb on a display number it picks itself, for as long as the test runs."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-noreset",
             "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        # The server writes its display number once it accepts clients.
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.server.kill()
            self.server.wait()
            raise RuntimeError("no Xvfb could be started")
        super().__init__(f":{number}")
        self.runtime = tempfile.mkdtemp(prefix="xdg-")
        os.chmod(self.runtime, 0o700)

    def env(self):
        env = dict(os.environ)
        env.update({"DISPLAY": self.name, "QT_QPA_PLATFORM": "xcb", "XDG_RUNTIME_DIR": self.runtime})
        return env

    def close(self):
        self.x.close()
        self.server.terminate()
        self.server.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    screen = Screen()
    command = argv[1]
    # The waits take their time limit as the last argument.
    seconds = float(argv[3]) if command.startswith("wait") and len(argv) > 3 else 15
    if command == "wait":
        window = wait_for(lambda: screen.find(argv[2]), seconds)
        if not window:
            print("no window", argv[2], "among", [t for _, t in screen.windows()], file=sys.stderr)
            return 1
        print(*screen.geometry(window))
        return 0
    if command == "wait-gone":
        return 0 if wait_for(lambda: screen.find(argv[2]) is None, seconds) else 1
    if command == "wait-other":
        name = wait_for(lambda: next((t for _, t in screen.windows() if t != argv[2]), None),
                        seconds)
        if name is None:
            return 1
        print(name)
        return 0
    if command == "titles":
        for _, name in screen.windows():
            print(name)
        return 0
    if command == "click":
        screen.click(int(argv[2]), int(argv[3]))
        return 0
    if command == "keys":
        if not screen.keys(*argv[2:]):
            print("no key among", argv[2:], file=sys.stderr)
            return 1
        return 0
    if command == "mouse":
        screen.mouse(*argv[2:])
        return 0
    if command == "close":
        window = screen.find(argv[2])
        if not window:
            return 1
        screen.close_window(window)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

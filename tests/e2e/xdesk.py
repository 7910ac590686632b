#!/usr/bin/python3
"""A desktop for end-to-end tests: a private Xvfb, and the few things a player does to its
windows: find one by its title, click, type, close it as a window manager's close button does.
"""

import ctypes
import glob
import os
import shutil
import subprocess
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


class Desk:
    """A private Xvfb on a display number it picks itself, for as long as the test runs, and
    its windows as a player sees and handles them."""

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
        self.name = f":{number}"
        self.x = display.Display(self.name)
        self.runtime = tempfile.mkdtemp(prefix="xdg-")
        os.chmod(self.runtime, 0o700)

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


    def env(self):
        env = dict(os.environ)
        env.update({"DISPLAY": self.name, "QT_QPA_PLATFORM": "xcb", "XDG_RUNTIME_DIR": self.runtime})
        return env

    def close(self):
        self.x.close()
        self.server.terminate()
        self.server.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


MANAGER_TITLE = "Трофеон            Версия 3.1"
START_BUTTON = ((600 + 967) // 15, (5760 + 187) // 15)  # "Начать игру!" in the manager, pixels
_made = []  # the play directories' folders made for the case that runs


def make_play(repo, build, testgame=None):
    """A scratch play directory as scripts/make-play-dir lays it out from the build, with the
    test game and its data when `testgame` names its program. It lies alone in a folder of its
    own, where anything a program writes outside it would show."""
    play = os.path.join(tempfile.mkdtemp(prefix="e2e-"), "play")
    _made.append(os.path.dirname(play))
    more = ["--program", testgame, "--data", f"{repo}/tests/testgame"] if testgame else []
    subprocess.run([f"{repo}/scripts/make-play-dir", "--build", build, *more, play], check=True,
                   stdout=subprocess.DEVNULL)
    return play


def read(path):
    """The bytes of a file, nothing when it is missing."""
    return open(path, "rb").read() if os.path.exists(path) else b""


def running_in(play):
    """The processes whose program lies in the play directory."""
    pids = []
    for exe in glob.glob("/proc/[0-9]*/exe"):
        try:
            if os.readlink(exe).startswith(play + "/"):
                pids.append(int(exe.split("/")[2]))
        except OSError:
            continue
    return pids


def in_play(repo, build, test, testgame=None):
    """A check for run_cases: test(desk, play, case) in a fresh play directory, and whatever it
    leaves running killed after it. The test gives what went wrong: a text, a list or nothing."""
    def check(desk, case):
        play = make_play(repo, build, testgame)
        try:
            found = test(desk, play, case)
            return [found] if isinstance(found, str) else list(found or [])
        finally:
            for pid in running_in(play):
                os.kill(pid, 9)
    return check


def start_and_close_a_game(desk, manager, timeout=20):
    """Presses "Начать игру!" in the manager's window, closes the game that opens as a window
    manager closes it, and gives the manager's window once it is back."""
    left, top, _, _ = desk.geometry(manager)
    desk.click(left + START_BUTTON[0], top + START_BUTTON[1])
    game, _ = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE), timeout)
    desk.close_window(game)
    return desk.wait_window(lambda t: t == MANAGER_TITLE, timeout)[0]


def run_cases(cases, check):
    """Runs check(desk, case) for each (name, case) on one private desktop. A check gives the
    list of what went wrong, or raises; a failed case leaves a screenshot. Prints the failures
    and gives the exit status."""
    desk = Desk()
    failures = []
    try:
        for name, case in cases:
            try:
                found = check(desk, case) or []
            except Exception as error:  # noqa: BLE001 - report and go on with the next case
                found = [repr(error)]
            if found:
                shot = tempfile.mktemp(prefix="failure-", suffix=".png")
                desk.screenshot(shot)
                failures += [f"{name}: {f} (see {shot})" for f in found]
            for window, _ in desk.windows():
                desk.close_window(window)
            while _made:  # a failed case keeps its play directory to look at
                folder = _made.pop()
                if not found:
                    shutil.rmtree(folder, ignore_errors=True)
    finally:
        desk.close()
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(cases) - len({f.split(':')[0] for f in failures})} of {len(cases)} passed")
    return 1 if failures else 0

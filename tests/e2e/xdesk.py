"""A desktop for end-to-end tests: a private Xvfb, and the few things a user does to windows
(find one by its title, close it as a window manager's close button does, click, type)."""

import os
import shutil
import subprocess
import tempfile
import time

from Xlib import X, Xatom, display, protocol
from Xlib.ext import xtest


class Desk:
    def __init__(self):
        self.number = None
        self.server = None
        for n in range(70, 200):
            if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
                self.server = subprocess.Popen(
                    ["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-noreset", "-nolisten", "tcp"],
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                deadline = time.time() + 10
                while time.time() < deadline and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
                    if self.server.poll() is not None:
                        break
                    time.sleep(0.02)
                if self.server.poll() is None and os.path.exists(f"/tmp/.X11-unix/X{n}"):
                    self.number = n
                    break
        if self.number is None:
            raise RuntimeError("no Xvfb could be started")
        self.name = f":{self.number}"
        self.x = display.Display(self.name)
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

    def _title(self, window):
        try:
            prop = window.get_full_property(self.x.intern_atom("_NET_WM_NAME"), 0)
            if prop and prop.value:
                value = prop.value
                return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
            name = window.get_wm_name()
            return name or ""
        except Exception:
            return ""

    def windows(self):
        """Top-level windows that are mapped, with their titles."""
        found = []
        for w in self.x.screen().root.query_tree().children:
            try:
                if w.get_attributes().map_state != X.IsViewable:
                    continue
            except Exception:
                continue
            found.append((w, self._title(w)))
        return found

    def wait_window(self, predicate, timeout=15.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            for w, title in self.windows():
                if predicate(title):
                    return w, title
            time.sleep(0.05)
        raise TimeoutError("no window: " + repr([t for _, t in self.windows()]))

    def close_window(self, window):
        """What a window manager's close button does: WM_DELETE_WINDOW."""
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        self.x.flush()

    def click(self, window, x, y, button=1):
        pos = window.translate_coords(self.x.screen().root, 0, 0)
        xtest.fake_input(self.x, X.MotionNotify, x=-pos.x + x, y=-pos.y + y)
        xtest.fake_input(self.x, X.ButtonPress, button)
        xtest.fake_input(self.x, X.ButtonRelease, button)
        self.x.sync()

    def key(self, keysym_name):
        from Xlib import XK
        code = self.x.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        xtest.fake_input(self.x, X.KeyPress, code)
        xtest.fake_input(self.x, X.KeyRelease, code)
        self.x.sync()

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", path], check=False)

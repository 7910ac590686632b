"""The eye-estimation game on a real X server: once a mouse task is on the picture, the keys
the player presses do nothing; the blank must not flip the sound switch.

    okulen_keys_e2e.py OKULEN_PROGRAM
"""

import os
import shutil
import subprocess
import sys
import tempfile

from Xlib import X

from xdesk import read, run_cases, wait_for

START_BUTTON = (244, 355)  # the left middle of "Начать игру", window pixels
SOUND_SWITCH = 49 * 50  # slot 50 of okulen.dat, 50 bytes a slot


def sound_switch(play):
    data = read(os.path.join(play, "okulen.dat"))[SOUND_SWITCH:SOUND_SWITCH + 2]
    return int.from_bytes(data.ljust(2, b"\0"), "little")


def check(desk, program):
    play = tempfile.mkdtemp(prefix="e2e-okulen-")
    shutil.copy(program, play)
    proc = subprocess.Popen(["./okulen", "2"], cwd=play, env=desk.env(),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window, _ = desk.wait_window(lambda t: t == "Глазомер - поиск середины")
        left, top, _, _ = desk.geometry(window)
        x, y = left + START_BUTTON[0], top + START_BUTTON[1]
        white = lambda: desk.x.screen().root.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFF).data[:3]
        before = sound_switch(play)
        desk.click(x, y)
        # Started: the button is gone and the white picture shows where it stood.
        if wait_for(lambda: white() == b"\xff\xff\xff", 10) is None:
            return ["the game did not start"]
        desk.keys("space", "Tab", "space", "Return", "space")
        # The window handles its events in order: once it is gone, the keys were handled.
        desk.close_window(window)
        proc.wait(timeout=15)
        return [f"the keys flipped the sound switch from {before}"] if sound_switch(play) != before else []
    finally:
        proc.kill()
        shutil.rmtree(play, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(run_cases([("okulen 2", sys.argv[1])], check))

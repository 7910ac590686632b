"""The suite for Windows under Wine, its X display a private Xvfb: every game started as
"<game>.exe 1" opens its window with a Russian title, vertun's above all others; tropheon.exe
shows its main window; a game started from it and closed hands back "-1" the Windows way (the
hand-off file and a new process), and the manager comes back; a round of rysko left alone
hands a result of 0, for which the manager asks the player's name.

    wine_e2e.py SUITE_FOLDER WINE
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

from xdesk import MANAGER_TITLE, run_cases, start_and_close_a_game, wait_for


def check(desk, case):
    suite, wine = case
    play = os.path.join(tempfile.mkdtemp(prefix="e2e-wine-"), "Трофеон")
    shutil.copytree(suite, play)
    env = dict(desk.env(), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    run = lambda *args: subprocess.Popen([wine, *args], cwd=play, env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        games = sorted(f for f in os.listdir(play) if f.endswith(".exe") and f != "tropheon.exe")
        for program in games:
            game = run(program, "1")
            window, title = desk.wait_window(lambda t: t != "", 90)
            # Vertun's window, and only its, stays above all others (Wine tells X so).
            state = window.get_full_property(desk.x.intern_atom("_NET_WM_STATE"), 0)
            above = state is not None and desk.x.intern_atom("_NET_WM_STATE_ABOVE") in state.value
            if not re.search("[А-Яа-яЁё]", title) or above != (program == "vertun.exe"):
                return [f"{program} opened a window titled {title!r}, above all others: {above}"]
            game.kill()  # closing would start the manager
            game.wait()
            if wait_for(lambda: not desk.windows(), 30) is None:
                return [f"{program}'s window outlived its process"]
        run("tropheon.exe")
        window = desk.wait_window(lambda t: t == MANAGER_TITLE, 120)[0]
        desk.close_window(start_and_close_a_game(desk, window, 60))
        wait_for(lambda: desk.find(MANAGER_TITLE) is None, 30)
        # Rysko's minute runs out untouched: 0 hits, told in a message; OK hands the result
        # over, which earns a place, so the manager asks whose it is.
        run("rysko.exe", "1")
        game, title = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE), 60)
        message = wait_for(lambda: [w for w, t in desk.windows() if t == title and w != game], 150)
        x, y, width, height = desk.geometry(message[0])
        desk.move_pointer(x + width // 2, y + height // 2)  # the key goes there, focus or not
        desk.keys("Return")
        desk.wait_window(lambda t: t == "Регистрация рекорда", 60)
        return []
    finally:
        server = os.path.join(os.path.dirname(wine), "wineserver")
        subprocess.run([server if os.path.exists(server) else "wineserver", "-k"], env=env,
                       check=False)


if __name__ == "__main__":
    sys.exit(run_cases([("the suite under Wine", (sys.argv[1], sys.argv[2]))], check))

"""The suite for Windows under Wine, its X display a private Xvfb: tropheon.exe shows its main
window; a game started from it and closed hands back "-1" the Windows way (the hand-off file
and a new process), and the manager comes back; a round of rysko left alone hands a result of
0, for which the manager asks the player's name.

    wine_e2e.py SUITE_FOLDER WINE
"""

import os
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
    env.pop("QT_QPA_PLATFORM", None)
    run = lambda *args: subprocess.Popen([wine, *args], cwd=play, env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        run("tropheon.exe")
        window = desk.wait_window(lambda t: t == MANAGER_TITLE, 120)[0]
        desk.close_window(start_and_close_a_game(desk, window, 60))
        wait_for(lambda: desk.find(MANAGER_TITLE) is None, 30)
        # Rysko's minute runs out untouched: 0 hits, a result that earns a place.
        run("rysko.exe", "1")
        desk.wait_window(lambda t: t == "Регистрация рекорда", 150)
        return []
    finally:
        subprocess.run(["wineserver", "-k"], env=env, check=False)


if __name__ == "__main__":
    sys.exit(run_cases([("the suite under Wine", (sys.argv[1], sys.argv[2]))], check))

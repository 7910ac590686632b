"""Every data file that the results manager and the games read, replaced by a named pipe: each
program still shows its window, tells of the unreadable files at most once, ends when closed,
and writes nothing into a pipe. The test holds both ends of every pipe open, so a program that
opened one the ordinary way would wait forever in its read."""

import glob
import os
import stat
import subprocess
import sys
import time

from xdesk import MANAGER_TITLE, make_play, run_cases, running_in, wait_for

WARNINGS = ("Ошибка", "Трофеон")  # the titles of the warnings about unreadable files
GAME = "game"  # stands for the game's own window, whatever its title
# Yes to a question whose No is the default: the focus from No to Yes, then press it.
YES = ("Tab", "space")


def main():
    repo, build, forge, testgame = sys.argv[1:5]
    games = sorted(os.path.basename(os.path.dirname(p))
                   for p in glob.glob(f"{repo}/games/*/catalogue.txt"))
    tables = [f"DATA/{g}/res{k}.dat" for g in games for k in range(9)]
    handoff = "testgame*2*" + subprocess.run([forge, "code", "testgame", "2", "77", "0"], check=True,
                                             capture_output=True, text=True).stdout.strip()
    # what: program, command line, files made pipes, windows in the order they show (each is
    # closed, or answered with the keys given beside its title), warnings expected
    cases = [
        ("manager", ("tropheon", [], ["tropheon.dat", "users.dat", "lines.dat"] +
                     [f"{g}.pra" for g in games] + tables, [MANAGER_TITLE], 1)),
        ("manager with a result", ("tropheon", [handoff], ["users.dat", "sound/*"],
                                   ["Регистрация рекорда", ("Трофеон", YES), MANAGER_TITLE], 0)),
    ] + [(g, (g, ["1"], [f"{g}.dat", "717.bol"] +
              (["DATA/korvat/record1.dat"] if g == "korvat" else []), [GAME, "ERROR"], 1))
         for g in games]

    def check(desk, case):
        program, args, pipes, windows, warnings = case
        play = make_play(repo, build, testgame)
        if handoff in args:
            # A fresh hand-off file, and the sound on so that the manager looks for sounds.
            subprocess.run([forge, "file", play, handoff, "0"], check=True)
            with open(os.path.join(play, "tropheon.dat"), "wb") as f:
                f.write(b"\x01\x00")
        held = {}
        for pattern in pipes:
            for path in glob.glob(os.path.join(play, pattern)) or [os.path.join(play, pattern)]:
                os.makedirs(os.path.dirname(path), exist_ok=True)
                if os.path.lexists(path):
                    os.remove(path)
                os.mkfifo(path)
                held[path] = os.open(path, os.O_RDWR | os.O_NONBLOCK)
        proc = subprocess.Popen([os.path.join(play, program)] + args, cwd=play, env=desk.env(),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            return close_all(desk, proc, play, windows, warnings, held)
        finally:
            for pid in running_in(play):
                os.kill(pid, 9)
            proc.wait()
            for fd in held.values():
                os.close(fd)

    return run_cases(cases, check)


def close_all(desk, proc, play, windows, warnings, held):
    """Closes the windows as they show, warnings among them, and says what went wrong."""
    told = 0
    for wanted in windows:
        wanted, keys = wanted if isinstance(wanted, tuple) else (wanted, None)
        # Warnings may come first; each is closed as the player closes it.
        while True:
            window, title = desk.wait_window(
                lambda t: t in WARNINGS or t == wanted or
                (wanted == GAME and t not in ("", "ERROR", MANAGER_TITLE)))
            if keys and title == wanted:
                time.sleep(0.3)
                desk.keys(*keys)
                wait_for(lambda: window not in [w for w, _ in desk.windows()], 5)
                break
            desk.close_window(window)
            if title in WARNINGS:
                told += 1
                wait_for(lambda: window not in [w for w, _ in desk.windows()], 5)
                continue
            break
    proc.wait(timeout=10)
    failures = []
    if not wait_for(lambda: not desk.windows() and not running_in(play), 10):
        failures.append(f"still running, windows {desk.windows()}")
    if told != warnings:
        failures.append(f"{told} warnings, expected {warnings}")
    for path, fd in held.items():
        if os.path.lexists(path) and not stat.S_ISFIFO(os.lstat(path).st_mode):
            failures.append(f"{path} replaced")
        try:
            if os.read(fd, 1):
                failures.append(f"written into {path}")
        except BlockingIOError:
            pass
    return failures

if __name__ == "__main__":
    sys.exit(main())

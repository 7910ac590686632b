"""Every data file that the results manager and the games read, replaced by a named pipe: each
program still shows its window, tells of the unreadable files at most once, ends when closed,
and writes nothing into a pipe. The test holds both ends of every pipe open, so a program that
opened one the ordinary way would wait forever in its read."""

import glob
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

from xdesk import Desk, wait_for

MANAGER_TITLE = "Трофеон            Версия 3.1"
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
    # what, command line, files made pipes, windows in the order they show (each is closed, or
    # answered with the keys given beside its title), warnings expected
    cases = [
        ("manager", [], ["tropheon.dat", "users.dat", "lines.dat"] +
         [f"{g}.pra" for g in games] + tables, [MANAGER_TITLE], 1),
        ("manager with a result", [handoff], ["users.dat", "sound/*"],
         ["Регистрация рекорда", ("Трофеон", YES), MANAGER_TITLE], 0),
        ("manager with a hand-off", ["lines*1*-1"], ["717.bol"], ["ERROR"], 0),
    ] + [(g, ["1"], [f"{g}.dat", "717.bol"] + (["DATA/korvat/record1.dat"] if g == "korvat" else []),
          [GAME, "ERROR"], 1) for g in games]

    desk = Desk()
    failures = []
    try:
        for what, args, pipes, windows, warnings in cases:
            play = tempfile.mkdtemp(prefix="pipes-")
            subprocess.run([f"{repo}/scripts/make-play-dir", "--build", build, "--program", testgame,
                            "--data", f"{repo}/tests/testgame", play], check=True,
                           stdout=subprocess.DEVNULL)
            program = "tropheon" if what.startswith("manager") else what
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
                if not wait_for(lambda: not desk.windows() and not running_in(play), 10):
                    failures.append(f"{what}: still running, windows {desk.windows()}")
                if told != warnings:
                    failures.append(f"{what}: {told} warnings, expected {warnings}")
                for path, fd in held.items():
                    if os.path.lexists(path) and not stat.S_ISFIFO(os.lstat(path).st_mode):
                        failures.append(f"{what}: {path} replaced")
                    try:
                        if os.read(fd, 1):
                            failures.append(f"{what}: written into {path}")
                    except BlockingIOError:
                        pass
            except Exception as error:  # noqa: BLE001 - report, then go on with the next case
                desk.screenshot(os.path.join(play, "failure.png"))
                failures.append(f"{what}: {error} (see {play}/failure.png)")
            for pid in running_in(play):
                os.kill(pid, 9)
            proc.wait()
            for fd in held.values():
                os.close(fd)
            if not any(f.startswith(what + ":") for f in failures):
                shutil.rmtree(play, ignore_errors=True)
    finally:
        desk.close()
    for f in failures:
        print("FAILED:", f)
    failed = len({f.split(":")[0] for f in failures})
    print(f"{len(cases) - failed} passed, {failed} failed")
    return 1 if failures else 0


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


if __name__ == "__main__":
    sys.exit(main())

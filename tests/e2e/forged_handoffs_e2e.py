"""Forged hand-offs against the real results manager: a typed command line, a replayed
hand-off file, codes of another game, variant or day, hostile game ids and variants, a very
long text, a check character that does not match. None stores anything, none writes outside
the play directory, none crashes or hangs."""

import os
import subprocess
import sys
import tempfile
import time

from xdesk import Desk

MANAGER_TITLE = "Трофеон            Версия 3.1"


def snapshot(root, skip):
    seen = set()
    for base, dirs, files in os.walk(root):
        if os.path.abspath(base).startswith(skip):
            continue
        for name in dirs + files:
            path = os.path.join(base, name)
            if not os.path.abspath(path).startswith(skip):
                seen.add((path, os.path.getsize(path) if os.path.isfile(path) else -1))
    return seen


def stored_names(play):
    """Every name a table or the player list holds."""
    names = []
    for base, _, files in os.walk(os.path.join(play, "DATA")):
        for name in files:
            data = open(os.path.join(base, name), "rb").read()
            for slot in range(0, len(data), 90):  # the first of each row's three slots
                length = int.from_bytes(data[slot:slot + 2], "little", signed=True)
                if length > 0:
                    names.append(name)
    users = os.path.join(play, "users.dat")
    if os.path.exists(users) and os.path.getsize(users) > 0:
        names.append("users.dat")
    return names


def main():
    repo, build, forge = sys.argv[1], sys.argv[2], sys.argv[3]
    testgame = sys.argv[4]

    def code(game, variant, result, days_ago=0):
        return subprocess.run([forge, "code", game, str(variant), str(result), str(days_ago)],
                              check=True, capture_output=True, text=True).stdout.strip()

    good = code("testgame", 2, 77)
    cases = [
        # what, hand-off text, seconds since the hand-off file was made (None: no file), last
        ("typed by hand, no file", f"testgame*2*{good}", None, None),
        ("replayed file, 10 s old", f"testgame*2*{good}", 10, None),
        ("code of another game", f"testgame*2*{code('lines', 2, 77)}", 0, None),
        ("code of another variant", f"testgame*2*{code('testgame', 1, 77)}", 0, None),
        ("code of yesterday", f"testgame*2*{code('testgame', 2, 77, 1)}", 0, None),
        ("check character differs", f"testgame*2*{good}", 0, "A" if good[-1] != "A" else "B"),
        ("game id with ..", f"../testgame*2*{good}", 0, None),
        ("game id with slashes", f"/tmp/x/testgame*2*{good}", 0, None),
        ("game id with control characters", f"test\x01game*2*{good}", 0, None),
        ("variant 0", f"testgame*0*{good}", 0, None),
        ("variant -1", f"testgame*-1*{good}", 0, None),
        ("variant 40000", f"testgame*40000*{good}", 0, None),
        ("variant text", f"testgame*zwei*{good}", 0, None),
        ("very long text", "testgame*2*" + "A" * 20000, 0, None),
        ("no stars", "testgame", 0, None),
    ]
    desk = Desk()
    failures = []
    try:
        for what, text, age, last in cases:
            parent = tempfile.mkdtemp(prefix="forged-")
            play = os.path.join(parent, "play")
            subprocess.run([f"{repo}/scripts/make-play-dir", "--build", build, "--program", testgame,
                            "--data", f"{repo}/tests/testgame", play], check=True,
                           stdout=subprocess.DEVNULL)
            before = snapshot(parent, os.path.abspath(play))
            if age is not None:
                args = [forge, "file", play, text, str(age)] + ([last] if last else [])
                subprocess.run(args, check=True)
            proc = subprocess.Popen([os.path.join(play, "tropheon"), text], cwd=play, env=desk.env(),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                window, title = desk.wait_window(lambda t: t in ("ERROR", MANAGER_TITLE))
                desk.close_window(window)
                if title == "ERROR":
                    # After the message the manager ends by itself.
                    proc.wait(timeout=10)
                else:
                    proc.wait(timeout=10)
                if proc.returncode != 0:
                    failures.append(f"{what}: exit code {proc.returncode}")
                names = stored_names(play)
                if names:
                    failures.append(f"{what}: stored something in {names}")
                after = snapshot(parent, os.path.abspath(play))
                if after != before:
                    failures.append(f"{what}: wrote outside the play directory: {after - before}")
                if os.path.exists(os.path.join(play, "717.bol")):
                    failures.append(f"{what}: 717.bol left behind")
            except Exception as error:  # noqa: BLE001 - report, then go on with the next case
                desk.screenshot(os.path.join(parent, "failure.png"))
                failures.append(f"{what}: {error} (see {parent}/failure.png)")
                proc.kill()
    finally:
        desk.close()
    for f in failures:
        print("FAILED:", f)
    print(f"{len(cases) - len(failures)} of {len(cases)} forged hand-offs refused cleanly")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

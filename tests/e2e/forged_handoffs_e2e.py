"""Forged hand-offs against the real results manager: a typed command line, a replayed
hand-off file, codes of another game, variant or day, hostile game ids and variants, a very
long text, a check character that does not match. None stores anything, none writes outside
the play directory, none crashes or hangs."""

import glob
import os
import subprocess
import sys

from xdesk import MANAGER_TITLE, make_play, run_cases


def stored_names(play):
    """The tables that hold anything but zeros, and the player list when it names anyone."""
    files = glob.glob(os.path.join(play, "DATA", "*", "*")) + [os.path.join(play, "users.dat")]
    return [f for f in files if os.path.isfile(f) and open(f, "rb").read().strip(b"\0")]


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
        ("variant 40000", f"testgame*40000*{good}", 0, None),
        ("very long text", "testgame*2*" + "A" * 20000, 0, None),
        ("no stars", "testgame", 0, None),
    ]

    def check(desk, case):
        text, age, last = case
        play = make_play(repo, build, testgame)
        parent = os.path.dirname(play)  # a folder of its own, holding the play directory alone
        if age is not None:
            subprocess.run([forge, "file", play, text, str(age)] + ([last] if last else []),
                           check=True)
        proc = subprocess.Popen([os.path.join(play, "tropheon"), text], cwd=play, env=desk.env(),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window, _ = desk.wait_window(lambda t: t in ("ERROR", MANAGER_TITLE))
            # After the message the manager ends by itself, as it does once its window closes.
            desk.close_window(window)
            proc.wait(timeout=10)
            failures = [f"exit code {proc.returncode}"] if proc.returncode != 0 else []
            if stored_names(play):
                failures.append(f"stored something in {stored_names(play)}")
            if os.listdir(parent) != ["play"]:
                failures.append(f"wrote outside the play directory: {os.listdir(parent)}")
            if os.path.exists(os.path.join(play, "717.bol")):
                failures.append("717.bol left behind")
            return failures
        finally:
            proc.kill()

    return run_cases([(what, case) for what, *case in cases], check)

if __name__ == "__main__":
    sys.exit(main())

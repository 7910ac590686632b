# The maze game for real on a private X display, in a scratch play directory beside the real
# results manager. The real pointer walks the shortest way through maze 1, a maze pixel a
# step, as fast as the X server takes it: the run finishes without touching a wall as long as
# the game tests every position reported (positions merged into one would be joined by a line
# that cuts a corner through a wall). The maze keeps the run as its record with every position
# of its path, and Yes to the question hands the run's time to the manager, which stores it.
#
#     korvat_e2e_test.py PROGRAM REPO BUILD

import os
import subprocess
import sys
from collections import deque

sys.path.insert(0, os.path.join(sys.argv[2], "tests", "e2e"))
from xdesk import in_play, read, run_cases, wait_for  # noqa: E402 - found through the path just set
from Xlib import X  # noqa: E402
from Xlib.ext import xtest  # noqa: E402


def walk(rows):
    # The box points at the middle of the maze pixels of the shortest way from the yellow
    # field to the red one.
    came = {(x, y): None for y, row in enumerate(rows) for x, c in enumerate(row) if c == "Y"}
    queue = deque(came)
    while rows[queue[0][1]][queue[0][0]] != "R":
        x, y = queue.popleft()
        for q in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if q not in came and rows[q[1]][q[0]] in ".R":
                came[q] = (x, y)
                queue.append(q)
    way, p = [], queue[0]
    while p:
        way.insert(0, p)
        p = came[p]
    return [((2 * mx + 1) * 535 // 132, (2 * my + 1) * 359 // 88) for mx, my in way]


def run_and_hand_off(desk, play, rows):
    points = walk(rows)
    window = wait_for(lambda: desk.windows_of_class("korvat"), 15)[0]
    left, top, _, _ = desk.geometry(window)
    left, top = left + 88, top + 64  # the maze box in the window
    # No pause and no round trip between the moves: the game gets the reports of many
    # positions at once, as from a fast hand.
    for x, y in points:
        xtest.fake_input(desk.x, X.MotionNotify, x=left + x, y=top + y)
    desk.x.sync()
    question = wait_for(lambda: [w for w in desk.windows_of_class("korvat") if w != window], 10)
    if not question:
        return "the run did not finish"
    x, y, width, height = desk.geometry(question[0])
    desk.move_pointer(x + width // 2, y + height // 2)  # the key goes there, focus or not
    desk.keys("Return")
    # The manager asks for the player's name: a new one, "t".
    x, y, _, _ = desk.geometry(desk.wait_window(lambda t: t == "Регистрация рекорда", 20)[0])
    desk.click(x + 10, y + 10)  # the dialog takes the keys
    desk.keys("Tab", "Down")
    desk.wait_window(lambda t: t == "Регистрация игрока")
    desk.keys("t", "Return")
    wait_for(lambda: desk.find("Регистрация игрока") is None, 10)
    desk.keys("Return")
    table = os.path.join(play, "DATA", "korvat", "res0.dat")
    # The first row's result is the table's fourth slot: a 2-byte length and the text.
    stored = wait_for(lambda: read(table)[62:62 + int.from_bytes(read(table)[60:62], "little")], 10)
    record = read(os.path.join(play, "DATA", "korvat", "record1.dat"))
    # The first position starts the run and the last one, the only one on the red field,
    # finishes it; every one between is a point of its path: 15 bytes each, between the time
    # and the end mark.
    path = len(points) - 2
    if len(record) != 10 + 15 * path:
        return f"the record holds {(len(record) - 10) / 15} points instead of {path}"
    if stored != record[:5].strip():
        return f"the manager stored {stored!r} for a run of {record[:5]!r} ticks"
    return None


def main():
    repo, build = sys.argv[2:4]
    rows = open(os.path.join(repo, "games", "korvat", "mazes", "maze1.txt")).read().split()

    def test(desk, play, _):
        subprocess.Popen(["./korvat", "1"], cwd=play, env=desk.env(), stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        return run_and_hand_off(desk, play, rows)

    return run_cases([("maze 1", None)], in_play(repo, build, test))


if __name__ == "__main__":
    sys.exit(main())

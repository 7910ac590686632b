"""The results manager for real, in a scratch play directory on a private X display, driven
with the real mouse and keyboard as a player drives it: over the rules box, holding both mouse
buttons saves the rules (a Tab typed there moves on instead of typing a tab), and a right
click alone opens the box's menu. (Naming a result by the real keys: history_e2e.py.)

    manager_e2e.py REPO BUILD FORGE TESTGAME
"""

import os
import subprocess
import sys

from xdesk import MANAGER_TITLE as MAIN, in_play, read, run_cases, wait_for


def the_rules_are_saved_with_both_buttons(desk, play, _):
    with open(os.path.join(play, "testgame.txt"), "w", encoding="utf-8") as script:
        script.write("none")
    subprocess.run(["./testgame", "1"], cwd=play, env=desk.env(), check=True, timeout=20)
    window, _ = desk.wait_window(lambda t: t == MAIN, 20)
    left, top, _, _ = desk.geometry(window)
    rules = os.path.join(play, "testgame.pra")
    before = read(rules)
    # The save point lies just inside the rules box's corner (the box stands at 8, 152).
    x, y = left + 11, top + 155
    inside = f"{x + 20},{y + 10}"
    desk.click(x + 20, y + 10)
    desk.keys("z", "Tab")
    desk.mouse(inside, "+1", "+3", f"{x},{y}", "-3", "-1")
    if not wait_for(lambda: read(rules) != before, 10):
        return "holding both buttons did not save the rules"
    saved = read(rules)
    if b"z" not in saved or b"\t" in saved:
        return f"the saved rules hold {saved[:40]!r}"
    desk.mouse(inside, "+3", "-3")
    if not desk.wait_window(lambda t: t != MAIN and t != "", 10):
        return "a right click alone opened no menu"
    desk.keys("Escape")
    return None


def main():
    repo, build, _, testgame = sys.argv[1:5]
    return run_cases([("TheRulesAreSavedWithBothButtons", None)],
                     in_play(repo, build, the_rules_are_saved_with_both_buttons, testgame))

if __name__ == "__main__":
    sys.exit(main())

"""The results manager for real, in a scratch play directory on a private X display, driven
with the real mouse and keyboard as a player drives it:

- the test game hands over a result; the player names it "tester" through "Новое имя...",
  the table stores it, and the main window appears only once the submission window is closed;
- over the rules box, holding both mouse buttons saves the rules (a Tab typed there moves on
  instead of typing a tab), and a right click alone opens the box's menu.

    manager_e2e.py REPO BUILD FORGE TESTGAME
"""

import os
import subprocess
import sys

from xdesk import MANAGER_TITLE as MAIN, make_play, read, run_cases, running_in, wait_for

NAME_DIALOG = "Регистрация рекорда"
NAME_INPUT = "Регистрация игрока"


def a_result_is_named_stored_and_shown(desk, play):
    subprocess.run(["./testgame", "3"], cwd=play, env=desk.env(), check=True, timeout=20)
    dialog, _ = desk.wait_window(lambda t: t == NAME_DIALOG, 20)
    if desk.find(MAIN):
        return "the main window shows before the result is named"
    left, top, _, _ = desk.geometry(dialog)
    # The name list's first entry is "Новое имя...".
    desk.click(left + 108, top + 83)
    desk.wait_window(lambda t: t == "tropheon")
    desk.keys("Home", "Return")
    field, _ = desk.wait_window(lambda t: t == NAME_INPUT)
    x, y, width, _ = desk.geometry(field)
    desk.click(x + width // 2, y + 8)
    desk.keys("t", "e", "s", "t", "e", "r", "Return")
    desk.click(left + 252, top + 36)  # OK
    if not wait_for(lambda: desk.find(NAME_DIALOG) is None, 10):
        return "the name dialog stays after OK"
    submission, title = desk.wait_window(lambda t: t not in ("", MAIN, NAME_DIALOG), 20)
    if desk.find(MAIN):
        return "the main window shows beside the submission window"
    table = read(os.path.join(play, "DATA", "testgame", "res2.dat"))
    if b"tester" not in table or b"77" not in table or b"tester" not in read(
            os.path.join(play, "users.dat")):
        return "the result or the name is not stored"
    desk.close_window(submission)
    desk.wait_window(lambda t: t == MAIN, 20)
    return None


def the_rules_are_saved_with_both_buttons(desk, play):
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

    def check(desk, case):
        test, result = case
        play = make_play(repo, build, testgame)
        with open(os.path.join(play, "testgame.txt"), "w", encoding="utf-8") as script:
            script.write(result)
        try:
            failure = test(desk, play)
            return [failure] if failure else []
        finally:
            for pid in running_in(play):
                os.kill(pid, 9)

    return run_cases([("AResultIsNamedStoredAndShown", (a_result_is_named_stored_and_shown, "result 77")),
                      ("TheRulesAreSavedWithBothButtons", (the_rules_are_saved_with_both_buttons, "none"))],
                     check)

if __name__ == "__main__":
    sys.exit(main())

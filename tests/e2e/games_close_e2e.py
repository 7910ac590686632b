"""Every game, started by the results manager's start command and closed by the player as a
window manager closes it, hands over to the real results manager, which opens that game's
table for that variant and shows its window. The typing game, which switches the keyboard to
the layout of its variant, puts back the layout the player had."""

import os
import subprocess
import sys

from xdesk import MANAGER_TITLE, in_play, run_cases, running_in, wait_for


def main():
    repo, build = sys.argv[1], sys.argv[2]

    def test(desk, play, case):
        game, variant = case
        if not os.path.exists(os.path.join(play, game)):
            return ["not built"]
        failures = []
        # Russian is active, as for a player who last typed Russian; variant 9 types English.
        layouts = game == "klavon" and desk.set_keyboard_layouts("us,ru")
        if layouts and desk.keyboard_group(lock=1) != 1:
            failures.append("the Russian layout could not be made active")
        proc = subprocess.Popen([f"./{game}", variant], cwd=play, env=desk.env(),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window, _ = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE))
        if layouts and not wait_for(lambda: desk.keyboard_group() == 0, 10):
            failures.append("the game did not switch to US English")
        desk.close_window(window)
        proc.wait(timeout=10)
        if layouts and desk.keyboard_group() != 1:
            failures.append("the Russian layout is not back")
        manager, _ = desk.wait_window(lambda t: t == MANAGER_TITLE)
        table = os.path.join(play, "DATA", game, f"res{int(variant) - 1}.dat")
        if not os.path.exists(table) or os.path.getsize(table) != 60 * 30:
            failures.append(f"table {table} not made with 60 slots")
        desk.close_window(manager)
        wait_for(lambda: not running_in(play), 10)
        return failures

    cases = [(c.replace(":", " "), c.split(":")) for c in sys.argv[3:]]  # game:variant
    return run_cases(cases, in_play(repo, build, test))


if __name__ == "__main__":
    sys.exit(main())

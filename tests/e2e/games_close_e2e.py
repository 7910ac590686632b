"""Every game, started by the results manager's start command and closed by the player as a
window manager closes it, hands over to the real results manager, which opens that game's
table for that variant and shows its window. The typing game, which switches the keyboard to
the layout of its variant, puts back the layout the player had."""

import os
import subprocess
import sys
import tempfile
import time

from xdesk import Desk, wait_for

MANAGER_TITLE = "Трофеон            Версия 3.1"


def main():
    repo, build = sys.argv[1], sys.argv[2]
    cases = [c.split(":") for c in sys.argv[3:]]  # game:variant
    desk = Desk()
    failures = []
    try:
        for game, variant in cases:
            play = tempfile.mkdtemp(prefix=f"e2e-{game}-")
            subprocess.run([f"{repo}/scripts/make-play-dir", "--build", build, play], check=True,
                           stdout=subprocess.DEVNULL)
            if not os.path.exists(os.path.join(play, game)):
                failures.append(f"{game}: not built")
                continue
            # Russian is active, as for a player who last typed Russian; variant 9 types English.
            layouts = game == "klavon" and desk.set_keyboard_layouts("us,ru")
            if layouts and desk.keyboard_group(lock=1) != 1:
                failures.append("klavon: the Russian layout could not be made active")
            proc = subprocess.Popen([f"./{game}", variant], cwd=play, env=desk.env(),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                window, _ = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE))
                if layouts and not wait_for(lambda: desk.keyboard_group() == 0, 10):
                    failures.append("klavon 9: the game did not switch to US English")
                desk.close_window(window)
                proc.wait(timeout=10)
                if layouts and desk.keyboard_group() != 1:
                    failures.append("klavon 9: the Russian layout is not back")
                manager, _ = desk.wait_window(lambda t: t == MANAGER_TITLE)
                table = os.path.join(play, "DATA", game, f"res{int(variant) - 1}.dat")
                if not os.path.exists(table) or os.path.getsize(table) != 60 * 30:
                    failures.append(f"{game} {variant}: table {table} not made with 60 slots")
                if os.path.exists(os.path.join(play, "717.bol")):
                    failures.append(f"{game} {variant}: 717.bol left behind")
                desk.close_window(manager)
                deadline = time.time() + 10
                while time.time() < deadline and any(t == MANAGER_TITLE for _, t in desk.windows()):
                    time.sleep(0.05)
            except Exception as error:  # noqa: BLE001 - report and go on with the next game
                desk.screenshot(os.path.join(play, "failure.png"))
                failures.append(f"{game} {variant}: {error} (see {play}/failure.png)")
                proc.kill()
            subprocess.run(["pkill", "-f", f"{play}/"], check=False)
    finally:
        desk.close()
    for f in failures:
        print("FAILED:", f)
    print(f"{len(cases) - len(failures)} of {len(cases)} games handed over to the manager")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

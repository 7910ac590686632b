"""The history under a real X server: two results of the test game are handed to the real
results manager, one earning the last place of a table (named in the name dialog) and one
earning none (kept under the current player, the name chosen last). tools/history lists both
under that name, "Прогресс" draws both as points, and "Игрок:" chosen with the real mouse and
keys is remembered.

    history_e2e.py REPO BUILD FORGE TESTGAME
"""

import os
import subprocess
import sys
import time

from Xlib import X

from xdesk import MANAGER_TITLE, make_play, read, run_cases, running_in, wait_for

TWIPS = 15  # twips a pixel
POINT = bytes([0xbf, 0x5f, 0x1f])  # the colour of the chart's points, as the image holds it


def slot(text):
    data = text.encode("cp1251")
    return len(data).to_bytes(2, "little") + data + b"\0" * (28 - len(data))


def blobs(image, width, height):
    """How many patches of at least four pixels of the points' colour the image holds."""
    seen, count = set(), 0
    inside = {(x, y) for y in range(height) for x in range(width)
              if image[4 * (y * width + x):4 * (y * width + x) + 3] == POINT}
    for start in inside:
        if start in seen:
            continue
        todo, size = [start], 0
        seen.add(start)
        while todo:
            x, y = todo.pop()
            size += 1
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in inside and n not in seen:
                    seen.add(n)
                    todo.append(n)
        count += size >= 4
    return count


def hand_off(desk, play, result):
    with open(os.path.join(play, "testgame.txt"), "w") as script:
        script.write(f"result {result}")
    subprocess.run(["./testgame", "1"], cwd=play, env=desk.env(), check=True, timeout=20)


def check(desk, case):
    repo, build, testgame = case
    play = make_play(repo, build, testgame)
    try:
        # Nineteen better results leave the last place free; Боря plays, Аня is listed too.
        table = b"".join(slot(f"R{r}") + slot("01.12.2026") + slot("100") for r in range(19))
        os.makedirs(os.path.join(play, "DATA", "testgame"))
        with open(os.path.join(play, "DATA", "testgame", "res0.dat"), "wb") as f:
            f.write(table + slot("") * 3)
        with open(os.path.join(play, "users.dat"), "wb") as f:
            f.write(slot("Боря") + slot("Аня"))
        with open(os.path.join(play, "tropheon.dat"), "wb") as f:
            f.write(b"\0" * 60 + slot("Боря"))
        hand_off(desk, play, 77)
        dialog, _ = desk.wait_window(lambda t: t == "Регистрация рекорда", 20)
        left, top, _, _ = desk.geometry(dialog)
        desk.click(left + 108, top + 83)  # the name list, Боря chosen: Аня is below
        desk.keys("Down", "Return")
        desk.click(left + 252, top + 36)  # OK
        submission, _ = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE,
                                                             "Регистрация рекорда"), 20)
        desk.close_window(submission)
        main, _ = desk.wait_window(lambda t: t == MANAGER_TITLE, 20)
        desk.close_window(main)
        wait_for(lambda: not running_in(play), 10)
        hand_off(desk, play, 50)
        main, _ = desk.wait_window(lambda t: t == MANAGER_TITLE, 20)

        csv = subprocess.run([os.path.join(play, "tools", "history"), "--game", "testgame"],
                             capture_output=True, text=True, check=True).stdout.splitlines()
        played = [line.split(",")[5:] for line in csv[1:] if "T" in line.split(",")[0]]
        if played != [["Аня", "77"], ["Аня", "50"]] or len(csv) != 1 + 19 + 2:
            return [f"tools/history printed {csv}"]

        left, top, _, _ = desk.geometry(main)
        desk.click(left + (3120 + 727) // TWIPS, top + (6405 + 157) // TWIPS)  # Прогресс
        progress, _ = desk.wait_window(lambda t: t == "Прогресс", 10)
        time.sleep(0.5)
        _, _, width, height = desk.geometry(progress)
        image = progress.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        points = blobs(image, width, height)
        if points != 2 + 1:  # the two rounds and the legend's mark
            return [f"the chart shows {points - 1} points"]
        desk.close_window(progress)
        wait_for(lambda: desk.find("Прогресс") is None, 10)

        # "Игрок:" back to Боря, by the mouse and the keys.
        desk.click(left + (870 + 1072) // TWIPS, top + (6405 + 157) // TWIPS)
        desk.keys("Up", "Return")
        if not wait_for(lambda: read(os.path.join(play, "tropheon.dat"))[60:70] == slot("Боря")[:10],
                        10):
            return ["the player chosen in the main window is not remembered"]
        return []
    finally:
        for pid in running_in(play):
            os.kill(pid, 9)


if __name__ == "__main__":
    repo, build, _, testgame = sys.argv[1:5]
    sys.exit(run_cases([("two results kept and drawn", (repo, build, testgame))], check))

"""The history under a real X server. The test game hands the real manager a result that earns
the last place, named with a new name typed in the name dialog (the main window shows only
after the submission window), and one that earns none, kept under that name as the current
player's. tools/history lists both, "Прогресс" draws both as points, and "Игрок:" chosen by
the real mouse and keys is remembered.

    history_e2e.py REPO BUILD FORGE TESTGAME
"""

import os
import subprocess
import sys
import time

from Xlib import X

from xdesk import MANAGER_TITLE, in_play, read, run_cases, running_in, wait_for

NAME_DIALOG = "Регистрация рекорда"
TWIPS = 15  # twips a pixel
POINT = bytes([0xbf, 0x5f, 0x1f])  # the colour of the chart's points, as the image holds it


def slot(text):
    data = text.encode("cp1251")
    return len(data).to_bytes(2, "little") + data + b"\0" * (28 - len(data))


def blobs(image, width, height):
    """How many patches of at least four pixels of the points' colour the image holds."""
    left = {(i % width, i // width) for i in range(width * height)
            if image[4 * i:4 * i + 3] == POINT}
    count = 0
    while left:
        todo, size = [left.pop()], 1
        while todo:
            x, y = todo.pop()
            for n in {(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)} & left:
                left.remove(n)
                todo.append(n)
                size += 1
        count += size >= 4
    return count


def hand_off(desk, play, result):
    with open(os.path.join(play, "testgame.txt"), "w") as script:
        script.write(f"result {result}")
    subprocess.run(["./testgame", "1"], cwd=play, env=desk.env(), check=True, timeout=20)


def check(desk, play, _):
    # Nineteen better results leave the last place free; bob plays.
    table = b"".join(slot(f"R{r}") + slot("01.12.2026") + slot("100") for r in range(19))
    os.makedirs(os.path.join(play, "DATA", "testgame"))
    with open(os.path.join(play, "DATA", "testgame", "res0.dat"), "wb") as f:
        f.write(table + slot("") * 3)
    with open(os.path.join(play, "users.dat"), "wb") as f:
        f.write(slot("bob"))
    with open(os.path.join(play, "tropheon.dat"), "wb") as f:
        f.write(b"\0" * 60 + slot("bob"))
    hand_off(desk, play, 77)
    dialog, _ = desk.wait_window(lambda t: t == NAME_DIALOG, 20)
    if desk.find(MANAGER_TITLE):
        return ["the main window shows before the result is named"]
    left, top, _, _ = desk.geometry(dialog)
    desk.click(left + 108, top + 83)  # the name list, bob chosen: "Новое имя..." is first
    desk.wait_window(lambda t: t == "tropheon")
    desk.keys("Home", "Return")
    field, _ = desk.wait_window(lambda t: t == "Регистрация игрока")
    x, y, width, _ = desk.geometry(field)
    desk.click(x + width // 2, y + 8)
    desk.keys("a", "n", "n", "Return")
    desk.click(left + 252, top + 36)  # OK
    submission, _ = desk.wait_window(lambda t: t not in ("", MANAGER_TITLE, NAME_DIALOG), 20)
    if desk.find(MANAGER_TITLE) or desk.find(NAME_DIALOG):
        return ["the main window or the name dialog shows beside the submission window"]
    table = read(os.path.join(play, "DATA", "testgame", "res0.dat"))
    if table[19 * 90:19 * 90 + 5] != slot("ann")[:5] or b"ann" not in read(
            os.path.join(play, "users.dat")):
        return ["the result or the name is not stored"]
    desk.close_window(submission)
    main, _ = desk.wait_window(lambda t: t == MANAGER_TITLE, 20)
    desk.close_window(main)
    wait_for(lambda: not running_in(play), 10)
    hand_off(desk, play, 50)
    main, _ = desk.wait_window(lambda t: t == MANAGER_TITLE, 20)

    csv = subprocess.run([os.path.join(play, "tools", "history"), "--game", "testgame"],
                         capture_output=True, text=True, check=True).stdout.splitlines()
    played = [line.split(",")[5:] for line in csv[1:] if "T" in line.split(",")[0]]
    if played != [["ann", "77"], ["ann", "50"]] or len(csv) != 1 + 19 + 2:
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

    # "Игрок:" back to bob, by the mouse and the keys.
    desk.click(left + (870 + 1072) // TWIPS, top + (6405 + 157) // TWIPS)
    desk.keys("Up", "Return")
    if not wait_for(lambda: read(os.path.join(play, "tropheon.dat"))[60:65] == slot("bob")[:5],
                    10):
        return ["the player chosen in the main window is not remembered"]
    return []


if __name__ == "__main__":
    repo, build, _, testgame = sys.argv[1:5]
    sys.exit(run_cases([("two results kept and drawn", None)],
                       in_play(repo, build, check, testgame)))

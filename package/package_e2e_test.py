"""The Debian package for real: made with CPack from this build, unpacked with dpkg-deb into a
scratch root, and started as a player starts it, on a private X display with a scratch HOME.
The launcher lays out ~/.local/share/tropheon and the manager shows there; a game started from
it and closed hands back to the manager in that folder. The player's switch, result and
replaced sound survive the launcher of a newer package, which brings in what that version
changed. A play directory that cannot be made is told in a message box. lintian,
desktop-file-validate and appstreamcli judge the package.

    package_e2e_test.py REPO BUILD
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(sys.argv[1], "tests", "e2e"))
from xdesk import (MANAGER_TITLE, read, run_cases, running_in,  # noqa: E402
                   start_and_close_a_game, wait_for)

SLOT = 50  # bytes a slot of a game's entry


def package(build, scratch, version):
    out = os.path.join(scratch, version)
    subprocess.run(["cpack", "-G", "DEB", "-B", out, "-D", f"CPACK_PACKAGE_VERSION={version}"],
                   cwd=build, check=True, stdout=subprocess.DEVNULL)
    deb = glob.glob(os.path.join(out, "tropheon_*.deb"))[0]
    root = os.path.join(scratch, "root-" + version)
    subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
    return deb, root


def start(desk, root, home):
    env = dict(desk.env(), HOME=home)
    env.pop("XDG_DATA_HOME", None)
    return subprocess.Popen([os.path.join(root, "usr", "games", "tropheon")], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def check(desk, case):
    build, scratch = case
    deb, old = package(build, scratch, "3.1")
    _, new = package(build, scratch, "3.2")
    home = os.path.join(scratch, "home")
    play = os.path.join(home, ".local", "share", "tropheon")
    failures = []
    try:
        start(desk, old, home)
        window = start_and_close_a_game(desk, desk.wait_window(lambda t: t == MANAGER_TITLE, 20)[0])
        lib = os.path.join(old, "usr", "lib", "games", "tropheon")
        if [os.path.realpath(f"/proc/{p}/cwd") for p in running_in(lib)] != [os.path.realpath(play)]:
            failures.append("the manager did not come back in the play directory")
        desk.close_window(window)
        wait_for(lambda: not running_in(lib) and desk.find(MANAGER_TITLE) is None, 20)

        # The player's: a switch of lines, a result, a replaced sound.
        with open(os.path.join(play, "lines.dat"), "r+b") as entry:
            entry.seek(9 * SLOT)
            entry.write(b"\x01\x00")
        os.makedirs(os.path.join(play, "DATA", "lines"), exist_ok=True)
        with open(os.path.join(play, "DATA", "lines", "res0.dat"), "wb") as table:
            table.write(b"\x03\x00Ann" + b"\0" * 25)
        with open(os.path.join(play, "sound", "start1.wav"), "wb") as sound:
            sound.write(b"the player's own start sound")
        kept = {name: read(os.path.join(play, name)) for name in (
            "DATA/lines/res0.dat", "sound/start1.wav", "users.dat", "tropheon.dat")}
        # The newer version renames the game.
        template = os.path.join(new, "usr", "share", "games", "tropheon", "lines.dat")
        data = bytearray(read(template))
        data[0:SLOT] = (len(b"LINES 2").to_bytes(2, "little") + b"LINES 2").ljust(SLOT, b"\0")
        with open(template, "wb") as f:
            f.write(data)

        start(desk, new, home)
        window, _ = desk.wait_window(lambda t: t == MANAGER_TITLE, 20)
        desk.close_window(window)
        entry = read(os.path.join(play, "lines.dat"))
        if (entry[:9], entry[9 * SLOT:9 * SLOT + 2]) != (b"\x07\x00LINES 2", b"\x01\x00"):
            failures.append(f"lines.dat after the update: {entry[:20]!r} {entry[450:452]!r}")
        for name, bytes_ in kept.items():
            if read(os.path.join(play, name)) != bytes_:
                failures.append(f"{name} changed by the update")
        if not os.path.realpath(os.path.join(play, "tropheon")).startswith(new):
            failures.append("the programs still come from the older package")

        # A play directory that cannot be made: a file stands where its folder would be.
        blocked = os.path.join(scratch, "blocked")
        os.makedirs(os.path.join(blocked, ".local", "share"))
        open(os.path.join(blocked, ".local", "share", "tropheon"), "w").close()
        refused = start(desk, new, blocked)
        box, _ = desk.wait_window(lambda t: t == "Трофеон", 20)
        desk.keys("Return")
        if refused.wait(timeout=10) != 1:
            failures.append("the launcher did not end with an error")

        for tool in (["lintian", "--fail-on", "error,warning", deb],
                     ["desktop-file-validate",
                      os.path.join(old, "usr", "share", "applications", "tropheon.desktop")],
                     ["appstreamcli", "validate", "--no-net"] +
                     glob.glob(os.path.join(old, "usr", "share", "metainfo", "*.xml"))):
            run = subprocess.run(tool, capture_output=True, text=True)
            if run.returncode != 0:
                failures.append(f"{tool[0]}: {run.stdout}{run.stderr}")
        return failures
    finally:
        for root in (old, new):
            for pid in running_in(os.path.join(root, "usr")):
                os.kill(pid, 9)


if __name__ == "__main__":
    if shutil.which("dpkg-deb") is None:
        print("SKIPPED: dpkg-deb is missing, so the package cannot be unpacked")
        sys.exit(0)
    scratch = tempfile.mkdtemp(prefix="e2e-package-")
    try:
        sys.exit(run_cases([("the package", (os.path.abspath(sys.argv[2]), scratch))], check))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

#!/usr/bin/python3
"""Start-up, hand-over and memory of every program of the suite, beside a plain Qt program.

Runs on a private Xvfb in a scratch play directory made by scripts/make-play-dir, and measures
over repeated, interleaved runs:

  start      from the start of a program until its first window is first drawn; the manager
             starts with an empty command line, the games with variant 1;
  hand-over  from the moment a game starts the manager (the hand-off file is written and
             closed just before) until the manager's first window is first drawn, for a
             hand-off with "-1" and for a result that earns no place in a full table;
  memory     the peak resident memory of each program (VmHWM) once its window is up.

The floor of each is floor_window (bench/floor_window.cpp): one window with twenty labels and
buttons, and for the hand-over one floor_window starting another. Prints one table and writes
it to a file.

  bench/startup_bench.py --build build/bench [--runs 15] [--out bench-results.txt]

The build needs the targets bench_programs (every program, the test game, floor_window,
mkdata, mksounds).
"""

import argparse
import ctypes
import os
import random
import select
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import time

from Xlib import X, display
from Xlib.ext import damage

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MANAGER = "tropheon"
FLOOR = "floor_window"
TESTGAME = "testgame"
HANDOFF_FILE = "717.bol"
FLOOR_HANDOFF_FILE = "floor.bol"
HANDOFF_WINDOW_MS = 5000
# Programs of the build given with --compare are named with this mark in the table.
BEFORE_MARK = " (before)"

# Goals, as ratios to the floor measured in the same run.
START_GOAL = 1.25
HANDOVER_GOAL = 1.5
HANDOVER_SHARE_GOAL = 0.05
MEMORY_GOAL = 1.3

IN_CLOSE_WRITE = 0x00000008
IN_NONBLOCK = 0o4000
IN_CLOEXEC = 0o2000000
PR_SET_CHILD_SUBREAPER = 36

libc = ctypes.CDLL(None, use_errno=True)


# ---- statistics ----------------------------------------------------------------------------


def quartiles(values):
    """Median and the 25th and 75th percentiles (linear between neighbours)."""
    data = sorted(values)

    def at(q):
        pos = q * (len(data) - 1)
        low = int(pos)
        high = min(low + 1, len(data) - 1)
        return data[low] + (data[high] - data[low]) * (pos - low)

    return at(0.5), at(0.25), at(0.75)


class Series:
    def __init__(self):
        self.values = []

    def add(self, value):
        self.values.append(value)

    def median(self):
        return statistics.median(self.values) if self.values else float("nan")

    def describe(self, unit_format="{:.1f}"):
        if not self.values:
            return ["-", "-", "-"]
        med, q1, q3 = quartiles(self.values)
        return [unit_format.format(med), (unit_format + "–" + unit_format).format(q1, q3),
                unit_format.format(max(self.values))]


# ---- the desktop ---------------------------------------------------------------------------


def free_display(first):
    for n in range(first, first + 100):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise RuntimeError("no free display number")


class Desk:
    """A private Xvfb and a watch on every top-level window: when it is mapped, which process
    owns it, and when it is first drawn into."""

    def __init__(self, number):
        self.number = number
        self.server = subprocess.Popen(
            ["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-noreset", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            if self.server.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"Xvfb :{number} did not start")
            time.sleep(0.02)
        try:
            self.x = display.Display(f":{number}")
            if not self.x.has_extension("DAMAGE"):
                raise RuntimeError("the X server has no DAMAGE extension")
            self.x.damage_query_version()
        except Exception:
            self.server.terminate()
            self.server.wait()
            raise
        self.damage_event = self.x.query_extension("DAMAGE").first_event + damage.DamageNotifyCode
        self.root = self.x.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.pid_atom = self.x.intern_atom("_NET_WM_PID")
        self.x.sync()
        self.windows = {}  # window id -> state
        self.shown = []  # (time, pid, title) of windows first drawn after being mapped

    def env(self, runtime):
        env = dict(os.environ)
        env.update({"DISPLAY": f":{self.number}", "QT_QPA_PLATFORM": "xcb",
                    "XDG_RUNTIME_DIR": runtime})
        return env

    def close(self):
        self.x.close()
        self.server.terminate()
        self.server.wait()

    def fileno(self):
        return self.x.fileno()

    def _pid_and_title(self, window):
        pid = None
        title = ""
        try:
            prop = window.get_full_property(self.pid_atom, X.AnyPropertyType)
            if prop and len(prop.value):
                pid = int(prop.value[0])
            name = window.get_full_property(self.x.intern_atom("_NET_WM_NAME"), 0)
            if name and name.value:
                value = name.value
                title = value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
        except Exception:
            pass
        return pid, title

    def pump(self):
        """Handles every event that has arrived, stamping each with the time it was read."""
        while self.x.pending_events():
            event = self.x.next_event()
            now = time.perf_counter()
            if event.type == X.CreateNotify:
                window = event.window
                try:
                    window.damage_create(damage.DamageReportNonEmpty)
                except Exception:
                    pass
                self.windows[window.id] = {"window": window, "mapped": None, "drawn": None}
            elif event.type == X.MapNotify:
                state = self.windows.get(event.window.id)
                if state is not None and state["mapped"] is None:
                    state["mapped"] = now
            elif event.type == X.DestroyNotify:
                self.windows.pop(event.window.id, None)
            elif event.type == self.damage_event:
                state = self.windows.get(event.drawable.id)
                if state is not None and state["mapped"] is not None and state["drawn"] is None:
                    state["drawn"] = now
                    pid, title = self._pid_and_title(state["window"])
                    self.shown.append((now, pid, title))
        self.x.flush()


class Inotify:
    def __init__(self, folder):
        self.fd = libc.inotify_init1(IN_NONBLOCK | IN_CLOEXEC)
        if self.fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init1")
        if libc.inotify_add_watch(self.fd, folder.encode(), IN_CLOSE_WRITE) < 0:
            raise OSError(ctypes.get_errno(), "inotify_add_watch")
        self.closed = []  # (time, file name)

    def fileno(self):
        return self.fd

    def pump(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return
            now = time.perf_counter()
            offset = 0
            while offset < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
                self.closed.append((now, name))
                offset += 16 + length


def comm_of(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except OSError:
        return ""


def maps_sound_machinery(pid):
    """Whether the process has Qt Multimedia loaded."""
    try:
        with open(f"/proc/{pid}/maps") as f:
            return "libQt6Multimedia" in f.read()
    except OSError:
        return False


def peak_rss_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return None


class Bench:
    def __init__(self, desk, play, runtime, settle):
        self.desk = desk
        self.play = play
        self.runtime = runtime
        self.settle = settle
        self.watch = Inotify(play)
        self.sound_at_start = set()  # programs that loaded the sound machinery unasked

    def wait(self, condition, timeout):
        """Pumps the X events and the file watch until condition() gives a value."""
        deadline = time.perf_counter() + timeout
        while True:
            self.desk.pump()
            self.watch.pump()
            value = condition()
            if value is not None:
                return value
            left = deadline - time.perf_counter()
            if left <= 0:
                return None
            select.select([self.desk, self.watch], [], [], min(left, 0.05))

    def pause(self, seconds):
        self.wait(lambda: None, seconds)

    def first_shown(self, accept, since):
        for t, pid, title in self.desk.shown:
            if t >= since and pid is not None and accept(pid, title):
                return t, pid, title
        return None

    def end(self, pid):
        """Ends a process of this run by its id and waits until it is gone."""
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            try:
                done, _ = os.waitpid(pid, os.WNOHANG)
                if done == pid:
                    return
            except ChildProcessError:
                if not os.path.exists(f"/proc/{pid}"):
                    return
            time.sleep(0.005)

    def reap(self):
        while True:
            try:
                done, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if done == 0:
                return

    def launch(self, name, args):
        if name == FLOOR:
            path = os.path.join(self.play, "floor", FLOOR)
        elif name.endswith(BEFORE_MARK):
            path = os.path.join(self.play, "before", name[:-len(BEFORE_MARK)])
        else:
            path = os.path.join(self.play, name)
        return subprocess.Popen([path] + args, cwd=self.play,
                                env=self.desk.env(self.runtime), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def start(self, name, args):
        """Milliseconds from the start until the first window is drawn, and the peak memory."""
        self.desk.shown.clear()
        t0 = time.perf_counter()
        process = self.launch(name, args)
        shown = self.wait(lambda: self.first_shown(lambda pid, _: pid == process.pid, t0), 20)
        if shown is None:
            self.end(process.pid)
            raise RuntimeError(f"{name} {' '.join(args)}: no window within 20 s")
        self.pause(self.settle)
        rss = peak_rss_mb(process.pid)
        if maps_sound_machinery(process.pid) and not name.endswith(BEFORE_MARK):
            self.sound_at_start.add(name)
        self.end(process.pid)
        return (shown[0] - t0) * 1000.0, rss

    def handover(self, starter, args, mark, target):
        """Milliseconds from the closing of the hand-off file until the window of the started
        program `target` is drawn; its title and peak memory."""
        self.desk.shown.clear()
        self.watch.closed.clear()
        t0 = time.perf_counter()
        process = self.launch(starter, args)

        def marked():
            for t, name in self.watch.closed:
                if name == mark and t >= t0:
                    return t
            return None

        def started(pid, _):
            return pid != process.pid and comm_of(pid) == target

        shown = self.wait(lambda: self.first_shown(started, t0), 20)
        t_mark = marked()
        self.end(process.pid)
        if shown is None or t_mark is None:
            self.reap()
            raise RuntimeError(f"{starter} -> {target}: no hand-over seen within 20 s")
        self.pause(self.settle)
        rss = peak_rss_mb(shown[1])
        self.end(shown[1])
        self.reap()
        return (shown[0] - t_mark) * 1000.0, shown[2], rss


# ---- the play directory ----------------------------------------------------------------------


def slot_text(text, size=30):
    data = text.encode("cp1251")
    return (struct.pack("<H", len(data)) + data).ljust(size, b" ")


def write_full_table(play, game, variant_index, result):
    """Twenty rows, each holding `result`, so any smaller result earns no place."""
    folder = os.path.join(play, "DATA", game)
    os.makedirs(folder, exist_ok=True)
    rows = b""
    for r in range(20):
        rows += slot_text(f"Игрок {r + 1}") + slot_text("01.12.2026") + slot_text(str(result))
    path = os.path.join(folder, f"res{variant_index}.dat")
    with open(path, "wb") as f:
        f.write(rows)
    return path


def make_play_dir(build, play):
    testgame = os.path.join(build, "tests", "testgame", TESTGAME)
    floor = os.path.join(build, "bench", FLOOR)
    for needed in (testgame, floor):
        if not os.access(needed, os.X_OK):
            raise RuntimeError(f"{needed} is missing: build the target bench_programs first")
    subprocess.run([os.path.join(REPO, "scripts", "make-play-dir"), "--build", build,
                    "--program", testgame, "--data", os.path.join(REPO, "tests", "testgame"),
                    play], check=True, stdout=subprocess.DEVNULL)
    # In a folder of its own, so the manager does not take it for a game.
    os.mkdir(os.path.join(play, "floor"))
    shutil.copy(floor, os.path.join(play, "floor", FLOOR))


def programs_in(build):
    folder = os.path.join(build, "bin")
    names = sorted(n for n in os.listdir(folder)
                   if "." not in n and os.access(os.path.join(folder, n), os.X_OK))
    return [n for n in names if n == MANAGER] + [n for n in names if n != MANAGER]


# ---- the table ------------------------------------------------------------------------------


def verdict(ok):
    return "ok" if ok else "MISSED"


def build_table(starts, memory, handovers, runs, load):
    lines = []
    floor_start = starts[FLOOR].median()
    floor_rss = memory[FLOOR].median()
    lines.append(f"Start-up, hand-over and peak memory: {runs} runs each, interleaved; "
                 f"load average at the start {load}")
    lines.append("Times in ms (median, 25th–75th percentile, worst); memory VmHWM in MB.")
    lines.append("")
    header = (f"{'program':<20}{'start':>8}{'spread':>14}{'worst':>8}{'× floor':>9}"
              f"{'goal':>8}{'peak MB':>9}{'× floor':>9}{'goal':>8}")
    lines.append(header)
    lines.append("-" * len(header))
    for name in [FLOOR] + sorted((n for n in starts if n != FLOOR),
                                 key=lambda n: (n.replace(BEFORE_MARK, "") != MANAGER, n)):
        med, spread, worst = starts[name].describe()
        ratio = starts[name].median() / floor_start
        rss = memory[name].median()
        rss_ratio = rss / floor_rss
        is_floor = name == FLOOR
        lines.append(
            f"{name:<20}{med:>8}{spread:>14}{worst:>8}{ratio:>9.2f}"
            f"{'floor' if is_floor else verdict(ratio <= START_GOAL):>8}{rss:>9.1f}"
            f"{rss_ratio:>9.2f}{'floor' if is_floor else verdict(rss_ratio <= MEMORY_GOAL):>8}")
    lines.append("")
    header = (f"{'hand-over':<32}{'median':>8}{'spread':>14}{'worst':>8}{'× floor':>9}"
              f"{'% of 5 s':>10}{'goal':>8}{'peak MB':>9}")
    lines.append(header)
    lines.append("-" * len(header))
    floor_handover = handovers["floor_window -> floor_window"][0].median()
    for label, (series, rss) in handovers.items():
        med, spread, worst = series.describe()
        ratio = series.median() / floor_handover
        share = max(series.values) / HANDOFF_WINDOW_MS
        is_floor = label.startswith(FLOOR)
        ok = ratio <= HANDOVER_GOAL and share < HANDOVER_SHARE_GOAL
        lines.append(f"{label:<32}{med:>8}{spread:>14}{worst:>8}{ratio:>9.2f}"
                     f"{100 * share:>9.2f}%{'floor' if is_floor else verdict(ok):>8}"
                     f"{rss.median():>9.1f}")
    lines.append("")
    lines.append(f"Goals: start ≤ {START_GOAL} × floor; hand-over ≤ {HANDOVER_GOAL} × floor and "
                 f"worst < {100 * HANDOVER_SHARE_GOAL:.0f} % of 5 s; peak memory ≤ "
                 f"{MEMORY_GOAL} × floor.")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(REPO, "build", "bench"),
                        help="build folder (default build/bench)")
    parser.add_argument("--runs", type=int, default=15, help="runs of each measurement")
    parser.add_argument("--out", default="bench-results.txt", help="file for the table")
    parser.add_argument("--display", type=int, default=None,
                        help="Xvfb display number (default: the first free from 21)")
    parser.add_argument("--settle", type=float, default=0.3,
                        help="seconds a window stays up before its peak memory is read")
    parser.add_argument("--only", nargs="*", default=None, help="start only these programs")
    parser.add_argument("--compare", default=None,
                        help="another build whose programs start in the same runs, from the "
                             "same play directory (to compare a change with what was before)")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    scratch = tempfile.mkdtemp(prefix="tro-bench-")
    play = os.path.join(scratch, "play")
    runtime = os.path.join(scratch, "runtime")
    os.mkdir(runtime, 0o700)
    desk = None
    try:
        make_play_dir(build, play)
        programs = args.only if args.only else programs_in(build)
        if args.compare:
            other = os.path.join(os.path.abspath(args.compare), "bin")
            os.mkdir(os.path.join(play, "before"))
            for name in list(programs):
                if os.access(os.path.join(other, name), os.X_OK):
                    shutil.copy(os.path.join(other, name), os.path.join(play, "before", name))
                    programs.append(name + BEFORE_MARK)
        has_manager = os.access(os.path.join(play, MANAGER), os.X_OK)
        desk = Desk(args.display if args.display is not None else free_display(21))
        bench = Bench(desk, play, runtime, args.settle)
        load = os.getloadavg()[0]

        starts = {name: Series() for name in [FLOOR] + programs}
        memory = {name: Series() for name in [FLOOR] + programs}
        handovers = {"floor_window -> floor_window": (Series(), Series())}
        cases = [("testgame -> tropheon, -1", "none"),
                 ("testgame -> tropheon, no place", "result 1")]
        if has_manager:
            for label, _ in cases:
                handovers[label] = (Series(), Series())
        table_path = write_full_table(play, TESTGAME, 0, 30000)
        with open(table_path, "rb") as f:
            full_table = f.read()

        # One warm-up round, then the measured rounds, each in a new random order.
        order = random.Random(2026)
        for run in range(args.runs + 1):
            jobs = [("start", name) for name in [FLOOR] + programs]
            jobs.append(("handover", None))
            if has_manager:
                jobs += [("handover", case) for case in cases]
            order.shuffle(jobs)
            for kind, what in jobs:
                if kind == "start":
                    plain = what[:-len(BEFORE_MARK)] if what.endswith(BEFORE_MARK) else what
                    ms, rss = bench.start(what, [] if plain in (FLOOR, MANAGER) else ["1"])
                    if run > 0:
                        starts[what].add(ms)
                        memory[what].add(rss)
                elif what is None:
                    ms, _, rss = bench.handover(FLOOR, ["--start-other"], FLOOR_HANDOFF_FILE,
                                                FLOOR)
                    if run > 0:
                        handovers["floor_window -> floor_window"][0].add(ms)
                        handovers["floor_window -> floor_window"][1].add(rss)
                else:
                    label, order_text = what
                    with open(os.path.join(play, "testgame.txt"), "w") as f:
                        f.write(order_text + "\n")
                    ms, title, rss = bench.handover(TESTGAME, ["1"], HANDOFF_FILE, MANAGER)
                    os.remove(os.path.join(play, "testgame.txt"))
                    if os.path.exists(os.path.join(play, HANDOFF_FILE)):
                        raise RuntimeError(f"{label}: the manager left {HANDOFF_FILE} behind")
                    with open(table_path, "rb") as f:
                        if f.read() != full_table:
                            raise RuntimeError(f"{label}: the full table was changed")
                    if run > 0:
                        handovers[label][0].add(ms)
                        handovers[label][1].add(rss)
                    if run == 0:
                        print(f"{label}: first window of the manager is \"{title}\"",
                              file=sys.stderr)
            print(f"run {run}/{args.runs} done" + (" (warm-up)" if run == 0 else ""),
                  file=sys.stderr)

        table = build_table(starts, memory, handovers, args.runs, f"{load:.2f}")
        if bench.sound_at_start:
            table += ("\nQt Multimedia was loaded before the first sound by: " +
                      ", ".join(sorted(bench.sound_at_start)))
        if not has_manager:
            table += "\nThe manager is not built: its start and the hand-over to it are missing."
        print(table)
        with open(args.out, "w") as f:
            f.write(table + "\n")
    finally:
        if desk is not None:
            desk.close()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()

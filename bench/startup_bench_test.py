#!/usr/bin/python3
"""The arithmetic and the files of startup_bench.py: what the table says must follow from the
measurements, and the full table it plants must be one the manager reads."""

import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import startup_bench as sb  # noqa: E402


def series(values):
    s = sb.Series()
    for v in values:
        s.add(v)
    return s


class Quartiles(unittest.TestCase):
    def test_cases(self):
        cases = [
            ("one value", [7.0], (7.0, 7.0, 7.0)),
            ("odd count", [5.0, 1.0, 3.0], (3.0, 2.0, 4.0)),
            ("even count", [4.0, 1.0, 3.0, 2.0], (2.5, 1.75, 3.25)),
            ("repeated values", [2.0, 2.0, 2.0, 9.0], (2.0, 2.0, 3.75)),
        ]
        for name, values, expected in cases:
            with self.subTest(name):
                for got, want in zip(sb.quartiles(values), expected):
                    self.assertAlmostEqual(got, want)

    def test_describe_gives_median_spread_and_worst(self):
        self.assertEqual(series([30.0, 10.0, 20.0, 40.0, 50.0]).describe(),
                         ["30.0", "20.0–40.0", "50.0"])
        self.assertEqual(sb.Series().describe(), ["-", "-", "-"])


class FullTable(unittest.TestCase):
    def test_slots_hold_length_then_cp1251_text(self):
        slot = sb.slot_text("Игрок 1")
        self.assertEqual(len(slot), 30)
        self.assertEqual(struct.unpack_from("<H", slot)[0], 7)
        self.assertEqual(slot[2:9], "Игрок 1".encode("cp1251"))

    def test_twenty_named_rows_with_the_result(self):
        with tempfile.TemporaryDirectory() as play:
            path = sb.write_full_table(play, "testgame", 0, 30000)
            self.assertEqual(path, os.path.join(play, "DATA", "testgame", "res0.dat"))
            with open(path, "rb") as f:
                data = f.read()
            self.assertEqual(len(data), 60 * 30)
            for row in range(20):
                name, date, result = (data[(3 * row + k) * 30:(3 * row + k + 1) * 30]
                                      for k in range(3))
                self.assertTrue(name[2:2 + name[0]].decode("cp1251").startswith("Игрок"))
                self.assertEqual(date[2:2 + date[0]], b"01.12.2026")
                self.assertEqual(result[2:2 + result[0]], b"30000")


class Verdicts(unittest.TestCase):
    def table(self, start_ms, rss_mb, handover_ms):
        starts = {sb.FLOOR: series([40.0]), "bomvik": series([start_ms])}
        memory = {sb.FLOOR: series([30.0]), "bomvik": series([rss_mb])}
        handovers = {"floor_window -> floor_window": (series([40.0]), series([30.0])),
                     "testgame -> tropheon, -1": (series([handover_ms]), series([32.0]))}
        lines = sb.build_table(starts, memory, handovers, 1, "0.00").splitlines()
        start_row = next(line for line in lines if line.startswith("bomvik"))
        handover_row = next(line for line in lines if line.startswith("testgame"))
        return start_row.split(), handover_row.split()

    def test_each_goal_is_judged_by_its_ratio(self):
        cases = [
            # start ms, peak MB, hand-over ms: start verdict, memory verdict, hand-over verdict
            ("all at the goals", 50.0, 39.0, 60.0, "ok", "ok", "ok"),
            ("slow start", 50.1, 30.0, 40.0, "MISSED", "ok", "ok"),
            ("large memory", 40.0, 39.1, 40.0, "ok", "MISSED", "ok"),
            ("slow hand-over", 40.0, 30.0, 60.1, "ok", "ok", "MISSED"),
            # 250 ms is 5 % of the five seconds, whatever the floor.
            ("hand-over near the five seconds", 40.0, 30.0, 250.0, "ok", "ok", "MISSED"),
        ]
        for name, start, rss, handover, v_start, v_rss, v_handover in cases:
            with self.subTest(name):
                start_row, handover_row = self.table(start, rss, handover)
                self.assertEqual(start_row[5], v_start)
                self.assertEqual(start_row[8], v_rss)
                self.assertEqual(handover_row[-2], v_handover)


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pairs the benchmarks named Figure_<row> and Floor_<row> and prints each
row's figure, floor, ratio and goal in one table."""
import json
import sys

# Goal per row: (largest ratio to the floor, largest figure in ms or None).
GOALS = {
    "PollTick": (1.5, 20.0),
    "PollTickBothCoresBusy": (1.5, None),
    "StartUp": (1.5, None),
    "LibraryListing": (2.0, None),
    "LibraryTreeFill": (None, 1000.0),
    "ConfigDbScan": (1.5, 268.0),  # 256 MiB at 1 GB/s or more
    "ConfigDbScanColons": (1.5, None),
    "RandomReplacement": (None, 1000.0),  # the floor: listing the library once
    "AddMp3s": (2.0, 15000.0),  # 300 s of sound at 20 times real time; the floor: ffmpeg
    "UndoFullJournal": (None, 50.0),  # Ctrl+Z to its question after a year of use
    "MeasureSounds": (None, None),  # 100 three-second sounds; the floor: reading them
    "FirstPreview": (None, None),  # stated: the first preview loads the sound module
    "DecodeGiantBlock": (None, 1000.0),  # 5,000 s in one block, refused before it is converted
}
# Largest figure above the floor's, in ms, per row: what a feature adds.
EXTRA_GOALS = {"ThemeMatched": 50.0}  # six sounds matched in loudness, against copied
# Rows whose figure is another row's, measured once: a second floor.
SHARED_FIGURES = {"StartUpEmptyWindow": "StartUp"}
# Libraries that a start must leave to their first use.
NOT_AT_START = {"loads_qt_multimedia": "Qt Multimedia", "loads_qt_network": "Qt Network",
                "loads_gio": "GIO"}
# Largest peak memory above the floor's, in MiB, per row that measures it.
MEMORY_GOALS = {"StartUp": 30, "DecodeLongFlac": 64, "DecodeGiantBlock": 64}


def milliseconds(bench):
    factor = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[bench.get("time_unit", "ns")]
    return bench["real_time"] * factor


def main(paths):
    figures, floors, extras, stores, libraries = {}, {}, {}, {}, {}
    for path in paths:
        with open(path, encoding="utf-8") as handle:
            for bench in json.load(handle)["benchmarks"]:
                # "Figure_Row/arg/min_time:2.000", ".../iterations:1/manual_time":
                # the options are not part of the row.
                name = "/".join(part for part in bench["name"].split("/")
                                if not part.startswith(("min_time:", "iterations:"))
                                and part not in ("manual_time", "real_time"))
                kind, _, row = name.partition("_")
                if kind == "Figure":
                    figures[row] = milliseconds(bench)
                elif kind == "Floor":
                    floors[row] = milliseconds(bench)
                if "peak_rss_mib" in bench:
                    extras.setdefault(row, {})[kind] = bench["peak_rss_mib"]
                if "libraries" in bench:
                    libraries.setdefault(row, {})[kind] = bench
                for key, value in bench.items():
                    if key.startswith("store_"):
                        stores.setdefault(row, {})[key[len("store_"):]] = value
    for row, source in SHARED_FIGURES.items():
        if row in floors and source in figures:
            figures[row] = figures[source]
            for shared in (extras, libraries):
                if source in shared and "Figure" in shared[source]:
                    shared.setdefault(row, {})["Figure"] = shared[source]["Figure"]
    print(f"{'row':<34} {'figure ms':>10} {'floor ms':>10} {'ratio':>7}  goal")
    for row in sorted(set(figures) | set(floors)):
        figure, floor = figures.get(row), floors.get(row)
        ratio = figure / floor if figure and floor else None
        max_ratio, max_ms = GOALS.get(row.split("/")[0], (None, None))
        checks = []
        if max_ratio is not None and ratio is not None:
            checks.append(f"ratio <= {max_ratio}: {'met' if ratio <= max_ratio else 'NOT met'}")
        if max_ms is not None and figure is not None:
            checks.append(f"<= {max_ms:g} ms: {'met' if figure <= max_ms else 'NOT met'}")
        most_extra = EXTRA_GOALS.get(row.split("/")[0])
        if most_extra is not None and figure is not None and floor is not None:
            met = "met" if figure - floor <= most_extra else "NOT met"
            checks.append(f"floor + {most_extra:g} ms: {met}")
        cell = lambda v: f"{v:10.2f}" if v is not None else f"{'-':>10}"
        ratio_text = f"{ratio:7.2f}" if ratio is not None else f"{'-':>7}"
        print(f"{row:<34} {cell(figure)} {cell(floor)} {ratio_text}  {'; '.join(checks)}")
        if row in extras:
            rss = extras[row]
            figure_rss, floor_rss = rss.get("Figure", 0.0), rss.get("Floor", 0.0)
            most = MEMORY_GOALS.get(row.split("/")[0], 30)
            met = "met" if figure_rss <= floor_rss + most else "NOT met"
            print(f"{'  peak memory':<34} {figure_rss:7.1f} MiB vs {floor_rss:.1f} MiB  "
                  f"at most floor + {most} MiB: {met}")
        if row in libraries:
            counts = libraries[row]
            count = lambda kind: int(counts[kind]["libraries"]) if kind in counts else "-"
            print(f"{'  libraries at start':<34} {count('Figure'):>10} {count('Floor'):>10}")
            if "Figure" in counts:
                loaded = [name for key, name in NOT_AT_START.items() if counts["Figure"].get(key)]
                print(f"{'  loaded at start':<34} "
                      + (", ".join(loaded) if loaded else "none of "
                         + ", ".join(NOT_AT_START.values())))
        if row == "FirstPreview" and figure is not None and floor is not None:
            print(f"{'  added by the first':<34} {figure - floor:10.2f}")
        for key, value in stores.get(row, {}).items():
            print(f"{'  store ' + key.replace('_', ' '):<34} {value:10.0f}")


if __name__ == "__main__":
    main(sys.argv[1:])

"""The Python package on the largest geometry adjustment text (three full
79 x 129 other-screen grids, about 729 KB, made like the geo_adjust workload
of quon_bench: screen coordinates with four decimals near a regular raster).

Both processes run with glibc's malloc thresholds fixed (GLIBC_TUNABLES): else
a process maps and unmaps the megabyte buffers of every round trip or not,
depending on what it freed before, and the figures would compare the heaps'
histories rather than the code.

Prints the fastest of --repeat runs of each measure and two ratios:
  load+save   qcm.load(...).save() against quon_host_round_trip, a C++ host's
              records::LoadText + records::SaveText of the same text through
              the same module (1.0: as fast; the target is at most 1.3)
  arrays      the grids and tables as Python lists (to_dict(), and arrays()
              turned into lists) against obj.arrays() (the target is at least 10)

usage: python_round_trip.py [--repeat N]
  run by the interpreter the package was built for, with the package and the
  C++ host found through PYTHONPATH and QUON_HOST_ROUND_TRIP, e.g.
  PYTHONPATH=build/default/python QUON_HOST_ROUND_TRIP=build/default/bin/quon_host_round_trip \\
      /usr/bin/python3 bench/python_round_trip.py
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy as np

import quoncoremodel as qcm

ROOT = pathlib.Path(__file__).resolve().parent.parent
ROWS, COLUMNS = 79, 129
TUNABLES = "glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=67108864"


def largest_text():
    """The sample wall with its three grids replaced by full ones."""
    sample = ROOT / "examples" / "data" / "GeoAdjustInfo" / "two_projector_wall.txt"
    records = qcm.load("GeoAdjustInfo", sample.read_bytes()).to_dict()
    random = np.random.default_rng(7)
    raster = np.stack(np.meshgrid(15.0 * np.arange(COLUMNS), 13.5 * np.arange(ROWS)), axis=-1)
    for screen in records["otherScreens"]:
        jitter = np.round(random.uniform(0.0, 2.0, raster.shape), 4)
        screen.update(columns=COLUMNS, rows=ROWS, points=raster + jitter)
    return qcm.from_dict("GeoAdjustInfo", records).save()


def fastest(repeat, run):
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--repeat", type=int, default=20)
    repeat = parser.parse_args().repeat
    if os.environ.get("GLIBC_TUNABLES") != TUNABLES:
        os.execve(sys.executable, [sys.executable, *sys.argv], dict(os.environ, GLIBC_TUNABLES=TUNABLES))
    host = pathlib.Path(os.environ.get("QUON_HOST_ROUND_TRIP", ROOT / "build/default/bin/quon_host_round_trip"))
    module = os.environ.get("QUONCOREMODEL_MODULE", str(host.parent / "libQuonCoreModel.so"))

    text = largest_text()
    with tempfile.NamedTemporaryFile(suffix=".txt") as file:
        file.write(text)
        file.flush()
        cpp = float(subprocess.run([str(host), module, "GeoAdjustInfo", file.name, str(repeat)],
                                   check=True, capture_output=True, text=True).stdout)

    def round_trip():
        if qcm.load("GeoAdjustInfo", text).save() != text:
            sys.exit("the text did not come back byte for byte")

    python = fastest(repeat, round_trip)
    wall = qcm.load("GeoAdjustInfo", text)
    arrays = fastest(repeat, wall.arrays)
    as_dict = fastest(repeat, wall.to_dict)
    as_lists = fastest(repeat, lambda: {name: array.tolist() for name, array in wall.arrays().items()})

    print(f"text: {len(text)} bytes, fastest of {repeat} runs")
    print(f"load+save  C++ {cpp * 1e3:.3f} ms, Python {python * 1e3:.3f} ms: ratio {python / cpp:.2f}")
    print(f"arrays     arrays() {arrays * 1e3:.3f} ms, to_dict() {as_dict * 1e3:.3f} ms "
          f"(ratio {as_dict / arrays:.1f}), arrays() as lists {as_lists * 1e3:.3f} ms (ratio {as_lists / arrays:.1f})")


if __name__ == "__main__":
    main()

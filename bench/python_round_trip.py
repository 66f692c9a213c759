"""The Python package on the largest geometry adjustment text (three full
79 x 129 other-screen grids, about 729 KB, made like the geo_adjust workload
of quon_bench: screen coordinates with four decimals near a regular raster).

  load+save   qcm.load(...).save() against a C++ host's records::LoadText +
              records::SaveText of the same text through the same module
              (host_round_trip.cpp, loaded with ctypes into this process):
              Python's time / C++'s, the target is at most 1.3
  arrays      the values as Python lists (to_dict(), and arrays() turned into
              lists) against obj.arrays(): their time / arrays()'s, the
              target is at least 10

Times are CPU times of the calling thread (the machine's other work does not
change them), the fastest of --repeat runs; for load+save, of --repeat turns
of three round trips on each side, C++ and Python taking turns in one
process, so that both meet the same state of the process and its heap.

usage: python_round_trip.py [--repeat N]
  run by the interpreter the package was built for, with the package and the
  C++ host found through PYTHONPATH and QUON_HOST_ROUND_TRIP, e.g.
  PYTHONPATH=build/default/python QUON_HOST_ROUND_TRIP=build/default/bin/libquon_host_round_trip.so \\
      /usr/bin/python3 bench/python_round_trip.py
"""
import argparse
import ctypes
import os
import pathlib
import sys
import time

import numpy as np

import quoncoremodel as qcm

ROOT = pathlib.Path(__file__).resolve().parent.parent
ROWS, COLUMNS = 79, 129
TURN = 3  # round trips of each side per turn


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
        start = time.thread_time()
        run()
        best = min(best, time.thread_time() - start)
    return best


def python_round_trips(repeat, text):
    """The fastest load + save of the text (the check and the release untimed)."""
    best = float("inf")
    for _ in range(repeat):
        start = time.thread_time()
        obj = qcm.load("GeoAdjustInfo", text)
        saved = obj.save()
        best = min(best, time.thread_time() - start)
        if saved != text:
            sys.exit("the text did not come back byte for byte")
        del obj
    return best


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--repeat", type=int, default=20)
    repeat = parser.parse_args().repeat
    host = os.environ.get("QUON_HOST_ROUND_TRIP", str(ROOT / "build/default/bin/libquon_host_round_trip.so"))
    module = os.environ.get("QUONCOREMODEL_MODULE", str(pathlib.Path(host).parent / "libQuonCoreModel.so"))
    cpp_round_trips = ctypes.CDLL(host).QuonHostRoundTrip
    cpp_round_trips.restype = ctypes.c_double
    cpp_round_trips.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_int]

    text = largest_text()
    cpp = python = float("inf")
    for _ in range(repeat):
        took = cpp_round_trips(module.encode(), b"GeoAdjustInfo", text, len(text), TURN)
        if took < 0:
            sys.exit("the C++ round trip failed" if took < -1 else "the C++ round trip changed the text")
        cpp = min(cpp, took)
        python = min(python, python_round_trips(TURN, text))

    wall = qcm.load("GeoAdjustInfo", text)
    arrays = fastest(repeat, wall.arrays)
    as_dict = fastest(repeat, wall.to_dict)
    as_lists = fastest(repeat, lambda: {name: array.tolist() for name, array in wall.arrays().items()})

    print(f"text: {len(text)} bytes, fastest of {repeat} runs ({repeat} turns of {TURN} for load+save)")
    print(f"load+save  C++ {cpp * 1e3:.3f} ms, Python {python * 1e3:.3f} ms: ratio {python / cpp:.2f}")
    print(f"arrays     arrays() {arrays * 1e3:.3f} ms, to_dict() {as_dict * 1e3:.3f} ms "
          f"(ratio {as_dict / arrays:.1f}), arrays() as lists {as_lists * 1e3:.3f} ms (ratio {as_lists / arrays:.1f})")


if __name__ == "__main__":
    main()

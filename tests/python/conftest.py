"""Paths of the package tests, as ctest's python_package test sets them
(otherwise those of build/default)."""
import os
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = pathlib.Path(os.environ.get("QUON_BUILD_DIR", ROOT / "build" / "default"))
EXAMPLES = pathlib.Path(os.environ.get("QUON_EXAMPLES_DIR", ROOT / "examples"))
QUONMODEL = os.environ.get("QUONMODEL", str(BUILD / "bin" / "quonmodel"))
HOST_ROUND_TRIP = os.environ.get("QUON_HOST_ROUND_TRIP", str(BUILD / "bin" / "libquon_host_round_trip.so"))
CMAKE = os.environ.get("QUON_CMAKE", "cmake")
if "PYTHONPATH" not in os.environ:  # for the scripts the tests run too
    os.environ["PYTHONPATH"] = str(BUILD / "python")
    sys.path.insert(0, os.environ["PYTHONPATH"])

SAMPLES = sorted((EXAMPLES / "data").glob("*/*"))


def quonmodel(*args):
    return subprocess.run([QUONMODEL, *map(str, args)], check=True, capture_output=True).stdout


def python(code, **environment):
    """Runs code in a new interpreter (this one), with the environment changed,
    in a folder that holds no package."""
    env = dict(os.environ, **environment)
    return subprocess.run([sys.executable, "-c", code], env=env, cwd=ROOT / "tests", capture_output=True, text=True,
                          timeout=120)


def put(records, path, value):
    """Sets the member at a path of arrays() ("tables[1].entries") in records."""
    keys = re.findall(r"\w+|\[\d+\]", path)
    for key in keys[:-1]:
        records = records[int(key[1:-1])] if key.startswith("[") else records[key]
    last = keys[-1]
    records[int(last[1:-1]) if last.startswith("[") else last] = value

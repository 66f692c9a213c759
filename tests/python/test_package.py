"""quoncoremodel against the command-line host: every sample through load,
save, to_dict and from_dict byte for byte; arrays against the numbers of the
texts; the example and the timing script."""
import copy
import json
import os
import re
import subprocess
import sys

import numpy as np
import pytest

import quoncoremodel as qcm
from conftest import EXAMPLES, HOST_ROUND_TRIP, ROOT, SAMPLES, put, quonmodel


def test_classes_are_those_quonmodel_lists():
    listed = [line.split(b"\t")[0].decode() for line in quonmodel("list").splitlines()]
    assert qcm.classes() == listed
    assert len(listed) == 27


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda p: f"{p.parent.name}/{p.name}")
def test_samples_come_back_byte_for_byte(sample):
    cls, text = sample.parent.name, sample.read_bytes()
    obj = qcm.load(cls, text)
    assert obj.name == cls
    assert obj.save() == text
    records = obj.to_dict()
    # Same values, types and order as quonmodel dump's JSON.
    assert json.dumps(records) == json.dumps(json.loads(quonmodel("dump", cls, sample)))
    assert qcm.from_dict(cls, records).save() == text
    with_arrays = copy.deepcopy(records)
    for path, array in obj.arrays().items():
        put(with_arrays, path, array)
    assert qcm.from_dict(cls, with_arrays).save() == text


@pytest.mark.parametrize("cls", qcm.classes())
def test_created_objects_convert_to_dict_and_back(cls):
    records = qcm.create(cls).to_dict()
    assert qcm.from_dict(cls, records).to_dict() == records


def test_create_sets_up_as_before_a_load():
    assert qcm.create("GeoAdjustInfo").to_dict()["otherScreens"][2] == {"columns": 0, "rows": 0, "points": []}


def numbers(line):
    return [float(v) for v in re.findall(r"-?[\d.]+(?:e[-+]?\d+)?", line)]


def flat(values):
    if isinstance(values, (list, tuple, np.ndarray)):
        return [v for value in values for v in flat(value)]
    return [float(values)]


def lines(cls, name, first, last=None):
    return [numbers(line) for line in (EXAMPLES / "data" / cls / name).read_text().splitlines()[first:last]]


def grid(number):
    """The x, y of OTHER_SCREEN_<number>'s "row,column=x,y" lines."""
    text = (EXAMPLES / "data" / "GeoAdjustInfo" / "two_projector_wall.txt").read_text()
    section = text.split(f"[OTHER_SCREEN_{number}]\n")[1].split("[")[0]
    return [numbers(line.split("=")[1]) for line in section.splitlines()]


def spectrum(name):
    return json.loads((EXAMPLES / "data" / "ColorSpectrum" / name).read_text())["pmode_0"]["Spectrum"]


# (class, sample, array, shape, the numbers of the text in the array's order)
ARRAYS = [
    ("LookUpTable", "gain_5x3.txt", "entries", (3, 5), lines("LookUpTable", "gain_5x3.txt", 1)),
    ("LookUpTableList", "two_tables.txt", "tables[0].entries", (2, 3), lines("LookUpTableList", "two_tables.txt", 2, 8)),
    ("LookUpTableList", "two_tables.txt", "tables[1].entries", (1, 1), lines("LookUpTableList", "two_tables.txt", 10)),
    ("GridPoint", "three_by_two_with_extra.txt", "points", (2, 3), lines("GridPoint", "three_by_two_with_extra.txt", 1, 7)),
    ("MarkerInfo", "four_corners.txt", "records", (4,), lines("MarkerInfo", "four_corners.txt", 0)),
    ("CalibPointTable", "three_points.txt", "points", (3,), lines("CalibPointTable", "three_points.txt", 0)),
    ("GeoAdjustInfo", "two_projector_wall.txt", "otherScreens[0].points", (5, 9, 2), grid(0)),
    ("GeoAdjustInfo", "two_projector_wall.txt", "otherScreens[1].points", (3, 4, 2), grid(1)),
    ("GeoAdjustInfo", "two_projector_wall.txt", "otherScreens[2].points", (2, 3, 2), grid(2)),
    ("ColorSpectrum", "full_401_points.json", "points", (401,), spectrum("full_401_points.json")),
]


@pytest.mark.parametrize("cls,name,path,shape,expected", ARRAYS, ids=[f"{a[0]}:{a[2]}" for a in ARRAYS])
def test_arrays_hold_the_numbers_of_the_text(cls, name, path, shape, expected):
    array = qcm.load(cls, (EXAMPLES / "data" / cls / name).read_bytes()).arrays()[path]
    assert array.shape == shape
    assert flat(array.tolist()) == flat(expected)


def test_arrays_have_the_records_layout():
    wall = qcm.load("GeoAdjustInfo", (EXAMPLES / "data" / "GeoAdjustInfo" / "two_projector_wall.txt").read_bytes())
    arrays = wall.arrays()
    assert list(arrays) == ["otherScreens[0].points", "otherScreens[1].points", "otherScreens[2].points",
                            "edgeBlend.locations", "edgeBlend.blackLevels"]
    assert arrays["otherScreens[0].points"].dtype == np.float64
    assert arrays["edgeBlend.blackLevels"].dtype == np.dtype({
        "names": ["INTERLOCKED", "COLOR", "BLACKBORDERWIDTH", "FREESHAPE", "ADJUSTMENTPOINTS", "POINT"],
        "formats": ["i4", "i4", "i4", "i4", "i4", ("f8", (33,))], "offsets": [0, 4, 8, 12, 16, 24], "itemsize": 288})
    cells = qcm.load("EbInfo", (EXAMPLES / "data" / "EbInfo" / "two_by_two_cells.txt").read_bytes()).arrays()
    assert cells["profiles"].shape == (2, 2, 1)
    assert cells["profiles"][0, 0, 0]["list2"][:5].tolist() == [1023, 1000, 900, 800, 700]
    assert cells["pairs"].dtype["pairs"].shape == (4,)
    camera = qcm.load("CAInitInfo", (EXAMPLES / "data" / "CAInitInfo" / "two_cameras_custom_colours.txt").read_bytes())
    assert camera.arrays()["pointColours"].tolist() == camera.to_dict()["pointColours"]


def test_names_longer_than_any_fixed_buffer_come_back_whole():
    name = "n" * 70000
    assert qcm.from_dict("GeoInfo", dict(qcm.create("GeoInfo").to_dict(), name=name)).to_dict()["name"] == name


def test_example_prints_the_displacement_of_each_grid():
    out = subprocess.run([sys.executable, str(EXAMPLES / "python" / "geometry_displacement.py")],
                         check=True, capture_output=True, text=True).stdout
    assert out == (
        "two_projector_wall.txt\n"
        "grid 0: 9 x 5 points, spacing 240.000 x 270.000; displacement mean 0.2671, rms 0.3030, max 0.4881"
        " at row 0, column 3\n"
        "grid 1: 4 x 3 points, spacing 640.014 x 540.000; displacement mean 0.0888, rms 0.1165, max 0.2244"
        " at row 2, column 2\n"
        "grid 2: 3 x 2 points, spacing 955.750 x 1085.500; displacement mean 1.4254, rms 2.4875, max 4.8023"
        " at row 1, column 1\n")


def test_timing_script_runs_on_the_largest_text():
    run = subprocess.run([sys.executable, str(ROOT / "bench" / "python_round_trip.py"), "--repeat", "1"],
                         env=dict(os.environ, QUON_HOST_ROUND_TRIP=HOST_ROUND_TRIP),
                         check=True, capture_output=True, text=True)
    assert re.fullmatch(r"text: 746598 bytes, fastest of 1 runs \(1 turns of 3 for load\+save\)\n"
                        r"load\+save  C\+\+ [\d.]+ ms, Python [\d.]+ ms: ratio [\d.]+\n"
                        r"arrays     arrays\(\) [\d.]+ ms, to_dict\(\) [\d.]+ ms \(ratio [\d.]+\), "
                        r"arrays\(\) as lists [\d.]+ ms \(ratio [\d.]+\)\n", run.stdout)


def test_loads_and_saves_from_several_threads():
    from concurrent.futures import ThreadPoolExecutor

    texts = {(s.parent.name, s.read_bytes()) for s in SAMPLES if s.suffix == ".txt"}
    shared = qcm.load("LookUpTable", (EXAMPLES / "data" / "LookUpTable" / "gain_5x3.txt").read_bytes())
    with ThreadPoolExecutor(4) as pool:
        saved = list(pool.map(lambda ct: qcm.load(*ct).save() == ct[1], sorted(texts) * 4))
        same = set(pool.map(lambda _: shared.save(), range(32)))
    assert all(saved)
    assert same == {shared.save()}

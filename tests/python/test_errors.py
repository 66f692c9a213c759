"""Every way a call can fail, with its exact exception and message; where the
package finds the module (the environment, the build tree, an installation)."""
import subprocess

import numpy as np
import pytest

import quoncoremodel as qcm
from conftest import BUILD, CMAKE, python

TABLE = qcm.load("LookUpTable", b"2,1\n1,2,3,4\n5,6,7,8\n")
RECORDS, ENTRIES = TABLE.to_dict(), TABLE.arrays()["entries"]
DEEP = {}
_level = DEEP
for _ in range(70):
    _level["a"] = _level = {}
CYCLE = []
CYCLE.append(CYCLE)

E_NOTIMPL, E_INVALIDARG = 0x80004001, 0x80070057

# (call, exception, message, hr of a qcm.Error)
CASES = [
    # A failing result of the module.
    (lambda: qcm.load("GridPoint", b"inf, 2, 0, 0, 0, 0, 0, 0\n"), qcm.Error,
     "LoadFromBuffer failed: 0x80070057 E_INVALIDARG", E_INVALIDARG),
    (lambda: qcm.load("GeoOtherScreenTag", b""), qcm.Error, "GeoOtherScreenTag has no text form", E_NOTIMPL),
    (lambda: qcm.create("CalibPointTableList").save(), qcm.Error, "CalibPointTableList has no text form", E_NOTIMPL),
    # An exception thrown by the module through its interface.
    (lambda: qcm.load("CAInitInfo", b"1\n"), ValueError, "invalid stoi argument", None),
    (lambda: qcm.load("ColorCompCategoryTable", b"[]"), ValueError, "IsObject()", None),
    (lambda: qcm.load("LookUpTable", b"10000,10000\n"), MemoryError, "std::bad_alloc", None),
    # Unknown classes.
    (lambda: qcm.create("LookUpTables"), KeyError, "'LookUpTables'", None),
    (lambda: qcm.load("", b""), KeyError, "''", None),
    (lambda: qcm.from_dict("CQuonNothing", {}), KeyError, "'CQuonNothing'", None),
    # Records refused, with their place.
    (lambda: qcm.from_dict("LookUpTable", []), ValueError, "$: expected an object", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, rows=2)), ValueError,
     "$.entries: expected an array of 2 elements", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, columns=2**31 - 1, rows=2**31 - 1)), ValueError,
     "$.entries: expected an array of 2147483647 elements", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, labelA=2**64)), ValueError,
     "$.labelA: expected an integer from 0 to 4294967295", None),
    (lambda: qcm.from_dict("MarkerInfo", {"name": "\u0100", "records": []}), ValueError,
     "$.name: expected a string of characters from U+0001 to U+00FF", None),
    # Arrays of the wrong shape or dtype, named by their table.
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries=ENTRIES.reshape(2, 1))), ValueError,
     "$.entries: expected an array of 1 element", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries=np.zeros((1, 2, 4)))), ValueError,
     "$.entries[0][0]: expected an object", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries=ENTRIES[["value0", "value1", "value2"]])),
     ValueError, "$.entries[0][0].value3: missing", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries=ENTRIES.astype([(f"value{i}", "U4") for i in range(4)]))),
     ValueError, "$.entries[0][0]: expected an object", None),
    # Values that have no place in a document.
    (lambda: qcm.load("LookUpTable", "2,1\n"), TypeError, "a bytes-like object is required, not 'str'", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries={1})), TypeError,
     "$.entries: a value of type set has no place in a document", None),
    (lambda: qcm.from_dict("LookUpTable", {1: 2}), TypeError, "$: a member name must be a str, not int", None),
    (lambda: qcm.from_dict("LookUpTable", DEEP), ValueError, "$" + ".a" * 65 + ": nested more than 64 levels deep", None),
    (lambda: qcm.from_dict("LookUpTable", dict(RECORDS, entries=CYCLE)), ValueError,
     "$.entries" + "[0]" * 64 + ": nested more than 64 levels deep", None),
]


@pytest.mark.parametrize("call,exception,message,hr", CASES, ids=[m[:40] for _, _, m, _ in CASES])
def test_failures_raise_their_exception_and_message(call, exception, message, hr):
    with pytest.raises(exception) as raised:
        call()
    assert type(raised.value) is exception
    assert str(raised.value) == message
    if exception is qcm.Error:
        assert isinstance(raised.value, RuntimeError)
        assert raised.value.hr == hr


def test_arrays_of_any_byte_order_or_layout_are_taken():
    swapped = ENTRIES.astype(ENTRIES.dtype.newbyteorder(">"))
    packed = np.zeros(ENTRIES.shape, dtype=[(f"value{i}", "<f4") for i in (3, 2, 1, 0)], order="F")
    for name in ENTRIES.dtype.names:
        packed[name] = ENTRIES[name]
    for entries in (swapped, packed, ENTRIES[:, ::-1][:, ::-1]):
        assert qcm.from_dict("LookUpTable", dict(RECORDS, entries=entries)).save() == TABLE.save()
    assert qcm.from_dict("LookUpTable", dict(RECORDS, labelA=np.uint8(7))).to_dict()["labelA"] == 7


MODULE = BUILD / "bin" / "libQuonCoreModel.so"
SAVE = "import quoncoremodel as q; print(q.load('LookUpTable', b'1,1\\n1,2,3,4\\n').save())"


@pytest.mark.parametrize("module,out,error", [
    (str(MODULE), "b'1,1\\n1,2,3,4\\n'\n", ""),
    ("/nowhere/libQuonCoreModel.so", "",
     "quoncoremodel.Error: cannot load /nowhere/libQuonCoreModel.so: /nowhere/libQuonCoreModel.so: "
     "cannot open shared object file: No such file or directory\n"),
])
def test_the_environment_names_the_module(module, out, error):
    run = python(SAVE, QUONCOREMODEL_MODULE=module)
    assert run.stdout == out
    assert run.stderr.splitlines(keepends=True)[-1:] == ([error] if error else [])


def test_an_installed_package_finds_its_module(tmp_path):
    subprocess.run([CMAKE, "--install", str(BUILD), "--prefix", str(tmp_path)], check=True, capture_output=True)
    [package] = tmp_path.glob("lib/python3*/dist-packages/quoncoremodel")
    run = python(SAVE + "; print(q.__file__)", PYTHONPATH=str(package.parent), QUONCOREMODEL_MODULE="")
    assert run.stdout == f"b'1,1\\n1,2,3,4\\n'\n{package / '__init__.py'}\n", run.stderr

"""quonmodel check: every sample reads clean (exit 0, no output); samples made
hostile give exactly the expected FILE:LINE: lines (exit 1); a file that
cannot be read exits 2.

usage: quonmodel_check.py QUONMODEL EXAMPLES OUTDIR [EMULATOR...]"""
import os
import subprocess
import sys


def insert(at, *lines):
    """Inserts lines so that the first becomes line `at` (1-based)."""
    return lambda text: text[:at - 1] + list(lines) + text[at - 1:]


def replace(**changes):
    """Replaces lines by number: replace(l13="BestZoom=abc")."""
    return lambda text: [changes.get("l%d" % (i + 1), line) for i, line in enumerate(text)]


def keep(count):
    return lambda text: text[:count]


def append(*lines):
    """Appends lines after the last one (before the empty piece a final "\n" leaves)."""
    return lambda text: text[:-1] + list(lines) + [""] if text[-1] == "" else text + list(lines)


def whole(new_text):
    return lambda text: new_text.split("\n")


def chain(*edits):
    def run(text):
        for edit in edits:
            text = edit(text)
        return text
    return run


WALL = ("GeoAdjustInfo", "two_projector_wall.txt")
# (name, (class, sample), edit of the sample's lines, expected lines after "FILE:")
CASES = [
    ("geometry_stray_section", WALL, insert(21, "[FOO_SECTION]", "bar=1"),
     ["21: unknown section '[FOO_SECTION]': its lines are skipped"]),
    ("geometry_every_kind", WALL,
     chain(replace(l13="BestZoom=abc", l23="Screen=", l24="CheckMode=1=2"), insert(28, "79,0=1.0,2.0", "5;5"),
           append("[GEOMETRY_SETTING]", "Shade=1", "[MASKING_SETTING]", "[EDGEBLEND_BRIGHT_INSIDE]", "COLOR=zz")),
     ["13: 'abc' is not a number: read as 0",
      "23: key 'Screen' has no value: line skipped",
      "24: a second '=' in 'CheckMode=1=2': line skipped",
      "28: grid point 79,0 lies outside the 79 x 129 grid: skipped",
      "29: '5;5' is not a grid line row,column=x,y: skipped",
      "142: duplicate section '[GEOMETRY_SETTING]': its values replace the earlier ones",
      "143: unknown key 'Shade' in [GEOMETRY_SETTING]: line skipped",
      "144: section [MASKING_SETTING] is not read: its lines are skipped",
      "145: duplicate section '[EDGEBLEND_BRIGHT_INSIDE]': its values replace the earlier ones",
      "146: invalid stoi argument"]),
    ("black_level_stages", ("GeoBlackLevelInfo", "four_edges.txt"),
     chain(replace(l13="Marker="), insert(15, "Gain=1", "[FOO]")),
     ["13: key 'Marker' has no value: read as 0",
      "15: 'Gain=1' is no key of [EDGEBLEND_SETTING]: line skipped",
      "16: unexpected section header '[FOO]': its lines are read as part of [EDGEBLEND_SETTING]"]),
    ("colour_without_picture", ("GeoColorInfo", "seven_colours.txt"), keep(33),
     ["33: no [PICTURE] header: the sections from it on read as 0"]),
    ("look_up_table_extra_line", ("LookUpTable", "gain_5x3.txt"), insert(17, "9,9,9,9"),
     ["17: text after the last entry is not read"]),
    ("look_up_table_short", ("LookUpTable", "gain_5x3.txt"), whole("2\n1,2,3\n\n"),
     ["1: size line '2' has 1 fields, not columns,rows: the missing ones read as 0",
      "2: text after the last entry is not read"]),
    ("look_up_table_missing_entries", ("LookUpTable", "two_entries.txt"), whole("2,2\n1,2,3,4\n5,6\n\n"),
     ["3: entry 1,0 has 2 fields, not 4: the missing ones read as 0",
      "4: empty entry line: entry 0,1 reads as 0",
      "4: the table has 2 x 2 entries but the text ends after 3: the others read as 0"]),
    ("look_up_table_list", ("LookUpTableList", "two_tables.txt"), chain(append("7,7,7,7", "3,4,d")),
     ["12: '7,7,7,7' lies outside any table block: skipped",
      "13: table block without a size line: dropped"]),
    ("grid_point_map", ("GridPoint", "two_by_two.txt"), chain(keep(3), replace(l3="1, 2, x")),
     ["3: point 1,0 has 3 fields, not 11: the missing ones read as 0",
      "3: 'x' is not a number: read as 0",
      "3: the header announces 2 x 2 points but the text ends after 2: the others read as 0"]),
    ("edge_blend_table", ("EbInfo", "two_by_two_cells.txt"), chain(replace(l2="1, 2"), append("1, 1")),
     ["2: point line '1, 2': 2 of 4 numbers read, the others read as 0",
      "18: text after the last pairs line is not read"]),
    ("camera_init_short", ("CAInitInfo", "one_camera_two_points.txt"), keep(12),
     ["12: invalid stoi argument (the text ends before this value)"]),
    ("camera_init_bad_value", ("CAInitInfo", "one_camera_two_points.txt"), replace(l3="1.x5", l4="many"),
     ["4: invalid stod argument"]),
    ("black_level_init_extra", ("BlkInitInfo", "six_points.txt"), append("7"),
     ["33: text after the last value is not read"]),
    ("detect_mark", ("DMInitInfo", "halo_correction.txt"), insert(1, "threshFoo=1", "threshBRISK"),
     ["1: unknown key 'threshFoo': line skipped", "2: 'threshBRISK' is not key=value: line skipped"]),
    ("marker_list", ("MarkerInfo", "four_corners.txt"), append("3.0", "4,5,6"),
     ["5: '3.0' has 1 fields, not 2: line skipped", "6: '4,5,6' has 3 fields, not 2: line skipped"]),
    ("calibration_points", ("CalibPointTable", "three_points.txt"), replace(l2="1,2,3"),
     ["2: '1,2,3' has 3 of 9 fields: point 1 reads as 0"]),
    ("grid_npd_short", ("GridNpdInfo", "defaults.txt"), keep(12),
     ["12: the text has 12 lines, 40 are needed: refused", " LoadFromBuffer returned 0x80004005 E_FAIL"]),
    ("json_parse_error", ("ColorSpectrum", "short_table.json"),
     whole('{\n "pmode_0": {\n  "pmodeID": "x"\n  "Spectrum": []\n }\n}\n'),
     ["4: JSON parse error: Missing a comma or '}' after an object member.", "4: IsObject()"]),
    ("json_mistyped_member", ("GeoAutoCalibInfo", "empty.json"),
     whole('{\n "camera": [\n  {"id": 1,\n   "is_move": 3}\n ]\n}\n'), ["4: IsBool()"]),
    ("json_short_point", ("ColorSpectrum", "short_table.json"),
     whole('{"pmode_0": {\n "Spectrum": [[1,2,3,4],\n  [1,2]]}}'),
     ["3: Spectrum[1] has 2 values, 4 are needed: the point reads as 0", " LoadFromBuffer returned 0x00000016"]),
]


def run(runner, tool, *args):
    done = subprocess.run(runner + [tool, "check"] + list(args), capture_output=True, text=True)
    return done.returncode, done.stdout.replace("\r\n", "\n"), done.stderr


def main():
    tool, examples, out = sys.argv[1:4]
    runner = sys.argv[4:]
    os.makedirs(out, exist_ok=True)

    for cls in sorted(os.listdir(examples)):
        samples = sorted(os.path.join(examples, cls, name) for name in os.listdir(os.path.join(examples, cls)))
        assert run(runner, tool, cls, *samples)[:2] == (0, ""), cls

    for name, (cls, sample), edit, expected in CASES:
        with open(os.path.join(examples, cls, sample), newline="") as f:
            text = f.read().split("\n")
        path = os.path.join(out, name + os.path.splitext(sample)[1])
        with open(path, "w", newline="") as f:
            f.write("\n".join(edit(text)))
        got = run(runner, tool, cls, path)
        want = (1, "".join(path + ":" + line + "\n" for line in expected))
        assert got[:2] == want, "%s:\n  got      %r\n  expected %r" % (name, got, want)

    # The worst result of all files counts; a file that cannot be read is 2.
    clean = os.path.join(examples, "LookUpTable", "gain_5x3.txt")
    code, _, said = run(runner, tool, "LookUpTable", clean, os.path.join(out, "absent.txt"))
    assert code == 2 and "cannot read" in said, said
    print("%d hostile samples checked" % len(CASES))


if __name__ == "__main__":
    main()

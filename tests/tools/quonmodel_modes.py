"""quonmodel's modes beyond the sample round trips: render draws sample files
as SVG (well-formed XML with the panels and lines the sample's numbers give,
every point inside its panel's frame); roundtrip grows its buffer only while
the text does not fit, up to its bound; --help names every mode.

usage: quonmodel_modes.py QUONMODEL MODULE EXAMPLES OUTDIR [EMULATOR...]"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def mesh(columns, rows):
    """Point counts of a mesh's lines: a line along each row, then each column."""
    return [columns] * rows + ([rows] * columns if rows > 1 else [])


# Sample -> panels, each (title start, [(series name, point counts of its lines)]).
CASES = {
    ("GeoAdjustInfo", "two_projector_wall.txt"): [
        ("OTHER_SCREEN_0 (9 columns x 5 rows)", [("grid points", mesh(9, 5))]),
        ("OTHER_SCREEN_1 (4 columns x 3 rows)", [("grid points", mesh(4, 3))]),
        ("OTHER_SCREEN_2 (3 columns x 2 rows)", [("grid points", mesh(3, 2))]),
    ],
    ("GridPoint", "three_by_two_with_extra.txt"): [
        ("grid point map (3 columns x 2 rows, header 1920, 1200)",
         [("real0, real1", mesh(3, 2)), ("real2, real3", mesh(3, 2))]),
    ],
    ("LookUpTable", "gain_5x3.txt"): [
        ("look-up table (5 columns x 3 rows)", [("value%d" % v, [15]) for v in range(4)]),
    ],
    ("LookUpTableList", "two_tables.txt"): [
        ("table 0, labels 1, 0 (3 columns x 2 rows)", [("value%d" % v, [6]) for v in range(4)]),
        ("table 1, labels 2, -1 (1 columns x 1 rows)", [("value%d" % v, []) for v in range(4)]),
    ],
    ("EbInfo", "two_by_two_cells.txt"): [
        ("gamma lists of the cells (2 x 2 x 1)",
         [("cell 0,0,0 list 1", [17]), ("cell 0,0,0 list 2", [5]),
          ("cell 1,0,0 list 1", [3]), ("cell 1,0,0 list 2", [4])]),
    ],
    ("ColorSpectrum", "full_401_points.json"): [
        ("Standard (401 points)", [("value %d" % v, [401]) for v in (1, 2, 3)]),
    ],
    ("ColorCompDiffSpec", "two_modes.json"): [
        ("Mode %d Spectrum_%d (401 points)" % (m, s), [("value %d" % v, [401]) for v in (1, 2, 3)])
        for m in (0, 1) for s in (0, 1)
    ],
    ("ColorCompOrgSpec", "header_only.json"): [],
}


def floats(text):
    return [float(v) for v in text.replace(",", " ").split()]


def check(root, expected, where):
    assert root.tag == SVG + "svg", where
    width, height = floats(root.get("viewBox"))[2:]
    panels = root.findall(SVG + "g[@class='panel']")
    got = []
    for panel in panels:
        title = panel.find(SVG + "text[@class='panel-title']").text
        frame = panel.find(SVG + "g[@class='axes']/" + SVG + "rect")
        x0, y0 = float(frame.get("x")), float(frame.get("y"))
        x1, y1 = x0 + float(frame.get("width")), y0 + float(frame.get("height"))
        series = []
        for group in panel.findall(SVG + "g"):
            if group.get("class") not in ("curve", "mesh"):
                continue
            lines = group.findall(SVG + "polyline")
            counts = [len(line.get("points").split()) for line in lines]
            points = [floats(line.get("points")) for line in lines]
            points += [[float(c.get("cx")), float(c.get("cy"))] for c in group.findall(SVG + "circle")]
            for xy in points:
                for x, y in zip(xy[0::2], xy[1::2]):
                    assert x0 <= x <= x1 and y0 <= y <= y1, "%s: %s point %g,%g outside its frame" % (where, title, x, y)
            series.append((group.find(SVG + "title").text, counts))
        got.append((title, series))
        assert y1 <= height and x1 <= width, where
    assert got == expected, "%s:\n  got      %s\n  expected %s" % (where, got, expected)
    if not expected:
        assert root.find(SVG + "text[@class='note']").text == "nothing to draw", where


def run(runner, tool, module, *args):
    return subprocess.run(runner + [tool, "--module", module] + list(args), capture_output=True, text=True)


def main():
    tool, module, examples, out = sys.argv[1:5]
    runner = sys.argv[5:]
    os.makedirs(out, exist_ok=True)
    for (cls, sample), expected in CASES.items():
        svg = os.path.join(out, cls + "-" + sample + ".svg")
        done = run(runner, tool, module, "render", cls, os.path.join(examples, cls, sample), "-o", svg)
        assert done.returncode == 0, done
        root = ET.parse(svg).getroot()
        check(root, expected, svg)
        assert root.find(SVG + "title").text == cls + ": " + sample, svg

    # A class without grids or curves is refused, and nothing is written.
    refused = os.path.join(out, "refused.svg")
    done = run(runner, tool, module, "render", "MarkerInfo", os.path.join(examples, "MarkerInfo", "four_corners.txt"),
               "-o", refused)
    assert done.returncode == 2 and "MarkerInfo holds no grids or curves to draw" in done.stderr, done
    assert not os.path.exists(refused)

    # A table of 200 x 200 zero entries, written as 320008 bytes from 8 read,
    # makes the buffer grow; one of 1000 x 1000 passes the bound (1 MiB for a
    # short text) and is reported, not retried.
    for size, code, said in (("200,200", 1, "round trip differs at byte 8 (read 8 bytes, wrote 320008)"),
                             ("1000,1000", 2, "SaveToBuffer with room for 1048576 bytes failed: 0x80004005 E_FAIL")):
        path = os.path.join(out, size.replace(",", "x") + ".txt")
        with open(path, "w", newline="\n") as f:
            f.write(size + "\n")
        done = run(runner, tool, module, "roundtrip", "LookUpTable", path)
        assert done.returncode == code and said in done.stdout + done.stderr, done

    # diff: a line per changed value (path, value in A, value in B), exit 1;
    # equal records exit 0; a file that cannot be read exits 2.
    sample = os.path.join(examples, "LookUpTable", "gain_5x3.txt")
    with open(sample, newline="") as f:
        text = f.read()
    changed = os.path.join(out, "changed.txt")
    with open(changed, "w", newline="") as f:
        f.write(text.replace("0.25", "0.5", 1))
    done = run(runner, tool, module, "diff", "LookUpTable", sample, changed)
    assert done.returncode == 1 and done.stdout.replace("\r", "") == "$.entries[0][1].value0\t0.25\t0.5\n", done
    done = run(runner, tool, module, "diff", "LookUpTable", sample, sample)
    assert done.returncode == 0 and done.stdout == "", done
    done = run(runner, tool, module, "diff", "LookUpTable", sample, os.path.join(out, "absent.txt"))
    assert done.returncode == 2 and "cannot read" in done.stderr, done

    done = run(runner, tool, module, "--help")
    for mode in ("roundtrip CLASS FILE", "render CLASS FILE -o OUT.svg", "dump CLASS FILE", "build CLASS IN.json",
                 "diff CLASS A B", "check CLASS FILE", "list", "help"):
        assert "\n  " + mode in done.stdout.replace("\r", ""), mode
    assert done.stdout.count("example: quonmodel") == 8, done.stdout
    print("%d pictures checked" % len(CASES))


if __name__ == "__main__":
    main()

"""Per-grid displacement statistics of a geometry adjustment file.

Each of the file's three other-screen grids holds, for every grid point, the
screen position (x, y) it is moved to. An unwarped grid lies on the bilinear
surface through its four corners: this prints, per grid, the mean spacing of
neighbouring points and how far the points lie off that surface (mean, RMS
and largest displacement, and where the largest one is).

usage: geometry_displacement.py [FILE]    (default: the sample two_projector_wall.txt)
"""
import pathlib
import sys

import numpy as np

import quoncoremodel as qcm

SAMPLE = pathlib.Path(__file__).resolve().parent.parent / "data" / "GeoAdjustInfo" / "two_projector_wall.txt"


def bilinear(points):
    """The rows x columns x 2 surface through the grid's four corners."""
    rows, columns = points.shape[:2]
    v = np.linspace(0.0, 1.0, rows)[:, None, None]
    u = np.linspace(0.0, 1.0, columns)[None, :, None]
    top = (1 - u) * points[0, 0] + u * points[0, -1]
    bottom = (1 - u) * points[-1, 0] + u * points[-1, -1]
    return (1 - v) * top + v * bottom


def main():
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else SAMPLE
    grids = qcm.load("GeoAdjustInfo", path.read_bytes()).arrays()
    print(path.name)
    for n in range(3):
        points = grids[f"otherScreens[{n}].points"]
        rows, columns = points.shape[:2]
        if rows < 2 or columns < 2:
            print(f"grid {n}: {columns} x {rows} points, too few for a surface")
            continue
        off = np.linalg.norm(points - bilinear(points), axis=2)
        row, column = np.unravel_index(np.argmax(off), off.shape)
        spacing_x = np.diff(points[..., 0], axis=1).mean()
        spacing_y = np.diff(points[..., 1], axis=0).mean()
        print(f"grid {n}: {columns} x {rows} points, spacing {spacing_x:.3f} x {spacing_y:.3f}; "
              f"displacement mean {off.mean():.4f}, rms {np.sqrt((off ** 2).mean()):.4f}, "
              f"max {off.max():.4f} at row {row}, column {column}")


if __name__ == "__main__":
    main()

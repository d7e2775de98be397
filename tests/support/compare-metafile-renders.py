#!/usr/bin/env python3
"""Coarse comparison of our metafile renders with Inkscape's, as an independent reference.

Usage: compare-metafile-renders.py OUR_RENDERS_DIR [METAFILE_DIR] [INKSCAPE_CACHE_DIR]

OUR_RENDERS_DIR holds NAME.emf.png files written by the metafile conformance test with
OBRAZOR_METAFILE_RENDERS set. Each metafile is rendered by Inkscape (once, cached), both pictures
are flattened on white and reduced to a 32 x 32 grid of mean colours, and the mean absolute
difference of the grids (0 = same, 255 = opposite) is printed per file. Not part of the tests:
Inkscape is slow and its renders differ in fonts and line widths.
"""
import os
import subprocess
import sys

GRID = 32


def grid(path):
    raw = subprocess.run(["/usr/bin/convert", path, "-background", "white", "-flatten", "-filter", "box",
                          "-resize", f"{GRID}x{GRID}!", "-depth", "8", "rgb:-"],
                         check=True, capture_output=True).stdout
    return raw


def difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def main():
    ours = sys.argv[1]
    source = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.environ.get("OBRAZOR_TESTDATA", "../shared/testdata"), "emf")
    cache = sys.argv[3] if len(sys.argv) > 3 else "/tmp/obrazor-inkscape-renders"
    os.makedirs(cache, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if not name.endswith(".emf"):
            continue
        mine = os.path.join(ours, name + ".png")
        reference = os.path.join(cache, name + ".png")
        if not os.path.exists(reference):
            subprocess.run(["inkscape", "--export-type=png", f"--export-filename={reference}",
                            os.path.join(source, name)], capture_output=True, timeout=300)
        if not os.path.exists(mine) or not os.path.exists(reference):
            print(f"{name}: missing {'our render' if not os.path.exists(mine) else 'Inkscape render'}")
            continue
        print(f"{name}: {difference(grid(mine), grid(reference)):5.1f}")


if __name__ == "__main__":
    main()

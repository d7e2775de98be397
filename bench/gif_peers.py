#!/usr/bin/env python3
"""Times obrazor-convert on GIF files against vipsthumbnail and ImageMagick's first frame.

Each round runs every command once, interleaved, as whole processes under GNU time; per command
the median processor time (user + system), the median wall time and the largest peak resident
memory are printed. Inputs: the 100-frame 800 x 600 animation that gif_bench makes (made here the
same way when missing) and the hostile files of fuzz/corpus/gif_fuzz (peak memory).

Usage: bench/gif_peers.py [--binary build/release/convert/obrazor-convert] [--rounds 7]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import tempfile

PHOTO = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg"
ANIMATION = os.path.join(tempfile.gettempdir(), "obrazor-bench-animation-100x800x600.gif")
IMAGEMAGICK = "/usr/bin/convert"
TIME = "/usr/bin/time"


def make_animation():
    if os.path.exists(ANIMATION):
        return
    arguments = [IMAGEMAGICK, "-define", "jpeg:size=1600x1200", PHOTO, "-resize", "800x600!"]
    for _ in range(99):
        arguments += ["(", "+clone", "-roll", "+8+6", ")"]
    subprocess.run(arguments + ["-loop", "0", ANIMATION], check=True)


def run(command):
    """(processor seconds, wall seconds, peak KB) of one whole process."""
    result = subprocess.run([TIME, "-f", "%U %S %e %M"] + command, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{command[0]} failed: {result.stderr[-400:]}")
    user, system, wall, peak = result.stderr.strip().splitlines()[-1].split()
    return float(user) + float(system), float(wall), int(peak)


def commands(binary, source, work):
    copy = os.path.join(work, "in.gif")
    shutil.copyfile(source, copy)
    return {
        "obrazor-convert": [binary, "--overwrite", "-j", "1", copy],
        "vipsthumbnail": ["vipsthumbnail", "-s", "640x480", source, "-o", os.path.join(work, "vips.jpg")],
        "ImageMagick [0]": [IMAGEMAGICK, source + "[0]", "-resize", "640x480", "-quality", "75",
                            os.path.join(work, "magick.jpg")],
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", default="build/release/convert/obrazor-convert")
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    make_animation()
    corpus = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "corpus", "gif_fuzz")
    print(f"load average before: {os.getloadavg()}")
    with tempfile.TemporaryDirectory() as work:
        runs = {name: [] for name in commands(binary, ANIMATION, work)}
        for _ in range(args.rounds):
            for name, command in commands(binary, ANIMATION, work).items():
                runs[name].append(run(command))
        print(f"\n{os.path.basename(ANIMATION)}: median processor s, median wall s, peak MB")
        for name, results in runs.items():
            cpu = statistics.median(r[0] for r in results)
            wall = statistics.median(r[1] for r in results)
            peak = max(r[2] for r in results) / 1024
            print(f"  {name:18} {cpu:7.3f} {wall:7.3f} {peak:8.1f}")
        print("\nhostile files, obrazor-convert: processor s, peak MB")
        for name in sorted(os.listdir(corpus)):
            if "bomb" in name or "reserved" in name:
                cpu, _, peak = run(commands(binary, os.path.join(corpus, name), work)["obrazor-convert"])
                print(f"  {name:32} {cpu:7.3f} {peak / 1024:8.1f}")
    print(f"\nload average after: {os.getloadavg()}")


if __name__ == "__main__":
    main()

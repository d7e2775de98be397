#!/usr/bin/env python3
"""Times obrazor-convert on GIF files against vipsthumbnail and ImageMagick's first frame.

Each round runs every command once, interleaved, as whole processes under `perf stat` (task-clock:
user + system processor time, to the microsecond); per command the median processor time and the
median wall time are printed, and the peak resident memory of one further run under GNU time
(perf itself would count in GNU time's peak). Inputs: the 100-frame 800 x 600 animation that gif_bench makes (made here the
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
PERF = "perf"


def make_animation():
    if os.path.exists(ANIMATION):
        return
    arguments = [IMAGEMAGICK, "-define", "jpeg:size=1600x1200", PHOTO, "-resize", "800x600!"]
    for _ in range(99):
        arguments += ["(", "+clone", "-roll", "+8+6", ")"]
    subprocess.run(arguments + ["-loop", "0", ANIMATION], check=True)


def run(command):
    """(processor seconds, wall seconds) of one whole process."""
    result = subprocess.run([PERF, "stat", "-x", ",", "-e", "task-clock,duration_time", "--"] + command,
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{command[0]} failed: {result.stderr[-400:]}")
    values = {}
    for line in result.stderr.strip().splitlines():
        fields = line.split(",")
        if len(fields) > 2 and fields[2] in ("task-clock", "duration_time"):
            values[fields[2]] = float(fields[0])
    return values["task-clock"] / 1e3, values["duration_time"] / 1e9


def peak(command):
    """Peak resident KB of one whole process."""
    result = subprocess.run([TIME, "-f", "%M"] + command, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{command[0]} failed: {result.stderr[-400:]}")
    return int(result.stderr.strip().splitlines()[-1])


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
        print(f"\n{os.path.basename(ANIMATION)}: median processor ms, median wall ms, peak MB")
        for name, results in runs.items():
            cpu = statistics.median(r[0] for r in results) * 1e3
            wall = statistics.median(r[1] for r in results) * 1e3
            most = peak(commands(binary, ANIMATION, work)[name]) / 1024
            print(f"  {name:18} {cpu:7.1f} {wall:7.1f} {most:8.1f}")
        print("\nhostile files, obrazor-convert: processor ms, peak MB")
        for name in sorted(os.listdir(corpus)):
            if "bomb" in name or "reserved" in name:
                command = commands(binary, os.path.join(corpus, name), work)["obrazor-convert"]
                print(f"  {name:32} {run(command)[0] * 1e3:7.1f} {peak(command) / 1024:8.1f}")
    print(f"\nload average after: {os.getloadavg()}")


if __name__ == "__main__":
    main()

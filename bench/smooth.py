#!/usr/bin/env python3
"""The smooth reduction (obrazor-convert --smooth) against vipsthumbnail and our exact road.

For every JPEG photo of mate-backgrounds and a baseline re-encoding of the largest one:

- quality: PSNR (all three channels) of the result against ImageMagick's Lanczos reduction of the
  fully decoded photo to the same size (`convert PHOTO -filter Lanczos -resize WxH!`), for ours
  smooth, ours exact and vipsthumbnail forced to the same size; every result is written as a
  JPEG of quality 100 with 4:2:0 chroma, so that the encoders lose alike;
- speed and memory: median processor time (user + system) and the largest peak resident memory
  of each command as a whole process, the commands interleaved, at the default quality 75.

The result size is our size rule's, read from `obrazor-convert --dry-run`.

Usage: bench/smooth.py [--binary build/release/convert/obrazor-convert] [--rounds 5] [--photos NAME,...]
"""

import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import peers  # noqa: E402  (run, measure, find_photos, baseline_copy, load_average)


def result_size(binary, photo):
    line = subprocess.check_output([binary, "--dry-run", "--reprocess", "--overwrite", photo], text=True)
    sizes = re.findall(r"(\d+) × (\d+)", line)
    return int(sizes[1][0]), int(sizes[1][1])


def read_ppm(path):
    """Width, height and the RGB bytes of a binary PPM (ImageMagick writes a comment line)."""
    with open(path, "rb") as f:
        data = f.read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + width * height * 3]


def psnr(first, second):
    a, b = read_ppm(first), read_ppm(second)
    if a[:2] != b[:2]:
        raise SystemExit(f"sizes differ: {first} {a[:2]} against {second} {b[:2]}")
    squares = sum((x - y) * (x - y) for x, y in zip(a[2], b[2]))
    return float("inf") if squares == 0 else 10 * math.log10(255 * 255 * len(a[2]) / squares)


def to_ppm(jpeg, ppm):
    subprocess.run(["djpeg", "-dct", "float", "-outfile", ppm, jpeg], check=True)


def ours(binary, photo, work, smooth, quality):
    """Converts a copy of the photo; returns the output's path."""
    copy = os.path.join(work, ("smooth-" if smooth else "exact-") + os.path.basename(photo))
    shutil.copy(photo, copy)
    flags = ["--smooth"] if smooth else []
    subprocess.run([binary, "--overwrite", "--reprocess", "-q", str(quality), "-j", "1"] + flags + [copy],
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.splitext(copy)[0] + ".LMV.jpg"


def quality_row(binary, photo, work, size):
    width, height = size
    reference = os.path.join(work, "reference.ppm")
    subprocess.run([peers.IMAGEMAGICK, photo, "-filter", "Lanczos", "-resize", f"{width}x{height}!", reference],
                   check=True)
    results = {}
    for name, smooth in (("smooth", True), ("exact", False)):
        to_ppm(ours(binary, photo, work, smooth, 100), os.path.join(work, name + ".ppm"))
        results[name] = psnr(os.path.join(work, name + ".ppm"), reference)
    vips = os.path.join(work, "vips.jpg")
    subprocess.run(["vipsthumbnail", photo, "-s", f"{width}x{height}!", "-o", vips + "[Q=100,subsample-mode=on]"],
                   check=True)
    to_ppm(vips, os.path.join(work, "vips.ppm"))
    results["vips"] = psnr(os.path.join(work, "vips.ppm"), reference)
    return results


def speed_row(binary, photo, work, size, rounds):
    width, height = size
    out = os.path.join(work, "timed.jpg")
    commands = [
        ("smooth", [binary, "--smooth", "--overwrite", "--reprocess", "-j", "1", photo]),
        ("exact", [binary, "--overwrite", "--reprocess", "-j", "1", photo]),
        ("vips", ["vipsthumbnail", photo, "-s", f"{width}x{height}!", "-o", out + "[Q=75]"]),
    ]
    _, cpu, memory = peers.measure(commands, rounds)
    return cpu, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", default="build/release/convert/obrazor-convert")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--photos", default="", help="comma-separated file names (default: every JPEG photo)")
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    photos = peers.find_photos()
    names = args.photos.split(",") if args.photos else sorted(photos, key=lambda n: -os.path.getsize(photos[n]))
    print(f"load average before: {peers.load_average()}")
    print("| photo | result | PSNR smooth | PSNR vips | PSNR exact | smooth - vips | cpu smooth | cpu vips | "
          "cpu exact | smooth / vips | smooth / exact | peak smooth | peak vips | peak exact |")
    print("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory(prefix="obrazor-smooth-") as work:
        sources = [(name, photos[name]) for name in names]
        if not args.photos:
            sources.insert(1, ("baseline q92 " + peers.BIG, peers.baseline_copy(photos[peers.BIG], work)))
        for name, source in sources:
            photo = os.path.join(work, "photo.jpg")
            shutil.copy(source, photo)
            size = result_size(binary, photo)
            q = quality_row(binary, photo, work, size)
            cpu, memory = speed_row(binary, photo, work, size, args.rounds)
            print(f"| {name} | {size[0]} × {size[1]} | {q['smooth']:.2f} | {q['vips']:.2f} | {q['exact']:.2f} | "
                  f"{q['smooth'] - q['vips']:+.2f} | {cpu['smooth']:.3f} | {cpu['vips']:.3f} | {cpu['exact']:.3f} | "
                  f"{cpu['smooth'] / cpu['vips']:.2f} | {cpu['smooth'] / cpu['exact']:.2f} | "
                  f"{memory['smooth'] / 1024:.1f} | {memory['vips'] / 1024:.1f} | {memory['exact'] / 1024:.1f} |",
                  flush=True)
    print(f"load average after: {peers.load_average()}")


if __name__ == "__main__":
    main()

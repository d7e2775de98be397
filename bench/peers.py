#!/usr/bin/env python3
"""Times obrazor-convert against the tools a user would pick instead, as whole processes.

Every command of a case runs once per round, the commands interleaved, so that a slow moment of
the machine touches all of them alike. For each command the median wall time, its ratio to the
floor (djpeg -dct float of the same files, which is the least work that gives exact output), the
median processor time (user + system, which other load on the machine disturbs far less than the
wall time) and the peak resident memory are printed, then the targets with a verdict. The load
average before and after is printed too: on a busy machine trust the processor-time ratios.

With --instructions, the floor and obrazor-convert of each photo also run once under valgrind's
callgrind, whose instruction counts do not depend on the machine's load at all.

Usage: bench/peers.py [--binary build/release/convert/obrazor-convert] [--rounds 7] [--cases photos,folder]
                      [--instructions]
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PHOTO_DIR = "/usr/share/backgrounds/mate"
BIG = "Elephants_5640x3172.jpg"
UHD = "Elephants_3840x2160.jpg"
FOLDER_SIZE = 20
IMAGEMAGICK = "/usr/bin/convert"
TIME = "/usr/bin/time"  # GNU time, for the peak memory


def cpu_model():
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return "unknown processor"


def load_average():
    return " ".join(f"{value:.2f}" for value in os.getloadavg())


def find_photos():
    photos = {}
    for root, _, files in os.walk(PHOTO_DIR):
        for name in files:
            if name.lower().endswith(".jpg"):
                photos[name] = os.path.join(root, name)
    return photos


def run(command):
    """Runs one command; returns (wall seconds, processor seconds, peak resident kilobytes).

    The peak is GNU time's: a process started straight from this interpreter would report the
    interpreter's own peak (about 15 MB) when its own is smaller, since the peak survives exec.
    The processor time includes GNU time's own, well under a millisecond."""
    with tempfile.NamedTemporaryFile(mode="r", prefix="obrazor-peak-") as peak_file:
        program = ["sh", "-c", command] if isinstance(command, str) else command
        start = time.perf_counter()
        process = subprocess.Popen([TIME, "-f", "%M", "-o", peak_file.name] + program, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            raise SystemExit(f"command failed: {command}")
        return elapsed, usage.ru_utime + usage.ru_stime, int(peak_file.read().split()[-1])


def instructions(command):
    """Instructions the command executes, counted by callgrind (children included)."""
    result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                             "--trace-children=yes"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, check=True)
    return sum(int(n.replace(",", "")) for n in re.findall(r"Collected : ([\d,]+)", result.stderr))


def measure(commands, rounds):
    """Median wall and processor seconds and the largest peak memory of each command."""
    wall = {name: [] for name, _ in commands}
    cpu = {name: [] for name, _ in commands}
    memory = {name: 0 for name, _ in commands}
    for name, command in commands:  # one untimed warm-up each: page cache, dynamic linking
        run(command)
    for _ in range(rounds):
        for name, command in commands:
            seconds, processor, peak = run(command)
            wall[name].append(seconds)
            cpu[name].append(processor)
            memory[name] = max(memory[name], peak)
    median = lambda table: {name: statistics.median(values) for name, values in table.items()}
    return median(wall), median(cpu), memory


def print_table(title, medians, cpu, memory, floor_name):
    print(f"\n{title}")
    print(f"  {'command':<28} {'median s':>9} {'x floor':>8} {'cpu s':>7} {'x floor':>8} {'peak MB':>8}")
    floor, cpu_floor = medians[floor_name], cpu[floor_name]
    for name, seconds in medians.items():
        print(f"  {name:<28} {seconds:9.3f} {seconds / floor:8.2f} {cpu[name]:7.3f} {cpu[name] / cpu_floor:8.2f} "
              f"{memory[name] / 1024:8.1f}")


def verdict(label, value, limit, better_when_lower=True):
    ok = value <= limit if better_when_lower else value >= limit
    print(f"  {'met ' if ok else 'MISSED'}  {label}: {value:.2f} (target {'≤' if better_when_lower else '≥'} {limit:.2f})")
    return ok


def single_photo_case(binary, source, work, rounds):
    photo = os.path.join(work, os.path.basename(source))
    if os.path.abspath(source) != photo:
        shutil.copy(source, photo)
    out = os.path.join(work, "peer-out.jpg")
    commands = [
        ("floor: djpeg -dct float", ["djpeg", "-dct", "float", "-outfile", "/dev/null", photo]),
        ("obrazor-convert", [binary, "--overwrite", "--reprocess", "-j", "1", photo]),
        ("ImageMagick convert", [IMAGEMAGICK, photo, "-resize", "640x480", "-quality", "75", out]),
        ("vipsthumbnail", ["vipsthumbnail", photo, "-s", "640x480", "-o", out + "[Q=75]"]),
    ]
    medians, cpu, memory = measure(commands, rounds)
    print_table(f"One photo: {os.path.basename(source)}", medians, cpu, memory, "floor: djpeg -dct float")
    return medians, cpu, memory, commands[:2]


def baseline_copy(source, work):
    """The photo re-encoded as a baseline JPEG at quality 92, as cameras write them; the two
    photos of the package are progressive, whose decoding costs several times more."""
    path = os.path.join(work, "baseline-" + os.path.basename(source))
    # Piped outside this process: a child forked from a large parent would report its peak memory.
    subprocess.run(f"djpeg '{source}' | cjpeg -quality 92 > '{path}'", shell=True, check=True)
    return path


def start_up(binary):
    """What the tool costs before it reads any file: `--version`, instructions and peak memory."""
    _, _, peak = run([binary, "--version"])
    count = instructions([binary, "--version"])
    print(f"\nStart-up (obrazor-convert --version): {count / 1e6:.1f} M instructions, {peak / 1024:.1f} MB peak")


def folder_case(binary, photos, work, rounds):
    folder = os.path.join(work, "folder")
    os.mkdir(folder)
    names = sorted(photos)
    for i in range(FOLDER_SIZE):
        name = names[i % len(names)]
        shutil.copy(photos[name], os.path.join(folder, f"{i:02d}-{name}"))
    files = " ".join(os.path.join(folder, n) for n in sorted(os.listdir(folder)) if not n.endswith(".LMV.jpg"))
    commands = [
        ("floor: djpeg x20", f"for f in {files}; do djpeg -dct float -outfile /dev/null \"$f\"; done"),
        ("obrazor-convert -j 1", [binary, "--overwrite", "--reprocess", "-j", "1", folder]),
        ("obrazor-convert -j 2", [binary, "--overwrite", "--reprocess", "-j", "2", folder]),
    ]
    medians, cpu, memory = measure(commands, rounds)
    print_table(f"Folder of {FOLDER_SIZE} photos", medians, cpu, memory, "floor: djpeg x20")
    return medians


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", default="build/release/convert/obrazor-convert")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--cases", default="photos,folder", help="photos, folder or both, comma-separated")
    parser.add_argument("--instructions", action="store_true", help="count instructions under callgrind too")
    args = parser.parse_args()
    cases = set(args.cases.split(","))
    binary = os.path.abspath(args.binary)
    for tool in (binary, IMAGEMAGICK, TIME, shutil.which("djpeg"), shutil.which("cjpeg"), shutil.which("vipsthumbnail")):
        if not tool or not os.path.exists(tool):
            sys.exit(f"missing: {tool} (build the release preset; apt-get install libjpeg-turbo-progs "
                     "imagemagick libvips-tools mate-backgrounds time)")
    photos = find_photos()
    if BIG not in photos or UHD not in photos:
        sys.exit("the photographs of mate-backgrounds are missing: apt-get install mate-backgrounds")
    print(f"machine: {os.cpu_count()} cores, {cpu_model()}; "
          f"{subprocess.check_output(['uname', '-srm'], text=True).strip()}")
    print(f"load average before: {load_average()}")
    results = True
    if args.instructions:
        start_up(binary)
    with tempfile.TemporaryDirectory(prefix="obrazor-bench-") as work:
        sources = (photos[BIG], photos[UHD], baseline_copy(photos[BIG], work)) if "photos" in cases else ()
        for source in sources:
            medians, cpu, memory, pair = single_photo_case(binary, source, work, args.rounds)
            floor = "floor: djpeg -dct float"
            print("  targets:")
            results &= verdict("processor time / floor", cpu["obrazor-convert"] / cpu[floor], 1.03)
            print(f"  (wall time: {medians['obrazor-convert'] / medians[floor]:.2f} x floor, "
                  f"{medians['obrazor-convert'] / medians['ImageMagick convert']:.2f} x ImageMagick)")
            results &= verdict("peak MB", memory["obrazor-convert"] / 1024, memory[floor] / 1024 + 24)
            if args.instructions:
                counts = {name: instructions(command) for name, command in pair}
                print(f"  instructions: floor {counts[floor] / 1e9:.3f} G, obrazor-convert "
                      f"{counts['obrazor-convert'] / 1e9:.3f} G")
                results &= verdict("instructions / floor", counts["obrazor-convert"] / counts[floor], 1.03)
        if "folder" in cases:
            medians = folder_case(binary, photos, work, max(3, args.rounds // 2))
            print("  targets:")
            results &= verdict("speed-up -j 2 over -j 1",
                               medians["obrazor-convert -j 1"] / medians["obrazor-convert -j 2"], 1.9, False)
    print(f"\nload average after: {load_average()}")
    print("all targets met" if results else "some targets missed")


if __name__ == "__main__":
    main()

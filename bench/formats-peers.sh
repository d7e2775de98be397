#!/usr/bin/env bash
# obrazor-convert on PNG, WebP, HEIC and small or profile-tagged JPEG photos against
# vipsthumbnail and ImageMagick, each run as a whole process; processor time (user + system) and
# GNU time's peak resident memory, medians of ROUNDS interleaved runs. The JPEG rows also give the
# floor (djpeg -dct float) and, with --instructions, callgrind's counts of the floor and the tool.
#
# Usage: bench/formats-peers.sh BINARY [ROUNDS] [--instructions]   (from the repository root)
#        BEFORE=OTHER_BINARY adds an earlier build of the tool to the same rounds; INPUTS="onemp.jpg ..."
#        runs only some of the inputs.
# Needs: libvips-tools imagemagick libjpeg-turbo-progs webp libheif-examples mate-backgrounds
#        colord-data time valgrind
set -euo pipefail
binary=$(realpath "$1")
[[ -n ${BEFORE:-} ]] && BEFORE=$(realpath "$BEFORE")
rounds=${2:-5}
counts=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
photo=/usr/share/backgrounds/mate/abstract/Elephants.jpg
convert "$photo" -resize 1152x864! -quality 90 onemp.jpg
convert "$photo" -resize 2560x1600! -quality 90 -profile /usr/share/color/icc/colord/AdobeRGB1998.icc icc2560.jpg
convert "$photo" -resize 6000x4000! -quality 95 big.ppm
convert big.ppm PNG24:big6000.png
cwebp -quiet -q 80 big.ppm -o big6000.webp
convert "$photo" -resize 4000x3000! -quality 95 h.jpg
heif-enc -q 80 h.jpg -o h4000.heic >/dev/null
rm big.ppm h.jpg
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Prints "user+system seconds, peak KB" of one run: the processor time from the kernel's
# accounting of the child (GNU time's own is in it, well under a millisecond; its printed figure
# has only 10 ms steps), the peak from GNU time (the interpreter's own peak would hide a smaller one).
run() {
  python3 -c '
import os, subprocess, sys
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
_, _, usage = os.wait4(child.pid, 0)
print(f"{usage.ru_utime + usage.ru_stime:.4f}")' /usr/bin/time -f "%M" -o "$work/time" "$@" >"$work/cpu"
  echo "$(cat "$work/cpu") $(tail -1 "$work/time")"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

for input in ${INPUTS:-onemp.jpg icc2560.jpg big6000.png big6000.webp h4000.heic}; do
  declare -A cpu=() peak=()
  names=(ours vips magick)
  [[ -n ${BEFORE:-} ]] && names+=(before)
  [[ $input == *.jpg ]] && names+=(floor)
  for ((r = 0; r < rounds; r++)); do
    for name in "${names[@]}"; do
      case $name in
        ours) result=$(run "$binary" -j 1 --overwrite "$input") ;;
        before) result=$(run "$BEFORE" -j 1 --overwrite "$input") ;;
        vips) result=$(run vipsthumbnail -s 640x480 "$input" -o "$work/v_%s.jpg") ;;
        magick) result=$(run /usr/bin/convert "$input" -resize 640x480 -quality 75 "$work/m.jpg") ;;
        floor) result=$(run djpeg -dct float -outfile /dev/null "$input") ;;
      esac
      cpu[$name]+="${result% *} "
      peak[$name]+="${result#* } "
    done
  done
  for name in "${names[@]}"; do
    c=$(tr ' ' '\n' <<<"${cpu[$name]}" | grep . | median)
    p=$(tr ' ' '\n' <<<"${peak[$name]}" | grep . | sort -n | tail -1)
    printf '%-14s %-7s %s s  %.1f MB\n' "$input" "$name" "$c" "$(echo "$p / 1000" | bc -l)"
  done
  if [[ $counts == --instructions && $input == *.jpg ]]; then
    for command in "$binary -j 1 --overwrite $input" "djpeg -dct float -outfile /dev/null $input"; do
      n=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null $command 2>&1 | sed -n 's/.*Collected : //p')
      printf '%-14s instructions %s: %s\n' "$input" "${command%% *}" "$n"
    done
  fi
  unset cpu peak
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

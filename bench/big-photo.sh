#!/usr/bin/env bash
# A genuine 250-megapixel photo (a real photograph enlarged by ImageMagick) must still convert
# under the JPEG decoder's memory budget. Prints the tool's line, its peak memory and its time.
# Too slow for the test suite (ImageMagick alone needs a minute and gigabytes); run by hand:
#   bench/big-photo.sh [build/release/convert/obrazor-convert]
set -euo pipefail
tool=${1:-build/release/convert/obrazor-convert}
photo=/usr/share/backgrounds/mate/nature/Dune.jpg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
nice /usr/bin/convert "$photo" -resize 18300x13700! -quality 85 "$work/big.jpg"
/usr/bin/identify -format '%w x %h, %b\n' "$work/big.jpg"
/usr/bin/time -v "$tool" -j 1 "$work/big.jpg" 2>"$work/time.txt" | head -1
grep -E 'Maximum resident|Elapsed' "$work/time.txt"
grep -q 'big.LMV.jpg' <(ls "$work") || { echo "not converted" >&2; exit 1; }

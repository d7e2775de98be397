#!/usr/bin/env bash
# A genuine 250-megapixel photo (a real photograph enlarged by ImageMagick) must still convert
# under the JPEG decoder's memory budget. Prints the tool's line, its peak memory and its time.
# Too slow for the test suite (ImageMagick alone needs minutes and gigabytes); run by hand:
#   bench/big-photo.sh [build/release/convert/obrazor-convert]
set -euo pipefail
tool=$(realpath "${1:-build/release/convert/obrazor-convert}")
photo=/usr/share/backgrounds/mate/nature/Dune.jpg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Debian's ImageMagick policy stops at 16K pixels a side and 1 GiB of pixel cache.
cat >"$work/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="4GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="disk" value="8GiB"/>
</policymap>
POLICY
MAGICK_CONFIGURE_PATH="$work" nice /usr/bin/convert "$photo" -resize 18300x13700! -quality 85 "$work/big.jpg"
/usr/bin/identify -format '%w x %h, %b\n' "$work/big.jpg"
/usr/bin/time -v "$tool" -j 1 "$work/big.jpg" 2>"$work/time.txt" | head -1
grep -E 'Maximum resident|Elapsed' "$work/time.txt"
[ -f "$work/big.LMV.jpg" ] || { echo "not converted" >&2; exit 1; }
